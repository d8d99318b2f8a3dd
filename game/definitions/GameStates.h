#pragma once
#include "game/definitions/NameTable.h"

#include <cstdint>

// The state of a level's rules. Previous is only a request (go back to the previous state); None
// is the value before any state ran and has no key.
enum class GameState : std::int32_t
{
    Deploy = 0,
    Playing = 1,
    Paused = 2,
    Win = 3,
    Lose = 4,
    Menus = 5,
    Previous = 6,
    None = 7,
};

// The words for each GameState: one shared table, never changed.
const NameTable<GameState>& GameStates();
