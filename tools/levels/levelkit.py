"""Turns a level's readable layout (a tile map plus a few lists) into the scene file the game loads.

A level is drawn on 64-unit tiles, row 0 at the top (the highest y). Each character of the map is
one tile; the level's path grid covers the map exactly, with its origin at (0, 0), so a tile of the
map is a cell of the grid.

Map characters shared by every level:
  #  outer wall          +  inner wall          f  fence
  D  door (a run of D is one door)              G  window glass (a run is one pane)
  1-4  soldier start     z  plain zombie        C  charging zombie     S  spitting zombie
  a  ammunition   h  health pack   g  grenade   m  molotov
  b  barrel       t  gas tank      x  crate     (targets worth shooting)
  L  lamp, lit from the start      K  lamp behind the nearest door, lit when it is breached
  T  the trigger that moves the first tutorial to its last step
Any other character is floor; a level's own legend may make letters into props.

Everything is written in a fixed order and with fixed number formats, so running the generator
twice gives the same files byte for byte.
"""

import copy
import json
import math
import os

TILE = 64
WORLD = (-630.0, -700.0, 3250.0, 1440.0)  # the collision world: min x, min y, max x, max y

WALL_KINDS = {
    "#": ("outer", 28),
    "+": ("inner", 20),
    "f": ("fence", 20),
}

ZOMBIE_FIGURES = {
    # plain zombies: slow, weak alone, dangerous in a crowd
    "z": {"NameOfThisBehaviour": "bZombieBehaviour", "MaxHealth": 100, "CurrentHealth": 100, "TriggerRange": 420,
          "Damage": 7, "DamageRate": 2, "AttackRange": 60},
    "C": {"NameOfThisBehaviour": "bChargerZombie", "MaxHealth": 400, "CurrentHealth": 400, "TriggerRange": 600,
          "AttackRange": 420, "ChargerChargeCD": 5, "ChargeDamage": 20},
    "S": {"NameOfThisBehaviour": "bSpitterZombie", "MaxHealth": 80, "CurrentHealth": 80, "TriggerRange": 700,
          "AttackRange": 520, "SpitterShotCD": 5},
}
# (name, animation tag, collider size, drawn half size, speed limit)
ZOMBIE_LOOKS = {
    "z": ("Zombie", "Zombie", 40, 72, 130),
    "C": ("Charger", "Charger", 56, 96, 150),
    "S": ("Spitter", "Spitter", 40, 72, 150),
}
PICKUPS = {
    "a": ("Ammo", "AMMO", "Pickup_Ammo", "Icon_Ammo"),
    "h": ("Health", "HEALTH", "Pickup_Health", "Icon_HealthPack"),
    "g": ("Grenade", "GRENADE", "Pickup_Grenade", "Icon_Grenade"),
    "m": ("Molotov", "MOLOTOV", "Pickup_Molotov", "Icon_Molotov"),
}
TARGETS = {"b": "Barrel", "t": "GasTank", "x": "Crate"}

LAYER_FLOOR = 0
LAYER_RUG = 0.5
LAYER_DECAL = 1
LAYER_PROP = 2
LAYER_WALL = 3
LAYER_ZOMBIE = 6
LAYER_SOLDIER = 7

ALL_SYSTEMS_ORDER = ["sTransformSystem", "sRendererSystem", "sAnimationSystem", "sPhysicsCollision",
                     "sPhysicsMovement", "sUIButtonSystem", "sIdentifierSystem", "sLightingSystem"]


def num(value):
    """Whole numbers as ints, others rounded to two decimals, so files stay short and stable."""
    if isinstance(value, bool) or not isinstance(value, (int, float)):
        return value
    rounded = round(float(value), 2)
    return int(rounded) if rounded == int(rounded) else rounded


def clean(value):
    if isinstance(value, dict):
        return {k: clean(v) for k, v in value.items()}
    if isinstance(value, list):
        return [clean(v) for v in value]
    return num(value)


def transform(x, y, rot=0, **extra):
    out = {"xPos": x, "yPos": y, "xScale": 1, "yScale": 1, "rot": rot}
    out.update(extra)
    return out


def renderer(texture, layer, half_w, half_h, lighting=None, **extra):
    out = {"shaderName": "All", "modelID": 1, "textureName": texture, "layer": layer, "scaleX": half_w,
           "scaleY": half_h}
    if lighting is not None:
        out["lightingFactor"] = lighting
    out.update(extra)
    return out


