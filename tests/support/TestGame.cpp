#include "support/TestGame.h"
#include "support/GlTestContext.h"

#include "engine/core/GameStartUp.h"
#include "engine/platform/PrefabFile.h"
#include "engine/platform/SettingsFile.h"
#include "engine/platform/WindowState.h"
#include "engine/platform/sInputSystem.h"
#include "engine/platform/sSoundSystem.h"
#include "engine/systems/sIdentifierSystem.h"
#include "game/flow/GameProcessState.h"

#include "engine/components/Transform.h"

#include <GL/glew.h>

#include <atomic>
#include <cmath>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
constexpr int LeftButton = 1;
constexpr int RightButton = 2;

// Every process-wide value the game keeps, back to a fresh program's.
void ResetProcessState()
{
    ResetGameProcessState();
    ResetPrefabCache();
    ResetSettingsPath();
    sInputSystem::ResetCameraSensitivity();
    WindowState::Reset();
}

ScriptedPlatform& InstallFreshPlatform()
{
    ResetProcessState();
    return ScriptedPlatform::Install();
}

fs::path NewFolder()
{
    static std::atomic<int> counter = 0;
    fs::path folder =
        fs::temp_directory_path() / ("duskvane_game_" + std::to_string(getpid()) + "_" + std::to_string(counter++));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}
}

std::string TestGame::Fixture(const std::string& name)
{
    return std::string(DUSKVANE_FIXTURES) + "/" + name;
}

std::string TestGame::SettingsFor(const std::string& scene, const std::string& prefabFile)
{
    return R"({
    "wWidth": 1920,
    "wHeight": 1080,
    "StartingLevel": ")" +
           scene + R"(",
    "PrefabJSON": ")" +
           prefabFile + R"(",
    "PeformanceOutput": false,
    "EnableFullScreen": false,
    "All Vol": 1.0,
    "BGM Vol": 1.0,
    "SFX Vol": 1.0,
    "Mute": false,
    "Camera Sensitivity": 15.0
})";
}

TestGame::TestGame(const std::string& scene, const std::string& prefabFile, const BeforeStart& beforeStart)
    : TestGame(SettingsTextTag{}, SettingsFor(scene, prefabFile), beforeStart)
{
}

std::unique_ptr<TestGame> TestGame::WithSettings(const std::string& settingsText, const BeforeStart& beforeStart)
{
    return std::unique_ptr<TestGame>(new TestGame(SettingsTextTag{}, settingsText, beforeStart));
}

TestGame::TestGame(SettingsTextTag, const std::string& settingsText, const BeforeStart& beforeStart)
    : coordinator(std::make_unique<Coordinator>()), platform(InstallFreshPlatform())
{
    folder = NewFolder();
    settingsFile = folder / "Duskvane" / "config.json";
    fs::create_directories(settingsFile.parent_path());
    std::ofstream(settingsFile) << settingsText;
    try
    {
        // The game draws into the test process's one hidden GL context instead of a window of
        // its own, so textures, fonts and shader programs load exactly as in the game.
        GlTestContext::Get();
        RegisterEngine(*coordinator);
        if (beforeStart)
            beforeStart(*coordinator);
        StartGame(*coordinator, {settingsFile, false});
    }
    catch (...)
    {
        coordinator->ShutDown();
        ResetPlatform();
        ResetProcessState();
        fs::remove_all(folder);
        throw;
    }
}

TestGame::~TestGame()
{
    ShutDown();
    if (rasterisedSmall)
        glViewport(0, 0, 1920, 1080);
    ResetPlatform();
    ResetProcessState();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

void TestGame::RasteriseSmall()
{
    glViewport(0, 0, 480, 270);
    afterFrame = [] { glFinish(); };
    rasterisedSmall = true;
}

bool TestGame::ShutDown()
{
    return coordinator->ShutDown();
}

void TestGame::RunFrames(int count)
{
    for (int i = 0; i < count; ++i)
    {
        RunFrame(*coordinator, clock);
        if (afterFrame)
            afterFrame();
    }
}

int TestGame::RunFramesUntil(const std::function<bool()>& done, int limit)
{
    for (int frame = 1; frame <= limit; ++frame)
    {
        RunFrames(1);
        if (done())
            return frame;
    }
    return -1;
}

void TestGame::Press(int key)
{
    platform.SetKeyDown(key, true);
    RunFrames(1);
    platform.SetKeyDown(key, false);
}

void TestGame::Click(long x, long y)
{
    platform.SetCursor(x, y);
    Press(LeftButton);
}

void TestGame::Tap(int key)
{
    Press(key);
    RunFrames(2);
}

void TestGame::ClickAndSettle(long x, long y)
{
    Click(x, y);
    RunFrames(2);
}

void TestGame::RightClick(long x, long y)
{
    platform.SetCursor(x, y);
    Tap(RightButton);
}

void TestGame::Drag(int button, long fromX, long fromY, long toX, long toY, int steps)
{
    platform.SetCursor(fromX, fromY);
    Hold(button);
    RunFrames(1);
    const int count = steps < 1 ? 1 : steps;
    for (int i = 1; i <= count; ++i)
    {
        platform.SetCursor(fromX + (toX - fromX) * i / count, fromY + (toY - fromY) * i / count);
        RunFrames(1);
    }
    Release(button);
    RunFrames(2);
}

CursorPoint TestGame::WindowPointOf(float worldX, float worldY) const
{
    const Transform* camera = coordinator->GetComponent<Transform>(coordinator->CameraEntity);
    const float cameraX = camera != nullptr ? camera->position.x : 960.0f;
    const float cameraY = camera != nullptr ? camera->position.y : 540.0f;
    const float viewHeight = coordinator->ViewHeight;
    const float viewWidth = coordinator->AspectRatio * viewHeight;
    const float width = static_cast<float>(coordinator->WindowWidth);
    const float height = static_cast<float>(coordinator->WindowHeight);
    const float x = (worldX - (cameraX - viewWidth * 0.5f)) / viewWidth * width;
    const float yUp = (worldY - (cameraY - viewHeight * 0.5f)) / viewHeight * height;
    return {std::lround(x), std::lround(height - yUp)};
}

Entity TestGame::Find(const std::string& name) const
{
    const auto [found, entity] = coordinator->GetSystem<sIdentifierSystem>()->FindEntityByName(*coordinator, name);
    return found ? entity : NO_ENTITY;
}

sInputSystem& TestGame::Input() const
{
    return *coordinator->GetSystem<sInputSystem>();
}

sSoundSystem& TestGame::Sound() const
{
    return *coordinator->GetSystem<sSoundSystem>();
}

std::string TestGame::SettingsText() const
{
    std::ifstream file(settingsFile, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}
