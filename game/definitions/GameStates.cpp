#include "game/definitions/GameStates.h"

const NameTable<GameState>& GameStates()
{
    static const NameTable<GameState> table = {
        {"Deploy", GameState::Deploy},
        {"Playing", GameState::Playing},
        {"Paused", GameState::Paused},
        {"Win", GameState::Win},
        {"Lose", GameState::Lose},
        {"Menus", GameState::Menus},
        {"Previous", GameState::Previous},
    };
    return table;
}
