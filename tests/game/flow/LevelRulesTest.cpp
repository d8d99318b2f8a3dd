#include "ScreenElementTesting.h"
#include "support/FrontEndGame.h"
#include "support/LevelRulesGame.h"
#include "support/SoundProbe.h"
#include "support/TestCharacter.h"

#include "engine/components/Font.h"
#include "engine/components/Identifier.h"
#include "engine/platform/SettingsFile.h"
#include "engine/systems/sIdentifierSystem.h"
#include "engine/systems/sPhysicsCollision.h"
#include "engine/systems/sPhysicsMovement.h"
#include "engine/systems/sUIButtonSystem.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/ScreenElements.h"
#include "game/flow/bCameraBehaviour.h"
#include "game/flow/bGameLogic.h"
#include "game/flow/bHUD.h"
#include "game/flow/bImageBehaviour.h"
#include "game/squad/bGameController.h"
#include "game/squad/bPlayerBehaviour.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

// The level's rules on a small level (tests/fixtures/scenes/levelrules/Level.json): two real
// soldiers far from ten zombie stand-ins, a pan to (1500, 700) over 2 s, the HUD, the squad
// controller, the doors and a restart button at the top left of the screen.

namespace
{
constexpr int EscapeKey = 27;

// The fixed steps after which a timer counting 1/60 at a time in single precision reaches the
// seconds.
int StepsToReach(float seconds)
{
    float timer = 0.0f;
    int steps = 0;
    while (timer < seconds)
    {
        timer += 1.0f / 60.0f;
        ++steps;
    }
    return steps;
}

struct Level
{
    Level() : game(LevelRulesGame("Level.json")), rules(&RulesOf(*game))
    {
        game->RunFrames(1);
    }

    Coordinator& World() const { return *game->coordinator; }
    Entity Find(const std::string& name) const { return game->Find(name); }

    // Where a button asking for "Playing" would take the level, with the entry actions done.
    void Play() const
    {
        rules->SetState(GameState::Playing);
        game->RunFrames(1);
    }

    // What a zombie's death does: it stops, and tells the rules.
    void KillZombie(int number) const
    {
        const auto zombie = game->Behaviour<TestCharacter>("Zombie_" + std::to_string(number));
        zombie->CurrentHealth = 0.0f;
        zombie->OnDeath(World());
        bGameLogic::OnZombieKilled();
    }

    void WoundToDeath(const std::string& soldier) const
    {
        game->Behaviour<bPlayerBehaviour>(soldier)->TakeDamage(World(), 1000.0f, NO_ENTITY);
    }

    bool Moves(const std::string& name) const { return IsInSystem<sPhysicsMovement>(World(), Find(name)); }

    int CountNamed(const std::string& prefix) const
    {
        int count = 0;
        for (const Entity entity : World().GetSystem<sIdentifierSystem>()->entities)
            if (const Identifier* identifier = World().GetComponent<Identifier>(entity))
                count += identifier->name.rfind(prefix, 0) == 0 ? 1 : 0;
        return count;
    }

    std::unique_ptr<TestGame> game;
    bGameLogic* rules;
};

// The systems of the level's own entities and of the HUD's bar and pause button (when there is a
// HUD), to compare before and after a pause.
std::vector<std::pair<std::string, std::vector<std::string>>> Memberships(TestGame& game)
{
    std::vector<std::pair<std::string, std::vector<std::string>>> all;
    for (const char* name : {"Camera", "Rules", "SquadControl", "Transition", "Player_1", "Player_2", "Zombie_1",
                             "Zombie_10", "Restart_Button", "HUD_Bar", "Pause_Button"})
        if (const Entity entity = game.Find(name); entity != NO_ENTITY)
            all.emplace_back(name, game.coordinator->GetSystemsOfEntity(entity));
    return all;
}
}

