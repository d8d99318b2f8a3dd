"""A quick look at a generated level on its path grid, for the author: which cells the obstacles
block, and whether the squad can reach every zombie, pickup and trigger once the doors are open.
The content check (tests/support/content/LevelLayoutContentRules.cpp) is the authority; this
mirrors it so a layout can be fixed without a build."""

import math

TILE = 64


def tags_of(entity):
    return [t for t in entity.get("Identifier", {}).get("tags", "").split(",") if t]


def collider_box(entity):
    t = entity["Transform"]
    pc = entity["PhysicsCollision"]
    if t.get("rot", 0) in (90, 270):  # the engine exchanges a quarter-turned collider's extents
        return t["xPos"], t["yPos"], pc["cHeight"], pc["cWidth"]
    return t["xPos"], t["yPos"], pc["cWidth"], pc["cHeight"]


def blocked_cells(entities, columns, rows, skip=lambda e: False):
    cells = set()
    for e in entities:
        if "PhysicsCollision" not in e or "UNPATHABLE" not in tags_of(e) or skip(e):
            continue
        x, y, w, h = collider_box(e)
        c0 = max(0, int(math.floor((x - w / 2) / TILE)))
        c1 = min(columns - 1, int(math.floor((x + w / 2) / TILE)))
        r0 = max(0, int(math.floor((y - h / 2) / TILE)))
        r1 = min(rows - 1, int(math.floor((y + h / 2) / TILE)))
        for c in range(c0, c1 + 1):
            for r in range(r0, r1 + 1):
                cells.add((c, r))
    return cells


def reach(start, blocked, columns, rows):
    seen = {start}
    todo = [start]
    while todo:
        c, r = todo.pop()
        for dc, dr in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            n = (c + dc, r + dr)
            if 0 <= n[0] < columns and 0 <= n[1] < rows and n not in blocked and n not in seen:
                seen.add(n)
                todo.append(n)
    return seen


def cell_of(entity):
    t = entity["Transform"]
    return int(t["xPos"] // TILE), int(t["yPos"] // TILE)


def check(scene, columns, rows, show=False):
    entities = scene["entities"]
    problems = []
    closed = blocked_cells(entities, columns, rows)
    opened = blocked_cells(entities, columns, rows, skip=lambda e: "DOOR" in tags_of(e))
    soldiers = [e for e in entities if "PLAYER" in tags_of(e)]
    goals = [e for e in entities if {"ENEMY", "PICKUP", "TUTOR9"} & set(tags_of(e))] + soldiers
    start = cell_of(soldiers[0])
    reachable = reach(start, opened, columns, rows)
    for e in goals:
        name = e["Identifier"]["type"]
        cell = cell_of(e)
        if cell in closed:
            problems.append("%s stands on a blocked cell %s" % (name, cell))
        elif cell not in reachable:
            problems.append("%s at %s cannot be reached" % (name, cell))
    if show:
        marks = {cell_of(e): e["Identifier"]["type"][0] for e in goals}
        for r in reversed(range(rows)):
            line = ""
            for c in range(columns):
                if (c, r) in marks:
                    line += marks[(c, r)]
                elif (c, r) in closed and (c, r) not in opened:
                    line += "D"
                elif (c, r) in closed:
                    line += "#"
                elif (c, r) in reachable:
                    line += "."
                else:
                    line += " "
            print("%2d %s" % (r, line))
    return problems
