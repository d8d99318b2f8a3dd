"""The last level: the town hall, the largest building and every kind of zombie.

The squad starts on the plaza south of the hall, among strays, a spitter behind a wreck and
barrels to shoot. The main door (four tiles wide) opens into the lobby. From the lobby a door west
leads to the office corridor, whose three offices are breached one by one; a door north to the
records room among its shelves; and the wide door east to the great hall, where chargers run
between the rows of benches and spitters keep to the far corners. Lamps come on room by room as
the doors are breached, so the squad meets the building one wing at a time.

Route: plaza -> breach the main door -> lobby -> west door -> corridor -> the three offices ->
back through the lobby -> records door -> records room -> great hall door -> great hall.
"""

from levelkit import Level, stamp
import props as P

STRUCTURE = [
    #    0         1         2         3         4
    #    01234567890123456789012345678901234567890123456789
        "ffffffffffffffffffffffffffffffffffffffffffffffffff",  # 0
        "f  ############################################  f",  # 1
        "f  #    +    +    +            +              #  f",  # 2
        "f  #    +    +    +            +              #  f",  # 3
        "f  #    +    +    +            +              #  f",  # 4
        "f  #    +    +    +            +              #  f",  # 5
        "f  #    +    +    +            +              #  f",  # 6
        "f  #    +    +    +            +              #  f",  # 7
        "f  #+DD+++DD+++DD++++++++DD+++++              #  f",  # 8
        "f  #              +            +              #  f",  # 9
        "f  #              D            D              #  f",  # 10
        "f  #              D            D              #  f",  # 11
        "f  #              +            D              #  f",  # 12
        "f  #              +            +              #  f",  # 13
        "f  #####GG####GG#######DDDD########GG####GG####  f",  # 14
        "f                                                f",  # 15
        "f                                                f",  # 16
        "f                                                f",  # 17
        "f                                                f",  # 18
        "f                                                f",  # 19
        "f                                                f",  # 20
        "ffffffffffffffffffffffffffffffffffffffffffffffffff",  # 21
]

PLACES = {
    "1": [(22, 19)], "2": [(24, 18)], "3": [(26, 19)], "4": [(28, 18)],
    "z": [
        # plaza strays
        (8, 17), (12, 19), (16, 16), (33, 17), (38, 19), (42, 15),
        # lobby
        (21, 10), (27, 10), (22, 12), (28, 12), (25, 11),
        # office corridor
        (6, 10), (9, 12), (12, 10), (15, 12),
        # the three offices
        (5, 3), (7, 5), (4, 7), (10, 3), (12, 6), (15, 3), (17, 4), (14, 7),
        # records room
        (20, 5), (23, 6), (27, 5), (29, 6), (24, 2),
        # great hall
        (34, 4), (37, 4), (41, 3), (44, 4), (36, 11), (40, 13), (44, 11),
    ],
    "C": [(5, 12), (22, 4), (37, 12), (42, 8)],
    "S": [(46, 17), (29, 9), (11, 2), (45, 2), (33, 13)],
    "Y": [(2, 16), (2, 20), (47, 20), (18, 20)],
    "W": [(42, 17), (8, 20)],
    "n": [(35, 6), (39, 6), (43, 6), (35, 9), (39, 9), (43, 9), (13, 16)],
    "q": [(38, 2)],
    "d": [(5, 5), (10, 5), (15, 5)],
    "k": [(21, 2), (28, 2)],
    "e": [(19, 9), (30, 9)],
    "b": [(14, 17), (36, 17), (37, 2)],
    "t": [(40, 11), (20, 13)],
    "a": [(19, 20), (19, 12), (9, 7), (30, 7), (32, 10)],
    "h": [(30, 20), (30, 13), (6, 2), (32, 12)],
    "g": [(16, 2), (4, 9)],
    "m": [(17, 7), (45, 12)],
    "L": [(12, 15), (24, 15), (37, 15), (4, 18)],
    "K": [(25, 12), (17, 12), (6, 4), (11, 4), (16, 5), (25, 5), (36, 8), (42, 11)],
}

LEGEND = {
    "Y": P.TREE,
    "W": P.CAR,
    "n": P.BENCH,
    "q": P.PODIUM,
    "d": P.DESK,
    "k": P.SHELF,
    "e": P.PLANT,
}

LEVEL = Level(
    "Level_TownHall.json",
    stamp(STRUCTURE, PLACES),
    soldiers=[
        {"weapon": "M4A1", "ammo": 180, "packs": 2, "grenades": 2, "molotovs": 1, "facing": 90},
        {"weapon": "Barrett", "ammo": 48, "packs": 1, "grenades": 1, "molotovs": 1, "facing": 90},
        {"weapon": "AK_47", "ammo": 150, "packs": 1, "grenades": 2, "facing": 90},
        {"weapon": "USP_S", "ammo": 120, "packs": 2, "molotovs": 2, "facing": 90},
    ],
    outer_texture="Wall_Stone",
    inner_texture="Wall_Plaster",
    ground="Floor_Concrete",
    floors=[
        ("Floor_Offices", "Floor_Carpet", 3, 1, 18, 8),
        ("Floor_Corridor", "Floor_Wood", 3, 8, 18, 14),
        ("Floor_Records", "Floor_Wood", 18, 1, 31, 8),
        ("Floor_Lobby", "Floor_Marble", 18, 8, 31, 14),
        ("Floor_GreatHall", "Floor_Marble", 31, 1, 46, 14),
        ("Floor_Lawn_West", "Floor_Grass", 0, 14, 6, 21),
        ("Floor_Lawn_East", "Floor_Grass", 43, 14, 49, 21),
    ],
    legend=LEGEND,
    pan_start=(38, 7),
    max_height=2000,
    decals=[
        ("Decal_Blood", 25, 16, 110, 0), ("Decal_Crack", 10, 18, 128, 90), ("Decal_Leaves", 40, 19, 128, 0),
        ("Decal_Blood", 23, 11, 96, 45), ("Decal_GreenBlood", 11, 11, 96, 0), ("Decal_Crack", 26, 4, 128, 0),
        ("Decal_Scorch", 40, 7, 140, 30), ("Decal_Blood", 43, 12, 110, 200),
    ],
    lamps={(24, 15): {"radius": 420, "intensity": 1.4}},
    smoke=((-9, 27),),  # mist drifting along the south edge, beyond the fence
    fog=((True, False), (True, True)),
)