TEST(LevelRules, ALevelCountsItsSquadAndZombiesAndOpensFrozen)
{
    const Level level;
    bGameLogic& rules = *level.rules;
    EXPECT_EQ(GameLogicInstance(), &rules);
    EXPECT_EQ(rules.CurrentState, GameState::Deploy);
    EXPECT_EQ(rules.PreviousState, GameState::Deploy);
    EXPECT_EQ(rules.PlayersAlive, 2);
    ASSERT_EQ(rules.PlayerCensus.size(), 2u);
    EXPECT_EQ(rules.PlayerCensus.at("Player_1"), level.Find("Player_1"));
    EXPECT_EQ(rules.PlayerCensus.at("Player_2"), level.Find("Player_2"));
    EXPECT_EQ(rules.RemainingEnemies, 10);
    EXPECT_EQ(rules.InitialEnemies, 10);
    EXPECT_EQ(rules.Level, LevelId::None) << "a scene that is not one of the four levels";

    level.game->RunFrames(1);
    EXPECT_FALSE(level.Moves("Player_1"));
    EXPECT_FALSE(IsInSystem<sPhysicsCollision>(level.World(), level.Find("Zombie_3")));
    EXPECT_FALSE(IsInSystem<sUIButtonSystem>(level.World(), level.Find("Restart_Button")));
}

TEST(LevelRules, TheOpeningPansAfterTheIntroDelayThenPlaysTheTitles)
{
    const Level level;
    bGameLogic& rules = *level.rules;
    const auto camera = level.game->Behaviour<bCameraBehaviour>("Camera");
    const int panStep = StepsToReach(rules.IntroDelay);
    int steps = 0;
    while (steps < panStep - 1)
    {
        level.game->RunFrames(1);
        steps += level.World().StepCount;
    }
    EXPECT_FALSE(rules.IntroStarted);
    EXPECT_TRUE(camera->Moves.empty());
    level.game->RunFrames(1);
    ASSERT_EQ(steps + level.World().StepCount, panStep);
    EXPECT_TRUE(rules.IntroStarted);
    ASSERT_EQ(camera->Moves.size(), 1u);
    EXPECT_TRUE(camera->Moves.front().Eased);
    EXPECT_EQ(camera->Moves.front().Duration, 2.0f);

    int frames = 0;
    while (!rules.TitlesStarted && frames < 200)
    {
        level.game->RunFrames(1);
        ++frames;
    }
    EXPECT_NEAR(frames, 122, 1) << "two seconds of pan (121 steps) and the frame that takes it";
    const Vector2 view = PlaceOf(*level.game, "Camera");
    EXPECT_NEAR(view.x, 1500.0f, 1.0f);
    EXPECT_NEAR(view.y, 700.0f, 1.0f);
    EXPECT_EQ(rules.CurrentState, GameState::Deploy) << "until the titles have played";

    bHUD* hud = HUDInstance();
    if (hud == nullptr)
        FAIL() << "the HUD did not publish itself";
    ASSERT_EQ(hud->LevelTitleEntities.size(), 2u) << "no title outside the four levels: the two bars";
    frames = 0;
    while (rules.CurrentState == GameState::Deploy && frames < 200)
    {
        level.game->RunFrames(1);
        ++frames;
    }
    EXPECT_EQ(rules.CurrentState, GameState::Playing);
    EXPECT_LT(frames, 90) << "the bars leave within their one-second effects";
    for (const Entity bar : hud->LevelTitleEntities)
        EXPECT_TRUE(HasInactiveBehaviour(level.World(), bar)) << "no bar is left across the screen";
    level.game->RunFrames(1);
    EXPECT_TRUE(level.Moves("Player_1"));
    EXPECT_TRUE(IsDrawn(*level.game, "HUD_Bar"));
}

