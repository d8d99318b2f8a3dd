#include "ScreenElementTesting.h"

#include "engine/components/Font.h"
#include "engine/systems/sFontSystem.h"
#include "engine/systems/sRendererSystem.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/ScreenElements.h"
#include "game/flow/TextFlash.h"
#include "game/flow/bFontBehaviour.h"
#include "game/flow/bGameLogic.h"
#include "game/squad/bPlayerBehaviour.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

using testing::ElementsAre;

namespace
{
const float White[3] = {1.0f, 1.0f, 1.0f};
const float Red[3] = {1.0f, 0.0f, 0.0f};

bool HasColour(const Font& text, const float (&colour)[3])
{
    return std::equal(std::begin(colour), std::end(colour), std::begin(text.color));
}

// The soldier's figures, none of them low for the fixture's thresholds.
void PlentifulSoldier(bPlayerBehaviour& soldier)
{
    soldier.active = true;
    soldier.ClipRounds = 30;
    soldier.AmmoTotal = 90;
    soldier.HealthPacks = 1;
    soldier.Grenades = 3;
    soldier.Molotovs = 3;
    soldier.WeaponStats.InfiniteAmmo = false;
    soldier.InfiniteExplosives = false;
}

// Frames (counted from 1) in which the text's colour turned, over `frames` frames.
std::vector<int> ColourTurns(TestGame& game, const Font& text, int frames)
{
    std::vector<int> turns;
    bool flashColour = HasColour(text, Red);
    for (int frame = 1; frame <= frames; ++frame)
    {
        game.RunFrames(1);
        if (HasColour(text, Red) != flashColour)
            turns.push_back(frame);
        flashColour = HasColour(text, Red);
    }
    return turns;
}
}

TEST(TextBehaviour, ATypewriterTypesFifteenCharactersASecondThenShowsTheNextText)
{
    const auto game = StartScreenScene("Texts.json");
    const Font* caption = game->Component<Font>("Caption");
    const auto next = game->Behaviour<bFontBehaviour>("Next_Caption");
    EXPECT_EQ(caption->message, "");

    // One fixed step a frame: the timer reaches 1/15 after four steps and is tested before the
    // frame's step is added, so a character shows every fourth frame from the fifth.
    std::vector<int> typed;
    std::string shown;
    for (int frame = 1; frame <= 24; ++frame)
    {
        game->RunFrames(1);
        if (caption->message != shown)
            typed.push_back(frame);
        shown = caption->message;
        EXPECT_EQ(next->active, frame >= 21) << "frame " << frame;
    }
    EXPECT_THAT(typed, ElementsAre(5, 9, 13, 17, 21));
    EXPECT_EQ(caption->message, "HELLO");
    EXPECT_TRUE(IsInSystem<sFontSystem>(*game->coordinator, game->Find("Next_Caption")));
}

TEST(TextBehaviour, APopUpRisesHidesItselfAndGoesBackToItsStart)
{
    const auto game = StartScreenScene("Texts.json");
    Coordinator& coordinator = *game->coordinator;
    const Entity entity = game->Find("Rising");
    const auto popUp = game->Behaviour<bFontBehaviour>("Rising");
    const Font* text = game->Component<Font>("Rising");
    EXPECT_FALSE(IsInSystem<sFontSystem>(coordinator, entity));

    ClickWorld(*game, 1700, 100);
    int shownFrames = 0;
    float offset = -240.0f;
    for (game->RunFrames(1); popUp->active && shownFrames < 200; game->RunFrames(1))
    {
        ++shownFrames;
        offset += 1.6666667f;
        EXPECT_FLOAT_EQ(popUp->cameraOffset.y, offset);
        EXPECT_FLOAT_EQ(text->worldYPos, 540.0f + offset) << "it stays in front of the camera";
        EXPECT_TRUE(IsInSystem<sFontSystem>(coordinator, entity));
    }
    // "ShowTimer" 2: about 120 fixed steps, about 200 units up; the next frame puts it back.
    EXPECT_GE(shownFrames, 120);
    EXPECT_LE(shownFrames, 121);
    EXPECT_GT(popUp->cameraOffset.y, -45.0f);
    game->RunFrames(1);
    EXPECT_FLOAT_EQ(popUp->cameraOffset.y, -240.0f);
    EXPECT_FALSE(IsInSystem<sFontSystem>(coordinator, entity));
    EXPECT_FALSE(IsInSystem<sRendererSystem>(coordinator, entity));
}