def box_collider(w, h, trigger=False, movable=False, kind=0, layer=0):
    return {"ColliderType": kind, "cWidth": w, "cHeight": h, "cLayer": layer, "IsTrigger": trigger,
            "IsMovable": movable}


def still():
    return {"xVel": 0, "yVel": 0, "Speed": 0}


class Level:
    """One level: its map, legend and lists, built into entities by `build`."""

    def __init__(self, file_name, rows, *, soldiers, outer_texture, inner_texture, ground, floors,
                 legend=None, pan_start=None, objective="Kill_All_Zombies", no_explosives=False,
                 tutorial=0, max_height=2000, camera_bounds=None, lamps=None, decals=None, smoke=(),
                 fog=(), door_range=150, base_light=0.3, zombie_overrides=None, music=None):
        width = len(rows[0])
        for i, row in enumerate(rows):
            if len(row) != width:
                raise ValueError("%s: map row %d is %d wide, not %d" % (file_name, i, len(row), width))
        self.rows = list(rows)
        self.file_name = file_name
        self.columns = width
        self.row_count = len(rows)
        self.soldiers = soldiers
        self.outer_texture = outer_texture
        self.inner_texture = inner_texture
        self.ground = ground
        self.floors = floors
        self.legend = legend or {}
        self.pan_start = pan_start
        self.objective = objective
        self.no_explosives = no_explosives
        self.tutorial = tutorial
        self.max_height = max_height
        self.camera_bounds = camera_bounds or WORLD
        self.lamps = lamps or {}
        self.decals = decals or []
        self.smoke = smoke
        self.fog = fog
        self.door_range = door_range
        self.base_light = base_light
        self.zombie_overrides = zombie_overrides or {}
        self.entities = []
        self.names = set()

    # --- geometry -------------------------------------------------------------------------------

    def char(self, c, r):
        if 0 <= r < self.row_count and 0 <= c < self.columns:
            return self.rows[r][c]
        return " "

    def centre(self, c, r):
        """World centre of the tile in column c, map row r (row 0 is the top of the map)."""
        return (c + 0.5) * TILE, (self.row_count - 1 - r + 0.5) * TILE

    def tiles_of(self, chars):
        for r in range(self.row_count):
            for c in range(self.columns):
                if self.rows[r][c] in chars:
                    yield c, r

    # --- entity helpers ------------------------------------------------------------------------

    def unique(self, base):
        name = base
        n = 1
        while name in self.names:
            n += 1
            name = "%s_%d" % (base, n)
        self.names.add(name)
        return name

    def numbered(self, base):
        self.counters[base] = self.counters.get(base, 0) + 1
        return self.unique("%s_%d" % (base, self.counters[base]))

    def add(self, entity):
        self.entities.append(clean(entity))
        return entity

    # --- wall runs -----------------------------------------------------------------------------

    def runs(self, chars):
        """Maximal straight runs of tiles whose character is in `chars`: horizontal runs of two or
        more first, then vertical runs of what is left (single tiles included)."""
        taken = set()
        found = []
        for r in range(self.row_count):
            c = 0
            while c < self.columns:
                ch = self.char(c, r)
                if ch in chars:
                    end = c
                    while self.char(end + 1, r) == ch:
                        end += 1
                    if end > c:
                        found.append((ch, "h", c, r, end, r))
                        taken.update((k, r) for k in range(c, end + 1))
                    c = end + 1
                else:
                    c += 1
        for c in range(self.columns):
            r = 0
            while r < self.row_count:
                ch = self.char(c, r)
                if ch in chars and (c, r) not in taken:
                    end = r
                    while self.char(c, end + 1) == ch and (c, end + 1) not in taken:
                        end += 1
                    found.append((ch, "v", c, r, c, end))
                    r = end + 1
                else:
                    r += 1
        return found

    def run_box(self, orient, c0, r0, c1, r1, thickness, sealing="#+f"):
        """The box (centre x, centre y, width, height) of a run: through the tile centres, reaching
        into a sealing neighbour at either end so corners and jambs close. Walls reach only into
        walls; doors and glass reach into the walls beside them, so an opened door frees its own
        tiles whole."""
        if orient == "h":
            left = self.centre(c0, r0)[0] - thickness / 2
            right = self.centre(c1, r0)[0] + thickness / 2
            if self.char(c0 - 1, r0) in sealing:
                left = self.centre(c0 - 1, r0)[0] - thickness / 2
            if self.char(c1 + 1, r0) in sealing:
                right = self.centre(c1 + 1, r0)[0] + thickness / 2
            y = self.centre(c0, r0)[1]
            return (left + right) / 2, y, right - left, thickness
        top = self.centre(c0, r0)[1] + thickness / 2
        bottom = self.centre(c0, r1)[1] - thickness / 2
        if self.char(c0, r0 - 1) in sealing:
            top = self.centre(c0, r0 - 1)[1] + thickness / 2
        if self.char(c0, r1 + 1) in sealing:
            bottom = self.centre(c0, r1 + 1)[1] - thickness / 2
        x = self.centre(c0, r0)[0]
        return x, (top + bottom) / 2, thickness, top - bottom

    # --- building ------------------------------------------------------------------------------

    def build(self, prefabs):
        self.entities = []
        self.names = set()
        self.counters = {}
        squad = sorted(self.tiles_of("1234"), key=lambda t: self.char(*t))
        if len(squad) != len(self.soldiers):
            raise ValueError("%s: %d soldier marks for %d soldiers" % (self.file_name, len(squad), len(self.soldiers)))
        squad_centre = [sum(self.centre(c, r)[i] for c, r in squad) / len(squad) for i in (0, 1)]
        pan_start = self.pan_start or squad_centre
        start = self.centre(*pan_start) if self.pan_start else squad_centre

        self.scene_head(start, squad_centre)
        self.floors_and_decals()
        self.walls()
        doors = self.doors_and_glass()
        self.props()
        self.targets(prefabs)
        self.pickups()
        self.lights(doors)
        self.triggers()
        self.squad(squad)
        self.zombies()
        self.atmosphere()
        return {"entities": self.entities}

    def scene_head(self, start, squad_centre):
        minx, miny, maxx, maxy = self.camera_bounds
        self.names.update(["Camera", "Transition", "GameLogic", "HUD", "SquadControl", "PathfindingGrid"])
        self.add({"Transform": transform(start[0], start[1]),
                  "Identifier": {"type": "Camera"},
                  "Behaviour": {"NameOfThisBehaviour": "bCameraBehaviour", "minX": minx, "minY": miny,
                                "maxX": maxx, "maxY": maxy, "centerX": start[0], "centerY": start[1],
                                "maxHeight": self.max_height},
                  "Systems": ["sTransformSystem", "sIdentifierSystem"]})
        self.add({"Transform": transform(960, 540),
                  "Identifier": {"type": "Transition", "tags": "TRANSITION"},
                  "Behaviour": {"NameOfThisBehaviour": "bTransitionScreen"},
                  "Systems": ["sIdentifierSystem"]})
        logic = {"NameOfThisBehaviour": "bGameLogic", "GameObjective": self.objective,
                 "NoExplosives": self.no_explosives, "PanToX": squad_centre[0], "PanToY": squad_centre[1],
                 "PanDuration": 3.0}
        self.add({"Identifier": {"type": "GameLogic"}, "Behaviour": logic, "Systems": ["sIdentifierSystem"]})
        self.add({"Identifier": {"type": "HUD"}, "Behaviour": {"NameOfThisBehaviour": "bHUD"},
                  "Systems": ["sIdentifierSystem"]})
        self.add({"Identifier": {"type": "SquadControl"}, "Behaviour": {"NameOfThisBehaviour": "bGameController"},
                  "Systems": ["sIdentifierSystem"]})
        self.add({"Identifier": {"type": "PathfindingGrid", "tags": "GRID"},
                  "Behaviour": {"NameOfThisBehaviour": "bUniqueGrid", "GridOrigin_X": 0, "GridOrigin_Y": 0,
                                "TileSize": TILE, "Columns": self.columns, "Rows": self.row_count,
                                "RegisterTag": "UNPATHABLE"},
                  "Systems": ["sIdentifierSystem"]})
        if self.tutorial:
            self.names.add("Tutorial")
            self.add({"Identifier": {"type": "Tutorial"},
                      "Behaviour": {"NameOfThisBehaviour": "bTutorialLogic", "TutorialLevel": self.tutorial},
                      "Systems": ["sIdentifierSystem"]})

    def floor_entity(self, name, texture, x0, y0, x1, y1, layer, lighting, tile=256):
        w, h = x1 - x0, y1 - y0
        self.add({"Transform": transform((x0 + x1) / 2, (y0 + y1) / 2),
                  "Renderer": renderer(texture, layer, w / 2, h / 2, lighting, tileMode=True,
                                       tileSizeX=w / tile, tileSizeY=h / tile),
                  "Identifier": {"type": self.unique(name), "tags": "FLOOR"},
                  "Systems": ["sTransformSystem", "sRendererSystem", "sIdentifierSystem", "sLightingSystem"]})

    def floors_and_decals(self):
        minx, miny, maxx, maxy = self.camera_bounds
        self.floor_entity("Ground", self.ground, minx, miny, maxx, maxy, LAYER_FLOOR, self.base_light)
        for name, texture, c0, r0, c1, r1 in self.floors:
            # from the centre line of the wall tiles that bound the room to the opposite ones
            x0, y1 = self.centre(c0, r0)
            x1, y0 = self.centre(c1, r1)
            self.floor_entity(name, texture, x0, y0, x1, y1, LAYER_FLOOR + 0.1, self.base_light)
        for texture, c, r, size, rot in self.decals:
            x, y = self.centre(c, r)
            self.add({"Transform": transform(x, y, rot),
                      "Renderer": renderer(texture, LAYER_DECAL, size / 2, size / 2, self.base_light),
                      "Identifier": {"type": self.numbered("Decal"), "tags": "DECAL"},
                      "Systems": ["sTransformSystem", "sRendererSystem", "sIdentifierSystem", "sLightingSystem"]})

    def solid(self, name, tags, texture, x, y, w, h, layer, tiling=None, rot=0):
        rend = renderer(texture, layer, w / 2, h / 2, self.base_light)
        if tiling:
            rend.update(tileMode=True, tileSizeX=max(w / tiling[0], 1), tileSizeY=max(h / tiling[1], 1))
        entity = {"Transform": transform(x, y, rot), "Renderer": rend,
                  "Identifier": {"type": name, "tags": tags},
                  "PhysicsCollision": box_collider(w, h), "PhysicsMovement": still(),
                  "Systems": ["sTransformSystem", "sRendererSystem", "sPhysicsCollision", "sIdentifierSystem",
                              "sLightingSystem"]}
        return entity

    def walls(self):
        textures = {"outer": self.outer_texture, "inner": self.inner_texture, "fence": "Fence_Wood"}
        for ch, orient, c0, r0, c1, r1 in self.runs("#+f"):
            kind, thickness = WALL_KINDS[ch]
            x, y, w, h = self.run_box(orient, c0, r0, c1, r1, thickness)
            base = {"outer": "Wall", "inner": "InnerWall", "fence": "Fence"}[kind]
            tiling = (128, 32) if kind == "fence" else (64, 64)
            if kind == "fence" and orient == "v":
                tiling = (32, 128)
            self.add(self.solid(self.numbered(base), "WALL,UNPATHABLE", textures[kind], x, y, w, h, LAYER_WALL,
                                tiling))

    @staticmethod
    def quarter_turn(entity, w, h):
        """Stands a door or pane drawn along x upright: the picture and the collider are given
        lying along x and turned a quarter; the engine exchanges a quarter-turned collider's
        width and height when it places it."""
        entity["Transform"]["rot"] = 90
        entity["Renderer"]["scaleX"], entity["Renderer"]["scaleY"] = h / 2, w / 2
        entity["PhysicsCollision"]["cWidth"], entity["PhysicsCollision"]["cHeight"] = h, w

    def doors_and_glass(self):
        doors = []
        for ch, orient, c0, r0, c1, r1 in self.runs("DG"):
            if ch == "D":
                x, y, w, h = self.run_box(orient, c0, r0, c1, r1, 20)
                name = self.numbered("Door")
                entity = self.solid(name, "DOOR,UNPATHABLE", "Door_Wood", x, y, w, h, LAYER_WALL + 0.1)
                if orient == "v":
                    self.quarter_turn(entity, w, h)
                entity["Behaviour"] = {"NameOfThisBehaviour": "bDoorBehaviour", "TriggerRange": self.door_range}
                self.add(entity)
                doors.append((name, x, y, entity))
            else:
                x, y, w, h = self.run_box(orient, c0, r0, c1, r1, 12)
                entity = self.solid(self.numbered("Glass"), "GLASS,UNPATHABLE", "Glass_Window", x, y, w, h,
                                    LAYER_WALL + 0.1)
                if orient == "v":
                    self.quarter_turn(entity, w, h)
                self.add(entity)
        return doors

    def props(self):
        for c, r in self.tiles_of(self.legend.keys()):
            spec = self.legend[self.char(c, r)]
            x, y = self.centre(c, r)
            x += spec.get("dx", 0)
            y += spec.get("dy", 0)
            w, h = spec["size"]
            rot = spec.get("rot", 0)
            base = spec["name"]
            if spec.get("block", False):
                cw, ch = spec.get("collider", (w, h))
                entity = self.solid(self.numbered(base), "WALL,UNPATHABLE", spec["texture"], x, y, cw, ch,
                                    LAYER_PROP, rot=rot)
                entity["Renderer"]["scaleX"], entity["Renderer"]["scaleY"] = w / 2, h / 2
                self.add(entity)
            else:
                self.add({"Transform": transform(x, y, rot),
                          "Renderer": renderer(spec["texture"], spec.get("layer", LAYER_PROP), w / 2, h / 2,
                                               self.base_light),
                          "Identifier": {"type": self.numbered(base), "tags": "PROP"},
                          "Systems": ["sTransformSystem", "sRendererSystem", "sIdentifierSystem", "sLightingSystem"]})

    def targets(self, prefabs):
        for c, r in self.tiles_of(TARGETS.keys()):
            kind = TARGETS[self.char(c, r)]
            entity = copy.deepcopy(prefabs[kind])
            x, y = self.centre(c, r)
            entity["Transform"]["xPos"], entity["Transform"]["yPos"] = x, y
            entity["Identifier"]["type"] = self.numbered(kind)
            self.add(entity)

    def pickups(self):
        for c, r in self.tiles_of(PICKUPS.keys()):
            base, kind, tag, icon = PICKUPS[self.char(c, r)]
            x, y = self.centre(c, r)
            self.add({"Transform": transform(x, y),
                      "Renderer": renderer(icon, 5, 24, 24),
                      "Identifier": {"type": self.numbered(base), "tags": "PICKUP,%s,ANIMATED,%s" % (kind, tag)},
                      "Animation": {"AnimationTag": tag},
                      "PhysicsCollision": box_collider(40, 40, trigger=True, kind=1),
                      "PhysicsMovement": still(),
                      "Systems": ["sTransformSystem", "sRendererSystem", "sAnimationSystem", "sPhysicsCollision",
                                  "sIdentifierSystem"]})

    def lights(self, doors):
        for c, r in self.tiles_of("LK"):
            ch = self.char(c, r)
            x, y = self.centre(c, r)
            spec = self.lamps.get((c, r), {})
            radius = spec.get("radius", 360 if ch == "L" else 420)
            colour = spec.get("colour", (1.0, 0.82, 0.55))
            intensity = spec.get("intensity", 1.2)
            name = self.numbered("Lamp")
            light = {"radius": radius, "colorR": colour[0], "colorG": colour[1], "colorB": colour[2],
                     "intensityR": intensity, "intensityG": intensity, "intensityB": intensity,
                     "enabled": ch == "L"}
            self.add({"Transform": transform(x, y), "Lighting": light,
                      "Identifier": {"type": name, "tags": "AMBIENTLIGHT"},
                      "Systems": ["sTransformSystem", "sIdentifierSystem", "sLightingSystem"]})
            if ch == "K":
                if not doors:
                    raise ValueError("%s: a door lamp without a door" % self.file_name)
                door = min(doors, key=lambda d: (d[1] - x) ** 2 + (d[2] - y) ** 2)
                behaviour = door[3]["Behaviour"]
                listed = behaviour.get("attachedLights", "")
                behaviour["attachedLights"] = name if not listed else listed + "," + name
        # the doors were added before their lamps were known: write their lists now
        for name, _, _, entity in doors:
            for i, written in enumerate(self.entities):
                if written.get("Identifier", {}).get("type") == name:
                    self.entities[i] = clean(entity)

    def triggers(self):
        for c, r in self.tiles_of("T"):
            x, y = self.centre(c, r)
            self.add({"Transform": transform(x, y),
                      "Identifier": {"type": self.unique("Tutorial_Trigger"), "tags": "TUTOR9"},
                      "PhysicsCollision": box_collider(128, 128, trigger=True),
                      "PhysicsMovement": still(),
                      "Systems": ["sTransformSystem", "sPhysicsCollision", "sIdentifierSystem"]})

    def squad(self, squad):
        for (c, r), spec in zip(squad, self.soldiers):
            n = int(self.char(c, r))
            x, y = self.centre(c, r)
            name = "Player_%d" % n
            torch = name + "_SpotLight"
            self.names.update([name, torch])
            look = "Soldier%d" % n
            behaviour = {"NameOfThisBehaviour": "bPlayerBehaviour", "MaxHealth": 100, "CurrentHealth": 100,
                         "TriggerRange": spec.get("sight", 460), "TargetTag": "ENEMY", "Weapon": spec["weapon"],
                         "AmmoTotal": spec.get("ammo", 90), "HealthPacks": spec.get("packs", 1),
                         "Grenades": spec.get("grenades", 0), "Molotovs": spec.get("molotovs", 0)}
            facing = spec.get("facing", 90)
            self.add({"Transform": transform(x, y, facing, Children=[torch]),
                      "Renderer": renderer(look, LAYER_SOLDIER, 64, 64),
                      "Identifier": {"type": name, "tags": "PLAYER,PLAYER%d,ANIMATED,%s" % (n, look)},
                      "Animation": {"AnimationTag": look},
                      "PhysicsCollision": box_collider(40, 40, movable=True, kind=1),
                      "PhysicsMovement": {"xVel": 0, "yVel": 0, "Speed": spec.get("speed", 220)},
                      "Behaviour": behaviour,
                      "Systems": ["sTransformSystem", "sRendererSystem", "sAnimationSystem", "sPhysicsCollision",
                                  "sPhysicsMovement", "sIdentifierSystem", "sLightingSystem"]})
            self.add({"Transform": transform(x, y, facing, ParentID=name),
                      "Lighting": {"radius": 320, "colorR": 1.0, "colorG": 0.95, "colorB": 0.8,
                                   "intensityR": 1.5, "intensityG": 1.5, "intensityB": 1.5},
                      "Identifier": {"type": torch, "tags": "SPOTLIGHT"},
                      "Systems": ["sTransformSystem", "sIdentifierSystem", "sLightingSystem"]})

    def zombies(self):
        for c, r in self.tiles_of(ZOMBIE_FIGURES.keys()):
            ch = self.char(c, r)
            base, look, size, drawn, speed = ZOMBIE_LOOKS[ch]
            x, y = self.centre(c, r)
            figures = dict(ZOMBIE_FIGURES[ch])
            figures.update(self.zombie_overrides.get(ch, {}))
            facing = (c * 37 + r * 53) % 360  # varied but fixed
            self.add({"Transform": transform(x, y, facing),
                      "Renderer": renderer(look, LAYER_ZOMBIE, drawn, drawn),
                      "Identifier": {"type": self.numbered(base), "tags": "ENEMY,ANIMATED,%s" % look},
                      "Animation": {"AnimationTag": look},
                      "PhysicsCollision": box_collider(size, size, movable=True, kind=1),
                      "PhysicsMovement": {"xVel": 0, "yVel": 0, "Speed": speed},
                      "Behaviour": figures,
                      "Systems": ["sTransformSystem", "sRendererSystem", "sAnimationSystem", "sPhysicsCollision",
                                  "sPhysicsMovement", "sIdentifierSystem", "sLightingSystem"]})

    def atmosphere(self):
        for c, r in self.smoke:
            x, y = self.centre(c, r)
            self.add({"Transform": transform(x, y), "Identifier": {"type": self.numbered("SmokeBank")},
                      "Behaviour": {"NameOfThisBehaviour": "bSmokeEmitter"},
                      "Systems": ["sTransformSystem", "sIdentifierSystem"]})
        for horizontal, top in self.fog:
            self.add({"Transform": transform(0, 0), "Identifier": {"type": self.numbered("FogEdge")},
                      "Behaviour": {"NameOfThisBehaviour": "bSmokeFill", "Horizontal": horizontal, "Top": top},
                      "Systems": ["sTransformSystem", "sIdentifierSystem"]})


def write_scene(path, scene):
    lines = [json.dumps(e, separators=(", ", ": ")) for e in scene["entities"]]
    with open(path, "w", newline="\n") as out:
        out.write("{\n    \"entities\": [\n        ")
        out.write(",\n        ".join(lines))
        out.write("\n    ]\n}\n")


def load_prefabs(resources):
    with open(os.path.join(resources, "Prefab.json")) as f:
        data = json.load(f)
    return {e["Identifier"]["type"]: e for e in data["prefab"]}


def stamp(rows, placements):
    """The map `rows` with the characters of `placements` ({character: [(column, row), ...]})
    written onto empty tiles; writing onto anything but a space is an authoring error."""
    grid = [list(r) for r in rows]
    for ch, tiles in placements.items():
        for c, r in tiles:
            if grid[r][c] != " ":
                raise ValueError("tile (%d, %d) holds %r; cannot place %r there" % (c, r, grid[r][c], ch))
            grid[r][c] = ch
    return ["".join(r) for r in grid]