TEST(LevelRules, TheTitleFadesWithThePanAndWithoutATitleBothBarsLeave)
{
    // The level-title list as the HUD keeps it, with or without a title before the two bars.
    for (const bool titled : {true, false})
    {
        SCOPED_TRACE(titled ? "a title" : "no title");
        const auto game = LevelRulesGame("Titles.json");
        bHUD hud;
        HUDInstance() = &hud;
        const Entity title = game->Find("Level_Title");
        const Entity top = game->Find("Letterbox_Top");
        const Entity bottom = game->Find("Letterbox_Bottom");
        hud.LevelTitleEntities = titled ? std::vector<Entity>{title, top, bottom} : std::vector<Entity>{top, bottom};
        bGameLogic& rules = RulesOf(*game);
        const auto first = game->coordinator->GetBehaviourAs<bImageBehaviour>(hud.LevelTitleEntities.front());
        const float firstHome = first->cameraOffset.y;

        int frames = 0;
        while (!rules.IntroStarted && frames < 300)
        {
            game->RunFrames(1);
            ++frames;
        }
        game->RunFrames(1);
        if (titled)
        {
            EXPECT_EQ(first->FXLimits, 0.0f) << "the title fades out with the pan";
            EXPECT_LT(first->FXSpeed, 0.0f);
        }
        else
        {
            EXPECT_EQ(first->cameraOffset.y, firstHome) << "the bar is no title: it stays until the titles start";
        }

        frames = 0;
        while (!rules.TitlesStarted && frames < 120)
        {
            game->RunFrames(1);
            ++frames;
        }
        ASSERT_TRUE(rules.TitlesStarted);
        EXPECT_EQ(HasInactiveBehaviour(*game->coordinator, title), titled) << "the title has faded by then";
        if (!titled)
        {
            EXPECT_TRUE(first->HideWhenFXEnds);
            game->RunFrames(70);
            EXPECT_TRUE(HasInactiveBehaviour(*game->coordinator, top)) << "no bar is left across the screen";
        }

        // The last entry hides itself when its effect is over (the HUD's title effects start it;
        // here it is hidden by hand where they have not); then the level is played.
        if (const auto last = game->coordinator->GetBehaviourAs<bImageBehaviour>(bottom); last->active)
        {
            EXPECT_EQ(rules.CurrentState, GameState::Deploy);
            last->active = false;
            game->RunFrames(1);
        }
        EXPECT_EQ(rules.CurrentState, GameState::Playing);
        EXPECT_EQ(rules.PreviousState, GameState::Deploy);
    }
}

TEST(LevelRules, KillsMarkTheLastZombiesAfterNinetySecondsAndTheLastKillWins)
{
    const Level level;
    bGameLogic& rules = *level.rules;
    level.Play();
    EXPECT_EQ(rules.CurrentState, GameState::Playing);
    EXPECT_TRUE(level.Moves("Player_1"));

    // The eighth kill leaves exactly two zombies: they become due for marking.
    for (int kill = 1; kill <= 9; ++kill)
    {
        level.KillZombie(kill);
        EXPECT_EQ(rules.RemainingEnemies, 10 - kill);
        EXPECT_NEAR(rules.Progress, 10.0f * static_cast<float>(kill), 1e-3f);
        EXPECT_EQ(rules.MarkPending, kill >= 8) << kill;
    }

    // The mark's clock runs in every state, the pause included.
    level.game->RunFrames(30);
    rules.SetState(GameState::Paused);
    level.game->RunFrames(30);
    EXPECT_NEAR(rules.MarkTimer, 1.0f, 1e-4f);
    std::swap(rules.CurrentState, rules.PreviousState);
    level.game->RunFrames(1);
    EXPECT_EQ(rules.CurrentState, GameState::Playing);

    rules.MarkTimer = 89.9f;
    level.game->RunFrames(5);
    EXPECT_FALSE(rules.MarkDone);
    EXPECT_EQ(level.game->Behaviour<TestCharacter>("Zombie_10")->DangerIcon, NO_ENTITY);
    level.game->RunFrames(3);
    EXPECT_TRUE(rules.MarkDone);
    EXPECT_NE(level.game->Behaviour<TestCharacter>("Zombie_10")->DangerIcon, NO_ENTITY);
    EXPECT_EQ(level.game->Behaviour<TestCharacter>("Zombie_9")->DangerIcon, NO_ENTITY) << "the dead are not marked";
    if (bHUD* hud = HUDInstance())
    {
        level.game->RunFrames(1);
        bool shown = false;
        for (const Entity text : hud->PopUpTextEntities)
            if (const Font* font = level.World().GetComponent<Font>(text))
                shown = shown || font->message == "The remaining zombies left are marked";
        EXPECT_TRUE(shown);
    }

    level.KillZombie(10);
    EXPECT_GE(rules.Progress, 99.9f);
    level.game->RunFrames(1);
    EXPECT_EQ(rules.CurrentState, GameState::Win);
    EXPECT_FALSE(level.World().LevelUnlocked[1]) << "the fixture is no level: nothing to unlock";
    level.game->RunFrames(1);
    EXPECT_TRUE(level.game->Sound().IsBgmPlaying("winbgm_true_gameBGM_"));
    EXPECT_FALSE(level.Moves("Player_1"));
    if (HUDInstance() != nullptr)
    {
        // The overlay fades in first, then the pop-up shows.
        EXPECT_FALSE(IsDrawn(*level.game, "WinPopup"));
        int frames = 0;
        while (!IsDrawn(*level.game, "WinPopup") && frames < 180)
        {
            level.game->RunFrames(1);
            ++frames;
        }
        EXPECT_TRUE(IsDrawn(*level.game, "WinPopup"));
    }

    rules.SetState(GameState::Paused);
    level.game->RunFrames(1);
    EXPECT_EQ(rules.CurrentState, GameState::Win) << "no pause over the win";
}

