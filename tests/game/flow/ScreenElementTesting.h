#pragma once
#include "support/SquadGame.h"
#include "support/TestGame.h"
#include "support/WorldSanity.h"

#include "engine/components/Transform.h"
#include "engine/platform/sSoundSystem.h"

#include <memory>
#include <string>

// What the screen-element tests share: their fixture scenes over the game's real prefab file,
// clicks at reference-view points, and the click sound as evidence that a click was taken.

inline std::string ScreenScene(const std::string& name)
{
    return TestGame::Fixture("scenes/screen/" + name);
}

// A game on the fixture scene, past its first frame (which sees every key as unknown and holds
// no fixed step); every later frame holds one step.
inline std::unique_ptr<TestGame> StartScreenScene(const std::string& name)
{
    auto game = std::make_unique<TestGame>(ScreenScene(name), GamePrefabFile());
    game->RunFrames(1);
    return game;
}

// A settled click on the world point (the reference view's point while the camera is home).
inline void ClickWorld(TestGame& game, float x, float y)
{
    const CursorPoint pixel = game.WindowPointOf(x, y);
    game.ClickAndSettle(pixel.x, pixel.y);
}

// A settled click on a point of the reference view (y up), where screen-space elements sit
// whatever the camera does.
inline void ClickScreen(TestGame& game, long x, long y)
{
    game.ClickAndSettle(x, 1080 - y);
}

// The voice of the latest click sound; a new one each time a button takes a click.
inline VoiceHandle ClickVoice(TestGame& game)
{
    for (const SoundChannelEntry& entry : game.Sound().SfxTable)
        if (entry.id == "Click9_false_SFX_")
            return entry.channel;
    return {};
}

inline Vector2 PlaceOf(TestGame& game, const std::string& name)
{
    const Transform* transform = game.Component<Transform>(name);
    return transform != nullptr ? transform->position : Vector2{-1.0f, -1.0f};
}
