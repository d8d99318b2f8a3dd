// The four levels at their busiest, in a real 1920 by 1080 window on the software renderer:
// every soldier made invulnerable with endless ammunition and explosives, every zombie made
// invulnerable, roused and sent after the nearest soldier, and a grenade or molotov thrown every
// 45 frames, so the squad shoots without pause while zombies claw at it and fire burns. After the
// crowd has closed in, each frame is measured twice over: the systems' updates without the
// drawing (input to fonts, then the frame's pause and destroy queues; targets 2 ms), and the whole
// frame from swap to swap (target 16.7 ms). Counters give the medians in milliseconds with what
// the frames held (zombies chasing or attacking, soldiers shooting, explosives and damage areas
// alive, entities) and the resident memory with the level running (target 256 MB).
// Entering a level is measured from a game on the level select, as the transition does it: the
// third resource stage, then the scene swap at the end of one frame (target 300 ms).
// Run under Xvfb from a Release build folder (the game's assets are read from it):
//   xvfb-run -a -s "-screen 0 1920x1080x24" ./bench/bench_LevelBench
// DUSKVANE_BUSY_FRAMES sets the measured frames per level (default 240).
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/core/FrameClock.h"
#include "engine/core/GameStartUp.h"
#include "engine/core/sBehaviourSystem.h"
#include "engine/platform/Window.h"
#include "engine/platform/WindowState.h"
#include "engine/platform/audio/AudioOutputMode.h"
#include "engine/systems/sIdentifierSystem.h"
#include "engine/systems/sRendererSystem.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bGameLogic.h"
#include "game/squad/bAOEdamage.h"
#include "game/squad/bExplosives.h"
#include "game/squad/bPlayerBehaviour.h"
#include "game/squad/bZombieBehaviour.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>
// Last: Xlib's macros would break the headers above.
#include <X11/Xlib.h>

namespace
{
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : 0.5 * (values[middle - 1] + values[middle]);
}

double Milliseconds(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

int FromEnvironment(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value != nullptr && std::atoi(value) > 0 ? std::atoi(value) : fallback;
}

// A "VmRSS:" or "VmHWM:" line of /proc/self/status in megabytes.
double StatusMegabytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return static_cast<double>(std::stol(line.substr(field.size()))) / 1024.0;
    return 0.0;
}

// The window, the build folder and a folder for settings files, once per run.
struct Stage
{
    fs::path folder;
    std::string problem;
    Display* keepAlive = nullptr;

    Stage()
    {
        const fs::path self = fs::read_symlink("/proc/self/exe");
        fs::current_path(self.parent_path().parent_path());
        if (!fs::exists("Resources/images"))
        {
            problem = "no generated assets in the build folder";
            return;
        }
        folder = fs::temp_directory_path() / ("duskvane-levels-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        DefaultAudioOutputMode() = AudioOutputMode::Silent;
        // An X server resets when its last client leaves, and each game's shut-down closes GLFW's
        // connection: one connection of our own keeps the server up between games.
        keepAlive = XOpenDisplay(nullptr);
        if (!OpenWindow())
            problem = "no window (run under Xvfb)";
    }

    // A game's shut-down closes the window with GLFW: the next game gets a new one.
    static bool OpenWindow()
    {
        if (WindowState::window != nullptr)
            return true;
        WindowState::fullScreen = false;
        if (!CreateWindowContext(1920, 1080, "LevelBench"))
            return false;
        // Frames are timed as fast as they come, not paced by the display; the renderer swaps as
        // in the entry.
        glfwSwapInterval(0);
        WindowState::showLastFrame = glfwSwapBuffers;
        return true;
    }
    ~Stage()
    {
        if (keepAlive != nullptr)
            XCloseDisplay(keepAlive);
        if (!folder.empty())
            fs::remove_all(folder);
    }
};

Stage& TheStage()
{
    static Stage stage;
    return stage;
}

// The game started as the entry starts it, on a scene of the settings, with a clock that moves
// one fixed step per frame so every frame simulates exactly once.
class Game
{
public:
    explicit Game(const std::string& startingScene) : coordinator(std::make_unique<Coordinator>())
    {
        Stage::OpenWindow();
        const fs::path settings = TheStage().folder / "settings.json";
        std::ofstream(settings) << R"({ "wWidth": 1920, "wHeight": 1080, "StartingLevel": ")" << startingScene
                                << R"(", "PrefabJSON": "Resources/Prefab.json", "PeformanceOutput": false,
                                      "EnableFullScreen": false, "Mute": true })";
        RegisterEngine(*coordinator);
        // The window is the benchmark's: the game draws into it.
        StartGame(*coordinator, {settings, false});
    }
    ~Game() { coordinator->ShutDown(); }
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    void Frame()
    {
        clock.Tick(now, *coordinator);
        now += FrameClock::FixedStep;
        coordinator->Update();
    }

    // One frame as Coordinator::Update runs it (the window is in front; no scene swap comes),
    // with the systems' updates timed apart from the drawing. The milliseconds without drawing.
    double TimedFrameWithoutDrawing()
    {
        clock.Tick(now, *coordinator);
        now += FrameClock::FixedStep;
        Coordinator& c = *coordinator;
        double spent = 0.0;
        const Clock::time_point started = Clock::now();
        Clock::time_point drawStart = started;
        Clock::time_point drawEnd = started;
        c.SystemManager.ForEachSystem([&](const std::string& name, sSystemBase& system) {
            const bool drawing = name.find("sRendererSystem") != std::string::npos;
            if (drawing)
                drawStart = Clock::now();
            system.Update(c);
            if (drawing)
                drawEnd = Clock::now();
        });
        c.PauseQueue.Apply(c);
        c.ProcessDestroyedEntities();
        spent = Milliseconds(started, Clock::now()) - Milliseconds(drawStart, drawEnd);
        // The software renderer finishes the frame on its own threads; let it, outside the timing.
        glFinish();
        return spent;
    }

    std::unique_ptr<Coordinator> coordinator;