TEST(LevelRules, AWinUnlocksTheNextLevelAndSavesItAtOnce)
{
    const struct
    {
        const char* scene;
        int highestBefore;
        int unlocked;
        int highestAfter;
        const char* settingsKey;
    } cases[] = {
        {"Resources/Level_AbandonedHouse.json", 0, 1, 1, "Unlocked Farmhouse"},
        {"Resources/Level_Farmhouse.json", 1, 2, 2, "Unlocked Warehouse"},
        {"Resources/Level_Warehouse.json", 2, 3, 3, "Unlocked TownHall"},
        // A level won again leaves the highest level as it was.
        {"Resources/Level_AbandonedHouse.json", 3, 1, 3, "Unlocked Farmhouse"},
        // The last level has nothing after it.
        {"Resources/Level_TownHall.json", 3, -1, 3, nullptr},
    };
    const Level level;
    Coordinator& world = level.World();
    const std::string fixture = world.CurrentScene;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.scene);
        world.LevelUnlocked = {{0, true}, {1, false}, {2, false}, {3, false}};
        world.HighestUnlockedLevel = c.highestBefore;
        SaveConfig(world);
        world.CurrentScene = c.scene;
        level.rules->CurrentState = GameState::Playing;
        level.rules->Win(world);
        EXPECT_EQ(level.rules->CurrentState, GameState::Win);
        for (int other = 1; other <= 3; ++other)
            EXPECT_EQ(world.LevelUnlocked[other], other == c.unlocked) << other;
        EXPECT_EQ(world.HighestUnlockedLevel, c.highestAfter);
        if (c.settingsKey != nullptr)
        {
            EXPECT_EQ(SettingsMember(*level.game, c.settingsKey), "true") << "in the file before any frame";
        }
    }
    world.CurrentScene = fixture;
}

TEST(LevelRules, TheLastSoldiersDeathLosesTheLevelWithOneDeathSound)
{
    const Level level;
    bGameLogic& rules = *level.rules;
    level.Play();
    SoundProbe death(level.game->Sound(), "PlayerDie_false_SFX_");
    level.WoundToDeath("Player_1");
    level.WoundToDeath("Player_2");
    level.game->RunFrames(1);
    EXPECT_EQ(rules.PlayersAlive, 0);
    EXPECT_TRUE(death.Played()) << "the soldiers' own deaths";
    EXPECT_EQ(rules.CurrentState, GameState::Playing);

    level.game->RunFrames(1);
    EXPECT_EQ(rules.CurrentState, GameState::Lose);
    EXPECT_TRUE(death.Played()) << "the lost level";
    for (int frame = 0; frame < 30; ++frame)
    {
        level.game->RunFrames(1);
        EXPECT_FALSE(death.Played()) << frame;
    }
    EXPECT_FALSE(IsInSystem<sPhysicsCollision>(level.World(), level.Find("Zombie_1")));
    rules.SetState(GameState::Paused);
    EXPECT_EQ(rules.CurrentState, GameState::Lose) << "no pause over the loss";
}

