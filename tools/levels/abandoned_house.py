"""The first level and the first tutorial: a small house at the edge of a yard.

The squad starts in the yard west of the house. The yard is open to the south, where the first
move order of the tutorial goes. The house's west wall has two windows (the tutorial points the
camera at them) and the front door between them. Behind the door the living room (its lamp comes
on when the door is breached) holds the first zombies; the lit kitchen south of it holds the
pickups; a dark hall and the back bedroom hold the last zombies. The trigger that takes the
tutorial to its last step lies in the doorway from the kitchen to the hall.

Route: yard -> breach the front door -> living room -> kitchen (pickups) -> hall -> bedroom.
"""

from levelkit import Level
import props as P

ROWS = [
    #    0         1         2
    #    0123456789012345678901234567
        "ffffffffffffffffffffffffffff",  # 0
        "f Y     Y  ################f",  # 1
        "f          G z      +z  B #f",  # 2
        "f          G   r  z +     #f",  # 3
        "f   1     LD    K   +  z  #f",  # 4
        "f    2     D  o  z  +   z #f",  # 5
        "f u        #        +     #f",  # 6
        "f          #++++  ++++  ++#f",  # 7
        "f          #h  a  h +     #f",  # 8
        "f        u #  L     +  a  #f",  # 9
        "f          G      z  T  z #f",  # 10
        "f          G z   k F      #f",  # 11
        "f          ################f",  # 12
        "f Y     u     u            f",  # 13
        "ffffffffffffffffffffffffffff",  # 14
]

LEGEND = {
    "Y": P.TREE,
    "u": P.BUSH,
    "s": P.SOFA,
    "o": P.SOFA,
    "r": P.RUG,
    "k": P.COUNTER,
    "F": P.FRIDGE,
    "B": P.BED,
}

LEVEL = Level(
    "Level_AbandonedHouse.json",
    ROWS,
    soldiers=[
        {"weapon": "M4A1", "ammo": 120, "packs": 1, "facing": 0},
        {"weapon": "AK_47", "ammo": 100, "packs": 1, "facing": 0},
    ],
    outer_texture="Wall_Brick",
    inner_texture="Wall_Plaster",
    ground="Floor_Grass",
    floors=[
        ("Floor_LivingRoom", "Floor_Wood", 11, 1, 20, 7),
        ("Floor_Kitchen", "Floor_Tile", 11, 7, 20, 12),
        ("Floor_Hall", "Floor_Wood", 20, 7, 26, 12),
        ("Floor_Bedroom", "Floor_Carpet", 20, 1, 26, 7),
        ("Floor_Path", "Floor_Dirt", 4, 3, 11, 6),
    ],
    legend=LEGEND,
    pan_start=(19, 6),
    no_explosives=True,
    tutorial=1,
    max_height=1500,
    decals=[
        ("Decal_Leaves", 4, 9, 128, 0), ("Decal_Leaves", 8, 11, 128, 90), ("Decal_Blood", 17, 4, 96, 30),
        ("Decal_Crack", 14, 9, 128, 0), ("Decal_Blood", 23, 3, 110, 200), ("Decal_GreenBlood", 22, 10, 96, 0),
    ],
    lamps={(14, 9): {"radius": 420, "intensity": 1.4}, (10, 4): {"radius": 300}},
    fog=((True, False), (True, True), (False, False), (False, True)),
    # a calm first level: zombies notice the squad only close by
    zombie_overrides={"z": {"TriggerRange": 320, "MaxHealth": 90, "CurrentHealth": 90}},
)