TEST(TextBehaviour, AHiddenTextKeepsItsPlace)
{
    const auto game = StartScreenScene("Texts.json");
    const Font* note = game->Component<Font>("Plain_Note");
    ClickWorld(*game, 1400, 100);
    game->RunFrames(1);
    EXPECT_FALSE(IsInSystem<sFontSystem>(*game->coordinator, game->Find("Plain_Note")));
    EXPECT_FLOAT_EQ(note->worldXPos, 300.0f) << "not moved to the world's origin";
    EXPECT_FLOAT_EQ(note->worldYPos, 900.0f);
}

TEST(TextBehaviour, BoundTextsShowTheSoldiersFiguresAndFlashWhenLow)
{
    const auto game = StartScreenScene("Squad.json");
    const auto soldier = game->Behaviour<bPlayerBehaviour>("Player_1");
    ASSERT_NE(soldier, nullptr);

    // The soldier's own data is read by its class; the figures are set here as play would.
    const struct
    {
        const char* what;
        const char* text;
        std::function<void(bPlayerBehaviour&)> change;
        const char* message;
        TextEffect effect;
    } cases[] = {
        {"health packs", "Packs_Text", [](bPlayerBehaviour& s) { s.HealthPacks = 3; }, "3", TextEffect::NoFX},
        {"health packs never flash", "Packs_Text", [](bPlayerBehaviour& s) { s.HealthPacks = 0; }, "0",
         TextEffect::NoFX},
        {"rounds in the clip", "Clip_Text", [](bPlayerBehaviour& s) { s.ClipRounds = 12; }, "12", TextEffect::NoFX},
        {"a low clip flashes", "Clip_Text", [](bPlayerBehaviour& s) { s.ClipRounds = 4; }, "4", TextEffect::Flashing},
        {"unlimited ammunition", "Clip_Text",
         [](bPlayerBehaviour& s) {
             s.ClipRounds = 4;
             s.WeaponStats.InfiniteAmmo = true;
         },
         "INF", TextEffect::NoFX},
        {"a dead soldier's low figure", "Clip_Text",
         [](bPlayerBehaviour& s) {
             s.ClipRounds = 1;
             s.active = false;
         },
         "1", TextEffect::NoFX},
        {"spare rounds", "Spare_Text", [](bPlayerBehaviour& s) { s.AmmoTotal = 90; }, "90", TextEffect::NoFX},
        {"few spare rounds flash", "Spare_Text", [](bPlayerBehaviour& s) { s.AmmoTotal = 6; }, "6",
         TextEffect::Flashing},
        {"unlimited spare rounds", "Spare_Text",
         [](bPlayerBehaviour& s) {
             s.AmmoTotal = 6;
             s.WeaponStats.InfiniteAmmo = true;
         },
         "INF", TextEffect::NoFX},
        {"grenades", "Grenade_Text", [](bPlayerBehaviour& s) { s.Grenades = 2; }, "2", TextEffect::NoFX},
        {"the last grenade flashes", "Grenade_Text", [](bPlayerBehaviour& s) { s.Grenades = 1; }, "1",
         TextEffect::Flashing},
        {"unlimited grenades never flash", "Grenade_Text",
         [](bPlayerBehaviour& s) {
             s.Grenades = 0;
             s.InfiniteExplosives = true;
         },
         "INF", TextEffect::NoFX},
        {"molotovs", "Molotov_Text", [](bPlayerBehaviour& s) { s.Molotovs = 5; }, "5", TextEffect::NoFX},
        {"no molotov left flashes", "Molotov_Text", [](bPlayerBehaviour& s) { s.Molotovs = 0; }, "0",
         TextEffect::Flashing},
        {"unlimited molotovs", "Molotov_Text",
         [](bPlayerBehaviour& s) {
             s.Molotovs = 0;
             s.InfiniteExplosives = true;
         },
         "INF", TextEffect::NoFX},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        PlentifulSoldier(*soldier);
        c.change(*soldier);
        game->RunFrames(1);
        const Font* text = game->Component<Font>(c.text);
        EXPECT_EQ(text->message, c.message);
        EXPECT_EQ(game->Behaviour<bFontBehaviour>(c.text)->FontFX, c.effect);
        if (c.effect == TextEffect::NoFX)
        {
            EXPECT_TRUE(HasColour(*text, White)) << "back to its own colour";
        }
    }

    // The remaining zombies come from the level rules, when the scene has them.
    const Font* zombies = game->Component<Font>("Zombie_Text");
    EXPECT_EQ(zombies->message, "?");
    bGameLogic level;
    level.RemainingEnemies = 7;
    GameLogicInstance() = &level;
    game->RunFrames(1);
    EXPECT_EQ(zombies->message, "7");
    GameLogicInstance() = nullptr;
    level.RemainingEnemies = 3;
    game->RunFrames(1);
    EXPECT_EQ(zombies->message, "7") << "no level rules: the text is left alone";
    EXPECT_TRUE(WorldIsSane(*game->coordinator));
}

