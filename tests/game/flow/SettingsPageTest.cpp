#include "ScreenElementTesting.h"
#include "support/FrontEndGame.h"

#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/platform/WindowState.h"
#include "engine/platform/audio/AudioGroup.h"
#include "engine/platform/sInputSystem.h"
#include "engine/platform/sSoundSystem.h"
#include "game/flow/bUIButtonBehaviour.h"

#include <cmath>
#include <string>
#include <gtest/gtest.h>

// The main menu's settings page, used with the mouse: knobs dragged along their tracks, the plus,
// minus and reset buttons, the two toggles. Every place is read from the page's own entities.

namespace
{
const std::string MainMenu = "Resources/mainMenu.json";
constexpr int LeftButton = 1;

std::unique_ptr<TestGame> OpenSettings(const SettingsMembers& saved = {})
{
    auto game = StartFrontEnd(MainMenu, saved);
    WaitForOpenDoors(*game);
    ClickOn(*game, "Settings_Menu_Button");
    game->RunFrames(1);
    return game;
}

CursorPoint PixelOf(TestGame& game, const std::string& name)
{
    const Vector2 place = PlaceOf(game, name);
    return game.WindowPointOf(place.x, place.y);
}

// Presses on the knob, drags it to the point over a few frames and lets go; every frame watched.
// A frame with the button up comes first: a press right after a completed click is not seen.
void DragKnob(TestGame& game, SaveWatch& watch, const std::string& knob, float toX)
{
    const CursorPoint from = PixelOf(game, knob);
    const CursorPoint to = game.WindowPointOf(toX, PlaceOf(game, knob).y);
    game.MoveCursor(from.x, from.y);
    watch.RunFrame();
    game.Hold(LeftButton);
    watch.RunFrame();
    for (int step = 1; step <= 6; ++step)
    {
        game.MoveCursor(from.x + (to.x - from.x) * step / 6, from.y);
        watch.RunFrame();
    }
    game.Release(LeftButton);
}

bUIButtonBehaviour& Knob(TestGame& game, const std::string& name)
{
    return *game.Behaviour<bUIButtonBehaviour>(name);
}
}

TEST(SettingsPage, AKnobDraggedAndLetGoSetsItsValueAndSavesOnce)
{
    const auto game = OpenSettings({{"BGM Vol", "0.5"}});
    sSoundSystem& sound = game->Sound();
    const bUIButtonBehaviour& knob = Knob(*game, "SliderButtonMusic");
    EXPECT_FLOAT_EQ(PlaceOf(*game, "SliderButtonMusic").x, (knob.SliderMinPoint.x + knob.SliderMaxPoint.x) * 0.5f);

    // Past the end of the track: the knob stops there, and nothing changes until it is let go.
    SaveWatch watch(*game);
    DragKnob(*game, watch, "SliderButtonMusic", knob.SliderMaxPoint.x + 200.0f);
    EXPECT_TRUE(knob.Dragging);
    EXPECT_FLOAT_EQ(PlaceOf(*game, "SliderButtonMusic").x, knob.SliderMaxPoint.x);
    EXPECT_FLOAT_EQ(sound.MusicVolume, 0.5f);
    EXPECT_EQ(watch.Saves(), 0);
    watch.RunFrames(4);
    EXPECT_FALSE(knob.Dragging);
    EXPECT_EQ(watch.Saves(), 1);
    EXPECT_FLOAT_EQ(sound.MusicVolume, 1.0f);
    EXPECT_FLOAT_EQ(sound.gameGroup->GetVolume(), sound.MasterVolume);
    EXPECT_EQ(SettingsMember(*game, "BGM Vol"), "1.0");

    // The fill reaches from the track's start to the knob, and the knob is picked where it is now.
    const float stretch = knob.SliderMaxPoint.x - knob.SliderMinPoint.x;
    EXPECT_FLOAT_EQ(PlaceOf(*game, "FillbarMusic").x, knob.SliderMinPoint.x + stretch * 0.5f);
    EXPECT_FLOAT_EQ(game->Component<Renderer>("FillbarMusic")->scaleX, stretch * 0.5f + 18.0f);
    const CursorPoint moved = PixelOf(*game, "SliderButtonMusic");
    game->MoveCursor(moved.x, moved.y);
    game->Hold(LeftButton);
    game->RunFrames(1);
    game->Release(LeftButton);
    EXPECT_TRUE(knob.Dragging);
    game->RunFrames(4);

    // Let go while muted: the volume stays, the settings are still written.
    ClickOn(*game, "MuteButton");
    SaveWatch muted(*game);
    DragKnob(*game, muted, "SliderButtonMusic", knob.SliderMinPoint.x);
    muted.RunFrames(4);
    EXPECT_EQ(muted.Saves(), 1);
    EXPECT_FLOAT_EQ(sound.MusicVolume, 1.0f);
    EXPECT_FLOAT_EQ(PlaceOf(*game, "SliderButtonMusic").x, knob.SliderMinPoint.x);
}

