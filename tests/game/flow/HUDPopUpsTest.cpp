#include "support/FrontEndGame.h"
#include "support/HudGame.h"

#include "engine/components/Font.h"
#include "engine/components/Identifier.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bFontBehaviour.h"
#include "game/flow/bHUD.h"
#include "game/flow/bImageBehaviour.h"

#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <vector>

// What the rest of the game does through the HUD: pop-up texts, death icons, off-screen markers,
// the pause menu, the title effects and the end pop-ups, on the real prefabs.

namespace
{
constexpr float Pi = std::numbers::pi_v<float>;

bHUD& Hud()
{
    return *HUDInstance();
}

bool IsActive(TestGame& game, Entity entity)
{
    std::shared_ptr<IBehaviour> behaviour;
    return game.coordinator->GetBehaviour(entity, behaviour) && behaviour->active;
}

bool IsDrawnEntity(TestGame& game, Entity entity)
{
    const Identifier* identifier = game.coordinator->GetComponent<Identifier>(entity);
    return identifier != nullptr && IsDrawn(game, identifier->name);
}

std::vector<Entity> ActivePopUps(TestGame& game)
{
    std::vector<Entity> shown;
    for (Entity text : Hud().PopUpTextEntities)
        if (IsActive(game, text))
            shown.push_back(text);
    return shown;
}
}

TEST(HudPopUps, SixtyMessagesKeepFiftyOneAndShowOneAFrame)
{
    const auto game = HudGame("PopUpsOnly.json");
    for (int i = 0; i < 60; ++i)
        bHUD::PushPopUpText("Message " + std::to_string(i));
    EXPECT_EQ(Hud().PopUpMessages.size(), 51u);
    EXPECT_EQ(Hud().PopUpMessages.back(), "Message 50");

    // One a frame, each on the next free text by id.
    const std::vector<Entity> texts(Hud().PopUpTextEntities.begin(), Hud().PopUpTextEntities.end());
    for (int frame = 1; frame <= 6; ++frame)
    {
        game->RunFrames(1);
        SCOPED_TRACE(frame);
        const std::vector<Entity> shown = ActivePopUps(*game);
        EXPECT_EQ(shown, std::vector<Entity>(texts.begin(), texts.begin() + frame));
        EXPECT_EQ(game->coordinator->GetComponent<Font>(texts[frame - 1])->message,
                  "Message " + std::to_string(frame - 1));
        EXPECT_EQ(Hud().PopUpMessages.size(), 51u - frame);
    }

    // The seventh waits until the first text has hidden itself, then takes its place, back at the
    // start it rose from.
    const auto first = game->coordinator->GetBehaviourAs<bFontBehaviour>(texts[0]);
    int waited = 0;
    while (Hud().PopUpMessages.size() == 45u && waited < 400)
    {
        game->RunFrames(1);
        ++waited;
    }
    EXPECT_GT(waited, 60);
    EXPECT_LT(waited, 400);
    EXPECT_EQ(game->coordinator->GetComponent<Font>(texts[0])->message, "Message 6");
    EXPECT_TRUE(first->active);
    EXPECT_LT(first->cameraOffset.y - first->StartCameraOffset.y, 5.0f);
}

struct MarkerCase
{
    const char* what;
    Vector2 soldier;
    float right, left, top, bottom, scale;
    Vector2 place;
    float rotation;
};

// The view 1920 x 1080 at scale 1 unless said otherwise; marker 30 and icon 22 pixels (the
// prefabs), so xLo = yLo = 30, xHi = 1890, yHi = 1050.
const MarkerCase MarkerCases[] = {
    {"left and below, in the corner", {-500, -500}, 1920, 0, 1080, 0, 1, {30, 30}, 1.25f * Pi},
    {"below the middle, over the bar", {960, -100}, 1920, 0, 1080, 0, 1, {960, 110}, 1.5f * Pi},
    {"below the bar's right ramp", {1246, -10}, 1920, 0, 1080, 0, 1, {1246, 110.0f - 31.0f * 1.258f}, 1.5f * Pi},
    {"below the bar's left ramp", {674, -10}, 1920, 0, 1080, 0, 1, {674, 30.0f + 31.0f * 1.258f}, 1.5f * Pi},
    {"above, near the top-left corner", {200, 1200}, 1920, 0, 1080, 0, 1, {200, 935}, 0.5f * Pi},
    {"above, near the top-right corner", {1800, 1200}, 1920, 0, 1080, 0, 1, {1800, 863}, 0.5f * Pi},
    {"right, high up", {2100, 1000}, 1920, 0, 1080, 0, 1, {1708, 1000}, 0.0f},
    {"left, high up", {-100, 1000}, 1920, 0, 1080, 0, 1, {390, 1000}, Pi},
    {"left, mid height", {-100, 500}, 1920, 0, 1080, 0, 1, {30, 500}, Pi},
    {"below the middle, zoomed out", {960, -1000}, 2880, -960, 1620, -540, 2, {960, -320}, 1.5f * Pi},
};

