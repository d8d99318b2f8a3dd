#include "support/MonkeyPlayer.h"

#include "engine/components/Transform.h"
#include "engine/systems/sRendererSystem.h"
#include "engine/systems/sUIButtonSystem.h"
#include "game/flow/bUIButtonBehaviour.h"

#include <array>
#include <vector>

namespace
{
constexpr int LeftButton = 1;
constexpr int RightButton = 2;
constexpr int MiddleButton = 4;
constexpr int AltKey = 18;

// Every key the game listens to: digits, the squad's order keys, Escape, Space, F11, and a few
// it ignores.
constexpr std::array<int, 19> GameKeys = {'1', '2', '3', '4', '5', 'S', 'R', 'E', 'F', 'Q',
                                          'W', 'T', 27,  32,  122, 'A', 'Z', 13,  9};
}

int MonkeyPlayer::Act(TestGame& game)
{
    // Weighted: buttons and waits most, since those move the game along; each kind of input often
    // enough to meet every state.
    const int roll = Between(0, 99);
    if (roll < 18)
        return Wait(game);
    if (roll < 32)
        return ClickAnywhere(game);
    if (roll < 52)
        return ClickAButton(game);
    if (roll < 60)
        return DragWith(game, LeftButton);
    if (roll < 70)
        return DragWith(game, RightButton);
    if (roll < 73)
        return DragWith(game, MiddleButton);
    if (roll < 88)
        return TapAKey(game);
    if (roll < 91)
        return AltDigit(game);
    if (roll < 95)
        return TurnWheel(game);
    if (roll < 98)
        return RestAtAnEdge(game);
    return LookAway(game);
}

int MonkeyPlayer::Wait(TestGame& game)
{
    const int frames = Between(1, 40);
    lastAction = "wait " + std::to_string(frames);
    game.RunFrames(frames);
    return frames;
}

int MonkeyPlayer::ClickAnywhere(TestGame& game)
{
    const long x = PixelX();
    const long y = PixelY();
    lastAction = "click at " + std::to_string(x) + ", " + std::to_string(y);
    game.ClickAndSettle(x, y);
    return 3;
}

int MonkeyPlayer::ClickAButton(TestGame& game)
{
    // The buttons a player could see: active, drawn and pickable.
    Coordinator& coordinator = *game.coordinator;
    const auto& drawn = coordinator.GetSystem<sRendererSystem>()->entities;
    std::vector<Entity> shown;
    for (Entity entity : coordinator.GetSystem<sUIButtonSystem>()->entities)
    {
        const auto button = coordinator.GetBehaviourAs<bUIButtonBehaviour>(entity);
        if (button != nullptr && button->active && drawn.count(entity) != 0)
            shown.push_back(entity);
    }
    if (shown.empty())
        return ClickAnywhere(game);
    const Entity chosen = shown[static_cast<std::size_t>(Between(0, static_cast<int>(shown.size()) - 1))];
    const Transform* place = coordinator.GetComponent<Transform>(chosen);
    const CursorPoint pixel = game.WindowPointOf(place->position.x, place->position.y);
    lastAction = "click on button entity " + std::to_string(chosen);
    game.ClickAndSettle(pixel.x, pixel.y);
    return 3;
}

int MonkeyPlayer::DragWith(TestGame& game, int button)
{
    const long fromX = PixelX();
    const long fromY = PixelY();
    const long toX = PixelX();
    const long toY = PixelY();
    const int steps = Between(1, 20);
    lastAction = "drag with button " + std::to_string(button) + " from " + std::to_string(fromX) + ", " +
                 std::to_string(fromY) + " to " + std::to_string(toX) + ", " + std::to_string(toY);
    game.Drag(button, fromX, fromY, toX, toY, steps);
    return steps + 3;
}

int MonkeyPlayer::TapAKey(TestGame& game)
{
    const int key = GameKeys[static_cast<std::size_t>(Between(0, static_cast<int>(GameKeys.size()) - 1))];
    lastAction = "key " + std::to_string(key);
    // Now and then a key is held for a while instead of tapped.
    if (Between(0, 4) == 0)
    {
        const int frames = Between(2, 30);
        game.Hold(key);
        game.RunFrames(frames);
        game.Release(key);
        game.RunFrames(1);
        return frames + 1;
    }
    game.Tap(key);
    return 3;
}

int MonkeyPlayer::AltDigit(TestGame& game)
{
    const int digit = '1' + Between(0, 6);
    lastAction = "Alt + " + std::string(1, static_cast<char>(digit));
    game.Hold(AltKey);
    game.RunFrames(1);
    game.Tap(digit);
    game.Release(AltKey);
    game.RunFrames(1);
    return 5;
}

int MonkeyPlayer::TurnWheel(TestGame& game)
{
    const int notches = Between(1, 10);
    const double direction = Between(0, 1) == 0 ? -1.0 : 1.0;
    lastAction = "wheel " + std::to_string(notches) + (direction < 0 ? " out" : " in");
    game.MoveCursor(PixelX(), PixelY());
    for (int i = 0; i < notches; ++i)
    {
        game.platform.Scroll(direction);
        game.RunFrames(1);
    }
    return notches;
}

int MonkeyPlayer::RestAtAnEdge(TestGame& game)
{
    const int side = Between(0, 3);
    const long x = side == 0 ? 0 : side == 1 ? 1919 : PixelX();
    const long y = side == 2 ? 0 : side == 3 ? 1079 : PixelY();
    const int frames = Between(5, 60);
    lastAction = "rest at " + std::to_string(x) + ", " + std::to_string(y);
    game.MoveCursor(x, y);
    game.RunFrames(frames);
    return frames;
}

int MonkeyPlayer::LookAway(TestGame& game)
{
    const int frames = Between(2, 30);
    lastAction = "another window in front for " + std::to_string(frames) + " frames";
    game.platform.SetFocused(false);
    game.RunFrames(frames);
    game.platform.SetFocused(true);
    game.RunFrames(1);
    return frames + 1;
}
