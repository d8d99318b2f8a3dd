"""The second level and the second tutorial (throwing): a farm at night.

The squad comes in at the south-west corner of the yard, every soldier carrying grenades and a
molotov. A fenced pen in the middle of the yard holds a tight pack of zombies by a gas tank: the
tutorial's first throw, through the pen's open corner that faces the squad (the fence would turn a
grenade back). The pack stands beyond the soldiers' sight but within the leading soldier's throw,
so it is still whole when the tutorial asks for the grenade. North-west stands the farmhouse (an open doorway between two windows);
east of the yard fence lies a field where spitters keep behind a fence and hay bales; north-east
the barn, whose door is breached last, holds the rest among hay and barrels.

Route: yard -> throw into the pen (or shoot the gas tank) -> farmhouse (grenades, molotov, health)
-> through the fence gap at the south into the field -> up to the barn door -> breach -> barn.
"""

from levelkit import Level
import props as P

ROWS = [
    #    0         1         2         3
    #    012345678901234567890123456789012345
        "ffffffffffffffffffffffffffffffffffff",  # 0
        "f Y ###########  Y   ##############f",  # 1
        "f   # h  +  z #      #  H  H   S  #f",  # 2
        "f   # g  +    #      #  z   b  z  #f",  # 3
        "f   #    +  L #      # K   z   b  #f",  # 4
        "f   #  z      #      #  H    z    #f",  # 5
        "f   # m    z  #      #   K        #f",  # 6
        "f   #GG#  ##GG#      #            #f",  # 7
        "f                    ######DDD#####f",  # 8
        "f     L          g h               f",  # 9
        "f       fffffff      f             f",  # 10
        "f       f zt  f      f      S      f",  # 11
        "f       f zz  f      f   H         f",  # 12
        "f             f  a   f     fffff   f",  # 13
        "f           fff      f             f",  # 14
        "f                    f          H Sf",  # 15
        "f 2                     z          f",  # 16
        "f3 1                               f",  # 17
        "f                        L         f",  # 18
        "ffffffffffffffffffffffffffffffffffff",  # 19
]

LEGEND = {
    "Y": P.TREE,
    "H": P.HAY,
}

LEVEL = Level(
    "Level_Farmhouse.json",
    ROWS,
    soldiers=[
        {"weapon": "M4A1", "ammo": 120, "packs": 1, "grenades": 2, "molotovs": 1, "facing": 45},
        {"weapon": "AK_47", "ammo": 100, "packs": 1, "grenades": 2, "molotovs": 1, "facing": 45},
        {"weapon": "Barrett", "ammo": 32, "packs": 1, "grenades": 2, "molotovs": 1, "facing": 45},
    ],
    outer_texture="Wall_Wood",
    inner_texture="Wall_Wood",
    ground="Floor_Grass",
    floors=[
        ("Floor_Farmhouse", "Floor_Wood", 4, 1, 14, 7),
        ("Floor_Barn", "Floor_Dirt", 21, 1, 34, 8),
        ("Floor_Yard", "Floor_Dirt", 0, 14, 8, 19),
        ("Floor_Field", "Floor_Dirt", 21, 8, 35, 19),
    ],
    legend=LEGEND,
    pan_start=(27, 5),
    tutorial=2,
    max_height=1800,
    decals=[
        ("Decal_Leaves", 3, 12, 128, 0), ("Decal_Leaves", 18, 16, 128, 90), ("Decal_Blood", 11, 14, 110, 0),
        ("Decal_GreenBlood", 28, 12, 96, 45), ("Decal_Crack", 9, 4, 128, 0), ("Decal_Blood", 27, 3, 96, 120),
    ],
    lamps={(6, 9): {"radius": 380}, (12, 4): {"radius": 380}, (25, 18): {"radius": 300, "colour": (0.7, 0.8, 1.0)}},
    smoke=((-8, 25),),  # mist drifting along the south edge, beyond the fence
    fog=((True, False), (True, True), (False, False), (False, True)),
    # the pen's pack stays put until the squad comes close: it is there to be thrown at
    zombie_overrides={"z": {"TriggerRange": 360}},
)