TEST(LevelRules, LosingWithTheKillOptionKillsOnlyTheLiving)
{
    const Level level;
    bGameLogic& rules = *level.rules;
    level.Play();
    level.WoundToDeath("Player_1");
    level.game->RunFrames(1);
    ASSERT_EQ(rules.PlayersAlive, 1);
    const int drops = level.CountNamed("Ammo_Drop");

    rules.Lose(level.World(), true);
    EXPECT_EQ(rules.PlayersAlive, 0) << "the dead soldier is not counted out again";
    EXPECT_FALSE(level.game->Behaviour<bPlayerBehaviour>("Player_2")->active);
    EXPECT_EQ(level.CountNamed("Ammo_Drop"), drops + 1) << "only the living soldier drops its ammunition";
    EXPECT_EQ(rules.CurrentState, GameState::Lose);
}

TEST(LevelRules, LosingTheFocusPausesAndPreviousRestoresEverything)
{
    const Level level;
    bGameLogic& rules = *level.rules;

    // In the opening: the intro's clock stops while paused.
    level.game->RunFrames(10);
    level.game->platform.SetFocused(false);
    level.game->RunFrames(1);
    EXPECT_EQ(rules.CurrentState, GameState::Paused);
    EXPECT_EQ(rules.PreviousState, GameState::Deploy);
    const float intro = rules.IntroTimer;
    level.game->RunFrames(20);
    EXPECT_EQ(rules.IntroTimer, intro);
    level.game->platform.SetFocused(true);
    std::swap(rules.CurrentState, rules.PreviousState);
    level.game->RunFrames(1);
    EXPECT_EQ(rules.CurrentState, GameState::Deploy);
    EXPECT_GT(rules.IntroTimer, intro);
    if (HUDInstance() != nullptr)
    {
        EXPECT_TRUE(HasInactiveBehaviour(level.World(), level.Find("Resume_Game_Button"))) << "the pause menu hides";
    }

    // In play: everything frozen, then every membership back as it was.
    level.Play();
    level.game->RunFrames(1);
    const auto before = Memberships(*level.game);
    level.game->platform.SetFocused(false);
    level.game->RunFrames(2);
    EXPECT_EQ(rules.CurrentState, GameState::Paused);
    EXPECT_EQ(rules.PreviousState, GameState::Playing);
    EXPECT_FALSE(level.Moves("Player_2"));
    EXPECT_FALSE(IsInSystem<sUIButtonSystem>(level.World(), level.Find("Restart_Button")));
    level.game->platform.SetFocused(true);
    std::swap(rules.CurrentState, rules.PreviousState);
    level.game->RunFrames(1);
    EXPECT_EQ(rules.CurrentState, GameState::Playing);
    EXPECT_EQ(Memberships(*level.game), before);
}

TEST(LevelRules, EscapePausesAndResumesThePlay)
{
    const Level level;
    bGameLogic& rules = *level.rules;
    level.Play();
    if (GameControllerInstance() == nullptr)
        FAIL() << "the squad controller did not publish itself";
    level.game->RunFrames(1);
    const auto before = Memberships(*level.game);
    level.game->Tap(EscapeKey);
    EXPECT_EQ(rules.CurrentState, GameState::Paused);
    EXPECT_FALSE(level.Moves("Player_1"));
    // A key pressed again in the frame right after its completed press is not a new press.
    level.game->RunFrames(1);
    level.game->Tap(EscapeKey);
    level.game->RunFrames(1);
    EXPECT_EQ(rules.CurrentState, GameState::Playing);
    EXPECT_EQ(Memberships(*level.game), before);
}

