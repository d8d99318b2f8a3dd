#!/usr/bin/env python3
"""Writes the four level scenes into Resources/ from their layouts in this folder.

    python3 tools/levels/make_levels.py            # write every level
    python3 tools/levels/make_levels.py --show     # also print each level's path grid

The output is deterministic; commit the layouts and the written scenes together.
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import levelkit  # noqa: E402
import layoutcheck  # noqa: E402
import abandoned_house  # noqa: E402
import farmhouse  # noqa: E402
import warehouse  # noqa: E402
import town_hall  # noqa: E402

LEVELS = [abandoned_house.LEVEL, farmhouse.LEVEL, warehouse.LEVEL, town_hall.LEVEL]


def main():
    resources = os.path.join(HERE, "..", "..", "Resources")
    show = "--show" in sys.argv
    prefabs = levelkit.load_prefabs(resources)
    failed = False
    for level in LEVELS:
        scene = level.build(prefabs)
        if show:
            print(level.file_name)
        for problem in layoutcheck.check(scene, level.columns, level.row_count, show):
            print("%s: %s" % (level.file_name, problem))
            failed = True
        levelkit.write_scene(os.path.join(resources, level.file_name), scene)
        kinds = {}
        for e in scene["entities"]:
            for tag in ("PLAYER", "ENEMY", "PICKUP"):
                if tag in layoutcheck.tags_of(e):
                    kinds[tag] = kinds.get(tag, 0) + 1
        print("%s: %d entities, %d soldiers, %d zombies, %d pickups" % (
            level.file_name, len(scene["entities"]), kinds.get("PLAYER", 0), kinds.get("ENEMY", 0),
            kinds.get("PICKUP", 0)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