TEST(SettingsPage, PlusMinusAndResetMoveTheKnobsAndSetTheValues)
{
    const struct
    {
        const char* button;
        const char* knob;
        const char* key;
        SettingsMembers saved;
        float (*value)(TestGame& game);
        float expected;
        float fraction; // where the knob ends on its track
    } cases[] = {
        {"PlusButtonMaster", "SliderButtonMaster", "All Vol", {{"All Vol", "0.98"}},
         [](TestGame& game) { return game.Sound().MasterVolume; }, 1.0f, 1.0f},
        {"PlusButtonMusic", "SliderButtonMusic", "BGM Vol", {{"BGM Vol", "0.5"}},
         [](TestGame& game) { return game.Sound().MusicVolume; }, 0.55f, 0.55f},
        {"MinusButtonSFX", "SliderButtonSFX", "SFX Vol", {{"SFX Vol", "0.03"}},
         [](TestGame& game) { return game.Sound().EffectsVolume; }, 0.0f, 0.0f},
        {"MinusButtonCameraSensitivity", "SliderButtonCameraSensitivity", "Camera Sensitivity", {{"Camera Sensitivity", "0.5"}},
         [](TestGame&) { return sInputSystem::CameraSensitivity(); }, 0.0f, 0.0f},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.button);
        const auto game = OpenSettings(c.saved);
        ClickOn(*game, c.button);
        EXPECT_NEAR(c.value(*game), c.expected, 1e-5f);
        const bUIButtonBehaviour& knob = Knob(*game, c.knob);
        const float x = knob.SliderMinPoint.x + (knob.SliderMaxPoint.x - knob.SliderMinPoint.x) * c.fraction;
        EXPECT_NEAR(PlaceOf(*game, c.knob).x, x, 1e-3f);
        EXPECT_NEAR(std::stod(SettingsMember(*game, c.key)), c.expected, 1e-5) << "saved";
    }

    const auto game = OpenSettings({{"All Vol", "0.8"}, {"BGM Vol", "0.2"}, {"SFX Vol", "0.9"}, {"Camera Sensitivity", "4"}});
    ClickOn(*game, "ResetButton");
    game->RunFrames(1);
    EXPECT_FLOAT_EQ(game->Sound().MasterVolume, 0.5f);
    EXPECT_FLOAT_EQ(game->Sound().MusicVolume, 0.5f);
    EXPECT_FLOAT_EQ(game->Sound().EffectsVolume, 0.5f);
    EXPECT_FLOAT_EQ(sInputSystem::CameraSensitivity(), 2.5f);
    EXPECT_EQ(SettingsMember(*game, "Camera Sensitivity"), "2.5");
    for (const char* name : {"SliderButtonMaster", "SliderButtonMusic", "SliderButtonSFX", "SliderButtonCameraSensitivity"})
    {
        const bUIButtonBehaviour& knob = Knob(*game, name);
        EXPECT_FLOAT_EQ(PlaceOf(*game, name).x, (knob.SliderMinPoint.x + knob.SliderMaxPoint.x) * 0.5f) << name;
    }
}

TEST(SettingsPage, TheTogglesShowAndSwitchFullScreenAndMute)
{
    const auto game = OpenSettings();
    const Renderer& fullScreen = *game->Component<Renderer>("FullscreenButton");
    const Renderer& mute = *game->Component<Renderer>("MuteButton");
    EXPECT_EQ(fullScreen.textureName, "Toggle_Off");
    EXPECT_EQ(mute.textureName, "Toggle_Off");

    ClickOn(*game, "FullscreenButton");
    EXPECT_TRUE(WindowState::fullScreen);
    EXPECT_EQ(fullScreen.textureName, "Toggle_On");
    EXPECT_EQ(SettingsMember(*game, "EnableFullScreen"), "true");
    ClickOn(*game, "FullscreenButton");
    EXPECT_FALSE(WindowState::fullScreen);
    EXPECT_EQ(fullScreen.textureName, "Toggle_Off");

    ClickOn(*game, "MuteButton");
    EXPECT_TRUE(game->Sound().Muted);
    EXPECT_EQ(mute.textureName, "Toggle_On");
    EXPECT_EQ(SettingsMember(*game, "Mute"), "true");
    ClickOn(*game, "MuteButton");
    EXPECT_FALSE(game->Sound().Muted);
    EXPECT_EQ(mute.textureName, "Toggle_Off");
    EXPECT_EQ(SettingsMember(*game, "Mute"), "false");
    EXPECT_FLOAT_EQ(game->Sound().MasterVolume, 1.0f);
}

TEST(SettingsPage, AKnobWithoutATrackGivesNothingButZero)
{
    const auto game = StartFrontEnd(TestGame::Fixture("scenes/frontend/FlatSlider.json"), {{"BGM Vol", "0.5"}});
    ClickScreen(*game, 300, 900);
    game->RunFrames(1);

    SaveWatch watch(*game);
    DragKnob(*game, watch, "Flat_Knob", 1000.0f);
    watch.RunFrames(4);
    EXPECT_EQ(watch.Saves(), 1);
    EXPECT_EQ(game->Sound().MusicVolume, 0.0f);
    EXPECT_EQ(SettingsMember(*game, "BGM Vol"), "0.0");

    ClickOn(*game, "Flat_Plus");
    EXPECT_EQ(game->Sound().MusicVolume, 0.0f);
    EXPECT_EQ(SettingsMember(*game, "BGM Vol"), "0.0");
}