TEST(HudMarkers, SitOnTheViewEdgeClearOfTheHudAndPointAtTheSoldier)
{
    const auto game = HudGame("Squad4.json");
    Coordinator& coordinator = *game->coordinator;
    const Entity icon = Hud().OffscreenMarkers[2];
    const Entity marker = Hud().OffscreenMarkers[3];
    for (const MarkerCase& c : MarkerCases)
    {
        SCOPED_TRACE(c.what);
        bHUD::UpdateOffscreenMarker(coordinator, c.soldier, 2, c.right, c.left, c.top, c.bottom, c.scale);
        for (Entity entity : {icon, marker})
        {
            const Transform* place = coordinator.GetComponent<Transform>(entity);
            EXPECT_NEAR(place->position.x, c.place.x, 1e-3f);
            EXPECT_NEAR(place->position.y, c.place.y, 1e-3f);
        }
        EXPECT_NEAR(coordinator.GetComponent<Transform>(marker)->rotation, c.rotation, 1e-4f);
        // Both keep their screen size at every zoom.
        EXPECT_FLOAT_EQ(coordinator.GetComponent<Renderer>(marker)->scaleX, 30.0f * c.scale);
        EXPECT_FLOAT_EQ(coordinator.GetComponent<Renderer>(icon)->scaleY, 22.0f * c.scale);
    }

    // Soldier numbers outside the row change nothing.
    std::vector<Vector2> before;
    for (Entity entity : Hud().OffscreenMarkers)
        before.push_back(coordinator.GetComponent<Transform>(entity)->position);
    const std::size_t commands = coordinator.PauseQueue.Commands().size();
    for (int number : {0, 5, -1})
    {
        bHUD::UpdateOffscreenMarker(coordinator, {-500, -500}, number, 1920, 0, 1080, 0, 1);
        bHUD::HideOffscreenMarker(coordinator, number);
    }
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_FLOAT_EQ(coordinator.GetComponent<Transform>(Hud().OffscreenMarkers[i])->position.x, before[i].x);
    EXPECT_EQ(coordinator.PauseQueue.Commands().size(), commands);
}

TEST(HudDeathIcons, OnlyTheNamedSoldiersIconShows)
{
    const auto game = HudGame("Squad4.json");
    bHUD::ShowPlayerDeathIcon(*game->coordinator, game->Find("Camera"));
    bHUD::ShowPlayerDeathIcon(*game->coordinator, game->Find("Player_3"));
    game->RunFrames(1);
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(IsDrawnEntity(*game, Hud().DeathIcons[n - 1]), n == 3) << n;
}

TEST(HudTitles, TitleEffectsStartEveryEntryButTheFirst)
{
    for (const char* scene : {"Squad4.json", "Squad2Escape.json"})
    {
        SCOPED_TRACE(scene);
        const auto game = HudGame(scene);
        const std::vector<Entity> titles = Hud().LevelTitleEntities;
        game->RunFrames(40);
        bHUD::StartTitleEffects(*game->coordinator);
        for (std::size_t i = 0; i < titles.size(); ++i)
        {
            const auto image = game->coordinator->GetBehaviourAs<bImageBehaviour>(titles[i]);
            EXPECT_EQ(image->HideWhenFXEnds, i > 0) << i;
            if (i > 0)
                EXPECT_FLOAT_EQ(image->FXRemaining, 1.0f) << i;
            else
                EXPECT_LE(image->FXRemaining, 0.0f);
        }
        // The bars slide back out over a second and hide; the first entry stays.
        game->RunFrames(65);
        for (std::size_t i = 0; i < titles.size(); ++i)
            EXPECT_EQ(IsActive(*game, titles[i]), i == 0) << i;
    }
}