TEST(TextBehaviour, FlashingTextsShareOnePhaseAndHandTheClockOver)
{
    const auto game = StartScreenScene("Squad.json");
    const auto soldier = game->Behaviour<bPlayerBehaviour>("Player_1");
    PlentifulSoldier(*soldier);
    soldier->Grenades = 1;
    soldier->Molotovs = 1;
    game->RunFrames(1);
    const Font* grenades = game->Component<Font>("Grenade_Text");
    const Font* molotovs = game->Component<Font>("Molotov_Text");
    // The first to update drives the clock at its own speed (1 a second).
    EXPECT_EQ(FlashOwner(), game->Find("Grenade_Text"));
    std::vector<int> turns[2];
    bool flashColour[2] = {HasColour(*grenades, Red), HasColour(*molotovs, Red)};
    for (int frame = 1; frame <= 130; ++frame)
    {
        game->RunFrames(1);
        for (int i = 0; i < 2; ++i)
        {
            const bool red = HasColour(i == 0 ? *grenades : *molotovs, Red);
            if (red != flashColour[i])
                turns[i].push_back(frame);
            flashColour[i] = red;
        }
    }
    ASSERT_EQ(turns[0].size(), 2u);
    EXPECT_NEAR(turns[0][1] - turns[0][0], 60, 1);
    // In step: a text that updates after the driver turns in the frame the phase flips, the
    // driver itself shows it from its next frame.
    ASSERT_EQ(turns[1].size(), 2u);
    for (std::size_t turn = 0; turn < 2; ++turn)
        EXPECT_EQ(turns[0][turn] - turns[1][turn], 1);

    // The driver's figure recovers: it lets the clock go, and the other drives it at its speed
    // (4 a second).
    soldier->Grenades = 5;
    game->RunFrames(1);
    EXPECT_EQ(FlashOwner(), game->Find("Molotov_Text"));
    EXPECT_TRUE(HasColour(*grenades, White));
    const std::vector<int> quicker = ColourTurns(*game, *molotovs, 40);
    ASSERT_GE(quicker.size(), 3u);
    EXPECT_NEAR(quicker[2] - quicker[1], 15, 1);
    EXPECT_TRUE(WorldIsSane(*game->coordinator));
}

TEST(TextBehaviour, TheFlashClockIsFreedWhenItsDriverIsDestroyedOrItsSceneUnloads)
{
    const auto game = StartScreenScene("FlashFirst.json");
    EXPECT_EQ(FlashOwner(), game->Find("Old_Flash"));

    // Nothing on these screens destroys a text, so the test does.
    game->coordinator->DestroyEntity(game->Find("Old_Flash"));
    game->RunFrames(2);
    EXPECT_EQ(FlashOwner(), game->Find("Other_Flash"));
    EXPECT_FALSE(ColourTurns(*game, *game->Component<Font>("Other_Flash"), 40).empty());

    game->coordinator->PendingScene = ScreenScene("FlashSecond.json");
    game->RunFrames(1);
    ASSERT_NE(game->Find("New_Flash"), NO_ENTITY);
    game->RunFrames(1);
    EXPECT_EQ(FlashOwner(), game->Find("New_Flash"));
    EXPECT_GE(ColourTurns(*game, *game->Component<Font>("New_Flash"), 40).size(), 2u) << "the phase still turns";
}
