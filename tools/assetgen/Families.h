#pragma once
#include "AssetWriter.h"
#include "Lettering.h"

namespace assetgen
{
// What every family of assets draws with. Families run on their own threads, each with its own
// Kit: they share only the writer.
struct Kit
{
    AssetWriter& out;
    // The game's face (Bebas Neue): all lettering the player sees.
    Lettering& display;
};

// Characters: soldiers, zombies, chargers, spitters (spritesheets).
void MakeSoldiers(Kit& kit);
void MakeZombies(Kit& kit);
void MakeChargers(Kit& kit);
void MakeSpitters(Kit& kit);
// Pickups, thrown things, destructible objects (spritesheets).
void MakeItems(Kit& kit);
// One-shot effects and damage areas (spritesheets).
void MakeEffects(Kit& kit);
// Floors, walls, doors, glass, furniture and props, smoke and fog.
void MakeFloors(Kit& kit);
void MakeStructures(Kit& kit);
void MakeProps(Kit& kit);
void MakeAtmosphere(Kit& kit);
// Interface: in-world markers, the HUD, menus, screens, tutorial panels.
void MakeMarkers(Kit& kit);
void MakeHud(Kit& kit);
void MakeMenus(Kit& kit);
void MakePages(Kit& kit);
void MakeSettings(Kit& kit);
void MakeScreens(Kit& kit);
void MakeLevelSelect(Kit& kit);
void MakeCutscenes(Kit& kit);
void MakeTutorial(Kit& kit);
void MakeEditorIcons(Kit& kit);
// Sound effects and looping music.
void MakeSoundEffects(Kit& kit);
void MakeMonsterSounds(Kit& kit);
void MakeMusic(Kit& kit);
void MakeAmbience(Kit& kit);
}