TEST(LevelRules, ThePauseMenuResumesThePlayOrRestartsTheLevel)
{
    const Level level;
    bGameLogic& rules = *level.rules;
    level.Play();
    if (HUDInstance() == nullptr)
        FAIL() << "the HUD did not publish itself";
    WaitForOpenDoors(*level.game);
    const auto before = Memberships(*level.game);

    ClickOn(*level.game, "Pause_Button");
    level.game->RunFrames(1);
    EXPECT_EQ(rules.CurrentState, GameState::Paused);
    EXPECT_FALSE(level.Moves("Player_1"));
    EXPECT_FALSE(IsDrawn(*level.game, "HUD_Bar"));
    EXPECT_TRUE(IsDrawn(*level.game, "Resume_Game_Button"));
    ClickOn(*level.game, "Resume_Game_Button");
    level.game->RunFrames(2);
    EXPECT_EQ(rules.CurrentState, GameState::Playing);
    EXPECT_EQ(Memberships(*level.game), before);
    EXPECT_FALSE(IsDrawn(*level.game, "Resume_Game_Button"));

    level.KillZombie(1);
    ClickOn(*level.game, "Pause_Button");
    level.game->RunFrames(1);
    ClickOn(*level.game, "Restart_Game_Button");
    level.game->RunFrames(1);
    ClickOn(*level.game, "Restart_Yes_Button");
    int frames = 0;
    while (GameLogicInstance() != nullptr && GameLogicInstance()->RemainingEnemies != 10 && frames < 200)
    {
        level.game->RunFrames(1);
        ++frames;
    }
    ASSERT_NE(GameLogicInstance(), nullptr);
    EXPECT_EQ(GameLogicInstance()->RemainingEnemies, 10) << "the level loaded afresh";
    EXPECT_EQ(GameLogicInstance()->CurrentState, GameState::Deploy);
}

TEST(LevelRules, RestartLoadsTheSameLevelAfresh)
{
    const Level level;
    level.Play();
    level.KillZombie(1);
    const std::string scene = level.World().CurrentScene;
    WaitForOpenDoors(*level.game);
    ClickScreen(*level.game, 120, 1000);
    // The new scene's rules may live where the old ones did: they are known by their count.
    int frames = 0;
    while (GameLogicInstance() != nullptr && GameLogicInstance()->RemainingEnemies != 10 && frames < 200)
    {
        level.game->RunFrames(1);
        ++frames;
    }
    ASSERT_NE(GameLogicInstance(), nullptr);
    EXPECT_LT(frames, 200);
    EXPECT_EQ(level.World().CurrentScene, scene);
    const bGameLogic& fresh = *GameLogicInstance();
    EXPECT_EQ(fresh.CurrentState, GameState::Deploy);
    EXPECT_EQ(fresh.RemainingEnemies, 10);
    EXPECT_EQ(fresh.Progress, 0.0f);
    EXPECT_EQ(fresh.PlayersAlive, 2);
}

TEST(LevelRules, ZombiesBecomeDueForMarkingAtEightyFivePercentOrWithTwoLeft)
{
    const struct
    {
        ObjectiveType objective;
        int zombies;
        int kills;
        float progress;
        bool due;
    } cases[] = {
        {ObjectiveType::KillAllZombies, 20, 16, 80.0f, false},
        {ObjectiveType::KillAllZombies, 20, 17, 85.0f, true}, // three still standing
        {ObjectiveType::KillAllZombies, 10, 7, 70.0f, false},
        {ObjectiveType::KillAllZombies, 10, 8, 80.0f, true}, // exactly two left
        {ObjectiveType::Escape, 10, 7, 0.0f, false},
        {ObjectiveType::Escape, 10, 8, 0.0f, true},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.zombies << " zombies, " << c.kills << " kills");
        bGameLogic rules;
        GameLogicInstance() = &rules;
        rules.GameObjective = c.objective;
        rules.InitialEnemies = c.zombies;
        rules.RemainingEnemies = c.zombies;
        for (int kill = 0; kill < c.kills; ++kill)
            bGameLogic::OnZombieKilled();
        EXPECT_NEAR(rules.Progress, c.progress, 1e-3f);
        EXPECT_EQ(rules.MarkPending, c.due);
    }
    EXPECT_EQ(GameLogicInstance(), nullptr);
}
