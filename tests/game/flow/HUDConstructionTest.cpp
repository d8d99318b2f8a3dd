#include "support/HudGame.h"

#include "engine/components/Identifier.h"
#include "engine/components/Transform.h"
#include "engine/core/sBehaviourSystem.h"
#include "engine/systems/sRendererSystem.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bFontBehaviour.h"
#include "game/flow/bHUD.h"
#include "game/flow/bImageBehaviour.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The HUD built out of the real prefab file on small fixture levels: what it spawns for each
// objective, squad size and level, in spawn order, and where the soldier row stands.

namespace
{
using Names = std::vector<std::string>;

const Names PauseMenu = {"Pause_Overlay", "Pause_Menu", "Resume_Game_Button", "Restart_Game_Button", "PHTP_Button",
                         "Back_Main_Menu_Button", "Quit_Game_Button", "Settings_Button"};
const Names Confirmations = {"Quit_No_Button", "Quit_to_Menu_Yes_Button", "Quit_to_Menu_Confirmation",
                             "Quit_Yes_Button", "Quit_Confirmation", "Restart_Yes_Button", "Restart_Confirmation"};
const Names SettingsPage = {
    "Settings_Back_Button", "SettingsIcon", "SoundSetting", "ResetButton", "FullscreenButton", "MuteButton",
    "SliderButtonMusic", "SliderButtonSFX", "SliderButtonMaster", "SliderButtonCameraSensitivity", "FillbarMusic",
    "FillbarSFX", "FillbarMaster", "FillbarCameraSensitivity", "PlusButtonMaster", "PlusButtonMusic", "PlusButtonSFX",
    "PlusButtonCameraSensitivity", "MinusButtonMaster", "MinusButtonMusic", "MinusButtonSFX",
    "MinusButtonCameraSensitivity"};

bHUD& Hud()
{
    return *HUDInstance();
}

struct SpawnCase
{
    const char* scene;
    int soldiers;
    Names hudBar;
    Names titles;
    std::vector<float> slots;
};

// Each element keeps its place as an offset from the camera, taken from its reference-view
// position.
Vector2 CameraOffsetOf(TestGame& game, Entity entity)
{
    std::shared_ptr<IBehaviour> behaviour;
    return game.coordinator->GetBehaviour(entity, behaviour) ? behaviour->cameraOffset : Vector2{-1.0f, -1.0f};
}

// Slot width is twice the first portrait's scaleX (150); the row is centred on the reference
// view's middle, whatever the window's width.
void ExpectRow(TestGame& game, const std::vector<float>& slots)
{
    const bHUD& hud = Hud();
    ASSERT_EQ(hud.SoldierPortraits.size(), slots.size());
    for (std::size_t i = 0; i < slots.size(); ++i)
    {
        SCOPED_TRACE(i + 1);
        const float x = slots[i] - 960.0f;
        for (Entity entity : {hud.SoldierPortraits[i], hud.SelectionEntities[i], hud.DeathIcons[i],
                              hud.SoldierPanelEntities[i * hud.PanelStride]})
        {
            EXPECT_FLOAT_EQ(CameraOffsetOf(game, entity).x, x);
            EXPECT_FLOAT_EQ(CameraOffsetOf(game, entity).y, 95.0f - 540.0f);
        }
        // The health bar keeps its place on the card.
        const Vector2 bar = CameraOffsetOf(game, hud.SoldierPanelEntities[i * hud.PanelStride + 1]);
        EXPECT_FLOAT_EQ(bar.x, x);
        EXPECT_FLOAT_EQ(bar.y, 95.0f - 33.0f - 540.0f);
    }
}

// Health bars and stat texts show their own soldier; death icons and off-screen pairs wait hidden.
void ExpectSoldierBindings(TestGame& game, int soldiers)
{
    const bHUD& hud = Hud();
    Coordinator& coordinator = *game.coordinator;
    for (int n = 1; n <= soldiers; ++n)
    {
        SCOPED_TRACE(n);
        const Entity soldier = game.Find("Player_" + std::to_string(n));
        const Entity portrait = hud.SoldierPortraits[n - 1];
        const auto bar = coordinator.GetBehaviourAs<bImageBehaviour>(hud.SoldierPanelEntities[(n - 1) * 7 + 1]);
        EXPECT_EQ(bar->LinkedCharacter, soldier);
        for (std::size_t stat = 2; stat < 7; ++stat)
        {
            const auto text = coordinator.GetBehaviourAs<bFontBehaviour>(hud.SoldierPanelEntities[(n - 1) * 7 + stat]);
            ASSERT_NE(text, nullptr);
            EXPECT_EQ(text->boundEntity, portrait);
            EXPECT_EQ(text->DataFromEntity, "Player_" + std::to_string(n));
            EXPECT_EQ(text->DataEntity, soldier);
        }
        std::shared_ptr<IBehaviour> death;
        ASSERT_TRUE(coordinator.GetBehaviour(hud.DeathIcons[n - 1], death));
        EXPECT_FALSE(death->active);
        EXPECT_EQ(death->boundEntity, NO_ENTITY);
        const auto& drawn = coordinator.GetSystem<sRendererSystem>()->entities;
        EXPECT_EQ(drawn.count(hud.OffscreenMarkers[2 * n - 2]), 0u);
        EXPECT_EQ(drawn.count(hud.OffscreenMarkers[2 * n - 1]), 0u);
    }
}

class HudSpawnList : public testing::TestWithParam<SpawnCase>
{
};

TEST_P(HudSpawnList, FollowsObjectiveSquadAndLevel)
{
    const SpawnCase& expected = GetParam();
    const auto game = HudGame(expected.scene);
    ASSERT_NE(HUDInstance(), nullptr);
    const bHUD& hud = Hud();

    EXPECT_EQ(hud.PopUpTextEntities.size(), 6u);
    EXPECT_EQ(BaseNames(*game, hud.HudBarEntities), expected.hudBar);
    EXPECT_EQ(BaseName(game->coordinator->GetComponent<Identifier>(hud.VignetteEntity)->name), "Vignette");

    Names selection, portraits, deaths, panels, markers;
    for (int n = 1; n <= expected.soldiers; ++n)
    {
        const std::string number = std::to_string(n);
        selection.push_back("Selected_Unit_HUD");
        portraits.push_back(BaseName("Player" + number + "_DP"));
        deaths.push_back(BaseName("Player" + number + "_Death"));
        for (const char* panel : {"Player_HUD", "HealthBar", "Player_AmmoClip", "Player_AmmoTotal",
                                  "Player_HealthPacks", "Player_Grenades", "Player_Molotovs"})
            panels.push_back(panel);
        markers.push_back("P" + number + "_Icon");
        markers.push_back("Icon_Marker");
    }
    EXPECT_EQ(BaseNames(*game, hud.SelectionEntities), selection);
    EXPECT_EQ(BaseNames(*game, hud.SoldierPortraits), portraits);
    EXPECT_EQ(BaseNames(*game, hud.DeathIcons), deaths);
    EXPECT_EQ(BaseNames(*game, hud.SoldierPanelEntities), panels);
    EXPECT_EQ(BaseNames(*game, hud.OffscreenMarkers), markers);
    EXPECT_EQ(hud.PanelStride, expected.soldiers == 0 ? 0u : 7u);

    // The menus and pop-ups come whatever the squad.
    EXPECT_EQ(BaseNames(*game, {hud.PauseButton, hud.FadeOverlay}), (Names{"Pause_Button", "FadeIn_Overlay"}));
    EXPECT_EQ(BaseNames(*game, hud.PauseMenuEntities), PauseMenu);
    Names confirmations = Confirmations;
    for (const char* page : {"HTP_Page", "HTP_Page", "HTP_Page", "HTP_Page", "HTP_Next_Button", "HTP_Next_Button",
                             "HTP_Next_Button", "HTP_Prev_Button", "HTP_Prev_Button", "HTP_Prev_Button",
                             "HTP_Back_Button"})
        confirmations.push_back(page);
    confirmations.insert(confirmations.end(), SettingsPage.begin(), SettingsPage.end());
    EXPECT_EQ(BaseNames(*game, hud.ConfirmationEntities), confirmations);
    EXPECT_EQ(BaseNames(*game, hud.WinPopupEntities), (Names{"WinPopup", "Win_Continue", "Win_Playagain"}));
    EXPECT_EQ(BaseNames(*game, hud.LosePopupEntities), (Names{"LosePopup", "Lose_Continue", "Lose_Playagain"}));
    EXPECT_EQ(BaseNames(*game, hud.LevelTitleEntities), expected.titles);

    ExpectRow(*game, expected.slots);
    ExpectSoldierBindings(*game, expected.soldiers);
    if (expected.soldiers > 0)
    {
        EXPECT_FLOAT_EQ(hud.MarkerSize.x, 30.0f);
        EXPECT_FLOAT_EQ(hud.IconSize.x, 22.0f);
    }
}

// The key hint and the order buttons follow in prefab-file order.
const Names KillAllBar = {"ZombieCounter", "Zombies_Remaining", "Objective_KillAll", "HUD_Bar", "HUD_Key_Pause",
                          "HUD_Key_Reload", "HUD_Key_Heal", "HUD_Key_Grenade", "HUD_Key_Molotov", "HUD_Key_Breach",
                          "HUD_Key_Stop", "HUD_Key_CenterCam"};
const Names EscapeBar(KillAllBar.begin() + 3, KillAllBar.end());

INSTANTIATE_TEST_SUITE_P(
    Levels, HudSpawnList,
    testing::Values(SpawnCase{"Squad4.json", 4, KillAllBar, {"AHouse_Title", "Letterbox_Top", "Letterbox_Bottom"},
                              {735.0f, 885.0f, 1035.0f, 1185.0f}},
                    // With no gap the slots touch.
                    SpawnCase{"Squad3Touching.json", 3, KillAllBar, {"Farmhouse_Title", "Letterbox_Top", "Letterbox_Bottom"},
                              {660.0f, 960.0f, 1260.0f}},
                    SpawnCase{"Squad2Escape.json", 2, EscapeBar, {"Letterbox_Top", "Letterbox_Bottom"}, {885.0f, 1035.0f}},
                    SpawnCase{"NoSquad.json", 0, KillAllBar, {"Letterbox_Top", "Letterbox_Bottom"}, {}}));

TEST(HudConstruction, WithoutLevelRulesOnlyThePopUpTextsExist)
{
    const auto game = HudGame("PopUpsOnly.json");
    ASSERT_NE(HUDInstance(), nullptr);
    const bHUD& hud = Hud();
    EXPECT_EQ(hud.PopUpTextEntities.size(), 6u);
    EXPECT_TRUE(hud.HudBarEntities.empty());
    EXPECT_TRUE(hud.PauseMenuEntities.empty());
    EXPECT_TRUE(hud.LevelTitleEntities.empty());
    EXPECT_EQ(hud.PauseButton, NO_ENTITY);

    // A scene without a HUD leaves no instance behind.
    game->coordinator->PendingScene = TestGame::Fixture("scenes/EmptyScene.json");
    game->RunFrames(2);
    EXPECT_EQ(HUDInstance(), nullptr);
}

// Positions are reference-view coordinates: a window 1280 wide keeps the row where a 1920 one has
// it (centring on half the window's width would shift it 320 to the left).
TEST(HudConstruction, TheRowStaysCentredInANarrowerWindow)
{
    const auto game = HudGameInWindow("Squad2Escape.json", 1280);
    ExpectRow(*game, {885.0f, 1035.0f});
}
}