// The HUD's part of a pause: the level rules freeze everything, the HUD shows its menu, and the
// menu's buttons and pages work with the mouse while the rest stays frozen.
TEST(HudPauseMenu, ShownOverAFrozenLevelAndClickedThrough)
{
    const auto game = HudGame("Squad4.json");
    Coordinator& coordinator = *game->coordinator;
    for (Entity entity = 0; entity < MAX_ENTITIES; ++entity)
        if (coordinator.GetComponent<Identifier>(entity) != nullptr)
            coordinator.PauseQueue.Freeze(entity, coordinator);
    bHUD::ShowPauseMenu(coordinator);
    game->RunFrames(2);
    const bHUD& hud = Hud();
    std::shared_ptr<IBehaviour> behaviour;
    for (Entity element : hud.PauseMenuEntities)
    {
        EXPECT_TRUE(IsDrawnEntity(*game, element));
        ASSERT_TRUE(coordinator.GetBehaviour(element, behaviour));
        EXPECT_EQ(behaviour->state, BehaviourRunning);
    }
    for (Entity element : hud.ConfirmationEntities)
        if (coordinator.GetBehaviour(element, behaviour))
        {
            EXPECT_EQ(behaviour->state, BehaviourRunning);
        }
    for (Entity element : hud.ConfirmationEntities)
        EXPECT_FALSE(IsActive(*game, element));
    EXPECT_FALSE(IsActive(*game, hud.LevelTitleEntities.front()));

    ClickOn(*game, "Quit_Game_Button");
    game->RunFrames(1);
    EXPECT_TRUE(IsDrawn(*game, "Quit_Confirmation"));
    EXPECT_TRUE(IsDrawn(*game, "Quit_Yes_Button"));
    EXPECT_FALSE(IsDrawn(*game, "Pause_Menu"));
    EXPECT_TRUE(IsDrawn(*game, "Pause_Overlay"));
    ClickOn(*game, "Quit_No_Button");
    game->RunFrames(1);
    EXPECT_FALSE(IsDrawn(*game, "Quit_Confirmation"));
    EXPECT_TRUE(IsDrawn(*game, "Pause_Menu"));

    // The how-to-play pages turn, and lead back.
    ClickOn(*game, "PHTP_Button");
    game->RunFrames(1);
    EXPECT_TRUE(IsDrawn(*game, "HTP_Page1"));
    ClickOn(*game, "HTP_Next_Button1");
    game->RunFrames(1);
    EXPECT_FALSE(IsDrawn(*game, "HTP_Page1"));
    EXPECT_TRUE(IsDrawn(*game, "HTP_Page2"));
    ClickOn(*game, "HTP_Back_Button");
    game->RunFrames(1);
    EXPECT_FALSE(IsDrawn(*game, "HTP_Page2"));
    EXPECT_TRUE(IsDrawn(*game, "Resume_Game_Button"));

    bHUD::HidePauseMenu(coordinator);
    game->RunFrames(1);
    for (Entity element : hud.PauseMenuEntities)
        EXPECT_FALSE(IsActive(*game, element));
}

TEST(HudEndPopups, TheOverlayFadesInThenThePopUpAndItsButtonsShow)
{
    const auto game = HudGame("Squad4.json");
    Coordinator& coordinator = *game->coordinator;
    for (Entity entity = 0; entity < MAX_ENTITIES; ++entity)
        if (coordinator.GetComponent<Identifier>(entity) != nullptr)
            coordinator.PauseQueue.Freeze(entity, coordinator);
    Hud().ShowEndPopup(coordinator, Hud().LosePopupEntities.front());
    bHUD::ResumeSoldierList(coordinator);
    game->RunFrames(30);
    EXPECT_TRUE(IsDrawn(*game, "FadeIn_Overlay"));
    EXPECT_FALSE(IsDrawn(*game, "LosePopup"));
    game->RunFrames(40);
    EXPECT_NEAR(game->Component<Renderer>("FadeIn_Overlay")->opacity, 0.75f, 0.02f);
    EXPECT_TRUE(IsDrawn(*game, "LosePopup"));
    EXPECT_TRUE(IsDrawn(*game, "Lose_Playagain"));
    EXPECT_FALSE(IsDrawn(*game, "WinPopup"));

    // Play again restarts the level from its file.
    ClickOn(*game, "Lose_Playagain");
    game->RunFrames(2);
    EXPECT_EQ(game->coordinator->CurrentScene, TestGame::Fixture("scenes/hud/Squad4.json"));
    ASSERT_NE(HUDInstance(), nullptr);
    EXPECT_FALSE(IsDrawn(*game, "LosePopup"));
}
