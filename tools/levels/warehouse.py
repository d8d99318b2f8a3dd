"""The third level: a warehouse by the docks, where chargers hunt.

The squad starts at the west end of the loading yard. The warehouse has two loading doors in its
south wall. Behind the west one lies hall A, long and open, where a charge is deadly: crate stacks
give the only cover. The east loading door opens onto the aisles of metal shelves, one tile wide
between the shelves, where a charger cannot build up a run. A door in the aisles' east wall leads
to hall B, the loading bay, with two chargers and gas tanks among the last zombies.

Route: yard (a charger by the trucks) -> breach the west loading door -> hall A -> doorway to the
aisles -> breach the door to hall B (or come in from the yard by the east loading door) -> hall B.
"""

from levelkit import Level, stamp
import props as P

STRUCTURE = [
    #    0         1         2         3         4
    #    01234567890123456789012345678901234567890123
        "ffffffffffffffffffffffffffffffffffffffffffff",  # 0
        "f     #####################################f",  # 1
        "f     #              +            +       #f",  # 2
        "f     #              +            +       #f",  # 3
        "f     #              +            D       #f",  # 4
        "f     #              +            D       #f",  # 5
        "f     #                           D       #f",  # 6
        "f     #                           +       #f",  # 7
        "f     #              +            +       #f",  # 8
        "f     #              +            +       #f",  # 9
        "f     #              +            +       #f",  # 10
        "f     #              +            +       #f",  # 11
        "f     ######DDD###############DDD##########f",  # 12
        "f                                          f",  # 13
        "f                                          f",  # 14
        "f                                          f",  # 15
        "f                                          f",  # 16
        "f                                          f",  # 17
        "f                                          f",  # 18
        "ffffffffffffffffffffffffffffffffffffffffffff",  # 19
]

PLACES = {
    "1": [(2, 15)], "2": [(3, 16)], "3": [(2, 17)], "4": [(4, 17)],
    # the yard: a few strays and one charger in the open by the trucks
    "z": [(10, 16), (14, 14), (25, 17), (28, 14),
          # hall A: a pack round a barrel, and stragglers
          (12, 6), (14, 6), (13, 7), (8, 3), (16, 10), (19, 11),
          # the aisles: one or two per aisle
          (24, 2), (31, 4), (23, 5), (27, 8), (32, 7), (25, 11), (30, 10),
          # hall B: a pack by the gas tank
          (36, 8), (37, 9), (36, 10)],
    "C": [(33, 17), (9, 9), (18, 3), (38, 4), (39, 9)],
    "W": [(20, 15), (37, 16)],
    "X": [(10, 5), (17, 8)],
    "M": [(23, 3), (27, 3), (31, 3), (23, 6), (27, 6), (31, 6), (23, 9), (27, 9), (31, 9)],
    "o": [(40, 14), (41, 15), (5, 13)],
    "p": [(16, 17), (29, 16), (39, 2)],
    "b": [(13, 5), (24, 15)],
    "t": [(37, 11), (40, 6)],
    "x": [(10, 8)],
    "a": [(6, 14), (25, 10), (41, 2)],
    "h": [(8, 10), (41, 11), (7, 18)],
    "g": [(19, 2)],
    "m": [(33, 2)],
    "L": [(8, 14), (22, 13), (29, 13), (27, 4)],
    "K": [(13, 9), (31, 11), (38, 7)],
}

LEGEND = {
    "W": P.CAR,
    "X": P.CRATES,
    "M": P.METALSHELF,
    "o": P.OILDRUM,
    "p": P.PALLET,
}

LEVEL = Level(
    "Level_Warehouse.json",
    stamp(STRUCTURE, PLACES),
    soldiers=[
        {"weapon": "M4A1", "ammo": 150, "packs": 1, "grenades": 1, "molotovs": 1, "facing": 0},
        {"weapon": "Barrett", "ammo": 40, "packs": 1, "grenades": 1, "facing": 0},
        {"weapon": "AK_47", "ammo": 120, "packs": 1, "molotovs": 1, "facing": 0},
        {"weapon": "Glock", "ammo": 90, "packs": 2, "grenades": 1, "facing": 0},
    ],
    outer_texture="Wall_Concrete",
    inner_texture="Wall_Concrete",
    ground="Floor_Concrete",
    floors=[
        ("Floor_HallA", "Floor_Concrete", 6, 1, 21, 12),
        ("Floor_Aisles", "Floor_Metal", 21, 1, 34, 12),
        ("Floor_HallB", "Floor_Concrete", 34, 1, 42, 12),
    ],
    legend=LEGEND,
    pan_start=(24, 6),
    max_height=2000,
    decals=[
        ("Decal_Crack", 12, 15, 128, 0), ("Decal_Crack", 30, 17, 128, 90), ("Decal_Blood", 13, 6, 110, 0),
        ("Decal_GreenBlood", 27, 7, 96, 45), ("Decal_Scorch", 38, 10, 140, 0), ("Decal_Blood", 36, 3, 96, 120),
        ("Decal_Crack", 18, 10, 128, 45),
    ],
    lamps={(27, 4): {"radius": 300, "colour": (0.6, 0.75, 1.0), "intensity": 0.9}},
    fog=((True, False), (True, True)),
)
