#pragma once
#include "support/TestGame.h"

#include <cstdint>
#include <random>
#include <string>

// A careless player with a seed: every call does one random thing a player can do with the mouse
// and the keyboard (click anywhere or on a button that shows, drag with any button, tap a game
// key, hold Alt with a digit, turn the wheel, rest at an edge, leave the window, or just wait)
// and runs the frames it takes. The same seed gives the same input.
class MonkeyPlayer
{
public:
    explicit MonkeyPlayer(std::uint32_t seed) : random(seed) {}

    // One action on the game; the frames it ran.
    int Act(TestGame& game);
    // The last action, for a failure message.
    const std::string& LastAction() const { return lastAction; }

private:
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
    long PixelX() { return Between(0, 1919); }
    long PixelY() { return Between(0, 1079); }

    int Wait(TestGame& game);
    int ClickAnywhere(TestGame& game);
    int ClickAButton(TestGame& game);
    int DragWith(TestGame& game, int button);
    int TapAKey(TestGame& game);
    int AltDigit(TestGame& game);
    int TurnWheel(TestGame& game);
    int RestAtAnEdge(TestGame& game);
    int LookAway(TestGame& game);

    std::mt19937 random;
    std::string lastAction;
};
