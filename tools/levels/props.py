"""Props the levels share, by the letter a level's legend gives them.

size: the picture's size in world units; collider: the blocking box (only with block), kept inside
the tiles the prop stands on so the path grid blocks no more than it must. Blocking props are
registered on the path grid like walls."""


def prop(name, texture, size, block=False, collider=None, **extra):
    spec = {"name": name, "texture": texture, "size": size, "block": block}
    if collider:
        spec["collider"] = collider
    spec.update(extra)
    return spec


TREE = prop("Tree", "Prop_Tree", (200, 200), True, (56, 56), layer=4)
BUSH = prop("Bush", "Prop_Bush", (100, 100))
ROCK = prop("Rock", "Prop_Rock", (80, 64), True, (56, 48))
CAR = prop("CarWreck", "Prop_CarWreck", (240, 128), True, (232, 56))
SOFA = prop("Sofa", "Prop_Sofa", (176, 88), True, (168, 56))
RUG = prop("Rug", "Prop_Rug", (208, 144), layer=0.5)
COUNTER = prop("Counter", "Prop_Counter", (208, 64), True, (184, 52))
FRIDGE = prop("Fridge", "Prop_Fridge", (64, 64), True, (56, 56))
TABLE = prop("Table", "Prop_Table", (144, 104), True, (120, 56))
CHAIR = prop("Chair", "Prop_Chair", (56, 56))
BED = prop("Bed", "Prop_Bed", (120, 176), True, (100, 150))
SHELF = prop("Bookshelf", "Prop_Bookshelf", (176, 52), True, (168, 44))
CABINET = prop("Cabinet", "Prop_Cabinet", (96, 52), True, (88, 44))
PLANT = prop("PlantPot", "Prop_PlantPot", (56, 56), True, (40, 40))
LAMP = prop("FloorLamp", "Prop_Lamp", (48, 48))
DEBRIS = prop("Debris", "Prop_Debris", (112, 96))
HAY = prop("HayBale", "Prop_HayBale", (112, 72), True, (104, 56))
WOODBARREL = prop("WoodBarrel", "Prop_WoodBarrel", (60, 60), True, (52, 52))
TIRES = prop("Tires", "Prop_Tires", (96, 88), True, (56, 56))
PALLET = prop("Pallet", "Prop_Pallet", (112, 96))
CRATES = prop("CrateStack", "Prop_CrateStack", (120, 120), True, (120, 120))
CRATES_LONG = prop("CrateRow", "Prop_CrateStack", (180, 120), True, (180, 120))
METALSHELF = prop("MetalShelf", "Prop_MetalShelf", (208, 64), True, (184, 52))
OILDRUM = prop("OilDrum", "Prop_OilDrum", (60, 60), True, (52, 52))
DESK = prop("Desk", "Prop_Desk", (144, 88), True, (120, 56))
BENCH = prop("Bench", "Prop_Bench", (176, 56), True, (168, 44))
PODIUM = prop("Podium", "Prop_Podium", (104, 72), True, (96, 56))