private:
    FrameClock clock;
    double now = 1.0;
};

std::vector<Entity> Tagged(Coordinator& c, const std::string& tag)
{
    const std::set<Entity> found = c.GetSystem<sIdentifierSystem>()->FindEntitiesWithTag(c, tag);
    return {found.begin(), found.end()};
}

Vector2 PositionOf(Coordinator& c, Entity entity)
{
    const Transform* place = c.GetComponent<Transform>(entity);
    return place != nullptr ? place->position : Vector2{};
}

float Distance(Vector2 a, Vector2 b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

// What a busy frame holds.
struct Crowd
{
    int hunting = 0;
    int shooting = 0;
    int explosives = 0;
    int areas = 0;
    int entities = 0;
};

// The level at its busiest, and kept there.
class Battle
{
public:
    explicit Battle(Game& game) : game(game) {}

    // Everyone made tireless and every zombie sent at the nearest soldier.
    void Rouse()
    {
        Coordinator& c = *game.coordinator;
        for (Entity soldier : Tagged(c, "PLAYER"))
            if (const auto behaviour = c.GetBehaviourAs<bPlayerBehaviour>(soldier))
            {
                behaviour->Invulnerable = true;
                behaviour->WeaponStats.InfiniteAmmo = true;
                behaviour->InfiniteExplosives = true;
                soldiers.push_back(soldier);
            }
        for (Entity zombie : Tagged(c, "ENEMY"))
            if (const auto behaviour = c.GetBehaviourAs<bCharacterBehaviour>(zombie))
            {
                behaviour->Invulnerable = true;
                behaviour->TriggerRange = 100000.0f;
                if (const auto plain = std::dynamic_pointer_cast<bZombieBehaviour>(behaviour))
                {
                    plain->Target = Nearest(soldiers, PositionOf(c, zombie));
                    plain->ZombieState = bZombieBehaviour::StateChasing;
                }
            }
    }

    // Every 45 frames the next soldier throws, grenades and molotovs in turn, at the zombie
    // nearest to it (at most 600 units away along its way).
    void Frame()
    {
        Coordinator& c = *game.coordinator;
        if (++frame % 45 == 0 && !soldiers.empty())
        {
            const Entity thrower = soldiers[throws % soldiers.size()];
            const auto behaviour = c.GetBehaviourAs<bPlayerBehaviour>(thrower);
            const Vector2 from = PositionOf(c, thrower);
            const Entity aim = Nearest(Tagged(c, "ENEMY"), from);
            if (behaviour != nullptr && behaviour->active && aim != NO_ENTITY)
            {
                Vector2 to = PositionOf(c, aim);
                const float distance = Distance(from, to);
                if (distance > 600.0f)
                    to = {from.x + (to.x - from.x) / distance * 600.0f, from.y + (to.y - from.y) / distance * 600.0f};
                behaviour->Throw(c, throws % 2 == 0 ? "Grenade" : "Molotov", std::min(distance, 600.0f), {to}, {});
            }
            ++throws;
        }
        game.Frame();
    }

    Crowd Count() const
    {
        Coordinator& c = *game.coordinator;
        Crowd crowd;
        crowd.entities = c.EntityManager.LivingCount();
        for (Entity zombie : Tagged(c, "ENEMY"))
            if (const auto plain = c.GetBehaviourAs<bZombieBehaviour>(zombie))
                crowd.hunting += plain->ZombieState == bZombieBehaviour::StateChasing ||
                                 plain->ZombieState == bZombieBehaviour::StateAttacking;
            else if (c.GetBehaviourAs<bCharacterBehaviour>(zombie) != nullptr)
                ++crowd.hunting;
        for (Entity soldier : soldiers)
            if (const auto behaviour = c.GetBehaviourAs<bPlayerBehaviour>(soldier))
                crowd.shooting += behaviour->ActionState == bPlayerBehaviour::ActionShooting;
        for (std::size_t id = 0; id < MAX_ENTITIES; ++id)
        {
            const Entity entity = static_cast<Entity>(id);
            if (!c.IsAlive(entity))
                continue;
            crowd.explosives += c.GetBehaviourAs<bExplosives>(entity) != nullptr;
            crowd.areas += c.GetBehaviourAs<bAOEdamage>(entity) != nullptr;
        }
        return crowd;
    }

private:
    Entity Nearest(const std::vector<Entity>& among, Vector2 point) const
    {
        Entity nearest = NO_ENTITY;
        float best = std::numeric_limits<float>::max();
        for (Entity entity : among)
            if (const float distance = Distance(PositionOf(*game.coordinator, entity), point); distance < best)
            {
                best = distance;
                nearest = entity;
            }
        return nearest;
    }

    Game& game;
    std::vector<Entity> soldiers;
    int frame = 0;
    std::size_t throws = 0;
};

// A game on the logo with every stage loaded, swapped into the level.
// The level as the player reaches it: through the level select (the second stage loaded on the
// way there), which asks for the third stage as it leaves for the level.
std::unique_ptr<Game> LevelGame(const std::string& level)
{
    auto game = std::make_unique<Game>("Resources/LogoScene.json");
    Coordinator& c = *game->coordinator;
    c.ResourceManager.LoadStage2(c);
    c.PendingScene = "Resources/LevelSelect.json";
    game->Frame();
    game->Frame();
    c.ResourceManager.LoadStage3(c);
    c.PendingScene = level;
    game->Frame();
    return game;
}

void Busiest(benchmark::State& state, const std::string& level)
{
    Stage& stage = TheStage();
    if (!stage.problem.empty())
    {
        state.SkipWithError(stage.problem.c_str());
        return;
    }
    if (!fs::exists(level))
    {
        state.SkipWithError((level + " is not authored yet").c_str());
        return;
    }
    const int frames = FromEnvironment("DUSKVANE_BUSY_FRAMES", 240);
    std::vector<double> updates;
    std::vector<double> wholeFrames;
    Crowd crowd;
    double resident = 0.0;
    for (auto _ : state)
    {
        auto game = LevelGame(level);
        Battle battle(*game);
        // The opening plays out (the intro pan and titles), then the crowd is roused and given
        // four seconds to close in.
        for (int i = 0; i < 1200; ++i)
        {
            game->Frame();
            if (GameLogicInstance() != nullptr && GameLogicInstance()->CurrentState == GameState::Playing)
                break;
        }
        if (GameLogicInstance() != nullptr && GameLogicInstance()->CurrentState == GameState::Deploy)
            GameLogicInstance()->SetState(GameState::Playing);
        battle.Rouse();
        for (int i = 0; i < 240; ++i)
            battle.Frame();
        for (int i = 0; i < frames; ++i)
        {
            updates.push_back(game->TimedFrameWithoutDrawing());
            battle.Frame();
        }
        Clock::time_point last = Clock::now();
        for (int i = 0; i < frames; ++i)
        {
            battle.Frame();
            const Clock::time_point now = Clock::now();
            wholeFrames.push_back(Milliseconds(last, now));
            last = now;
        }
        crowd = battle.Count();
        resident = StatusMegabytes("VmRSS:");
    }
    state.counters["update_ms"] = Median(updates);
    state.counters["frame_ms"] = Median(wholeFrames);
    state.counters["resident_MB"] = resident;
    state.counters["hunting"] = crowd.hunting;
    state.counters["shooting"] = crowd.shooting;
    state.counters["explosives"] = crowd.explosives;
    state.counters["areas"] = crowd.areas;
    state.counters["entities"] = crowd.entities;
}

void EnterLevel(benchmark::State& state, const std::string& level)
{
    Stage& stage = TheStage();
    if (!stage.problem.empty())
    {
        state.SkipWithError(stage.problem.c_str());
        return;
    }
    if (!fs::exists(level))
    {
        state.SkipWithError((level + " is not authored yet").c_str());
        return;
    }
    std::vector<double> entries;
    for (auto _ : state)
    {
        // The level select, as the player reaches it, with the second stage loaded.
        Game game("Resources/LevelSelect.json");
        Coordinator& c = *game.coordinator;
        c.ResourceManager.LoadStage2(c);
        game.Frame();
        glFinish();
        const Clock::time_point started = Clock::now();
        c.ResourceManager.LoadStage3(c);
        c.PendingScene = level;
        game.Frame();
        glFinish();
        entries.push_back(Milliseconds(started, Clock::now()));
    }
    state.counters["enter_ms"] = Median(entries);
}

const char* const Levels[] = {"Resources/Level_AbandonedHouse.json", "Resources/Level_Farmhouse.json",
                              "Resources/Level_Warehouse.json", "Resources/Level_TownHall.json"};

void RegisterAll()
{
    for (const char* level : Levels)
    {
        const std::string name = fs::path(level).stem().string();
        benchmark::RegisterBenchmark(("Busiest/" + name).c_str(), Busiest, std::string(level))
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    }
    for (const char* level : Levels)
    {
        const std::string name = fs::path(level).stem().string();
        benchmark::RegisterBenchmark(("EnterLevel/" + name).c_str(), EnterLevel, std::string(level))
            ->Iterations(5)
            ->Unit(benchmark::kMillisecond);
    }
}

const bool Registered = (RegisterAll(), true);
}
