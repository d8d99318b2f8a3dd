#include "engine/core/GameStartUp.h"

#include "engine/components/ComponentRegistration.h"
#include "engine/components/Animation.h"
#include "engine/components/Font.h"
#include "engine/components/Identifier.h"
#include "engine/components/PhysicsCollision.h"
#include "engine/components/PhysicsMovement.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Assert.h"
#include "engine/core/Coordinator.h"
#include "engine/core/FrameClock.h"
#include "engine/core/sBehaviourSystem.h"
#include "engine/platform/AssetScan.h"
#include "engine/platform/SceneFile.h"
#include "engine/platform/SettingsFile.h"
#include "engine/platform/SoundLoading.h"
#include "engine/platform/Window.h"
#include "engine/platform/WindowState.h"
#include "engine/platform/native/CloseSignals.h"
#include "engine/platform/native/Platform.h"
#include "engine/platform/sInputSystem.h"
#include "engine/platform/sSoundSystem.h"
#include "engine/systems/GridSpec.h"
#include "engine/systems/sAnimationSystem.h"
#include "engine/systems/sFontSystem.h"
#include "engine/systems/sIdentifierSystem.h"
#include "engine/systems/sLightingSystem.h"
#include "engine/systems/sPhysicsCollision.h"
#include "engine/systems/sPhysicsMovement.h"
#include "engine/systems/sRendererSystem.h"
#include "engine/systems/sTransformSystem.h"
#include "engine/systems/sUIButtonSystem.h"
#include "game/flow/BehaviourRegistration.h"

#include <GLFW/glfw3.h>

#include <chrono>
#include <cstdio>
#include <iomanip>
#include <sstream>

namespace
{
const char* const WindowTitle = "Duskvane";

// Registration order is update order.
void RegisterSystems(Coordinator& coordinator)
{
    SystemManager& systems = coordinator.SystemManager;
    systems.RegisterSystem<sInputSystem>();
    systems.RegisterSystem<sIdentifierSystem>();
    systems.RegisterSystem<sBehaviourSystem>();
    systems.RegisterSystem<sPhysicsCollision>();
    systems.RegisterSystem<sUIButtonSystem>();
    systems.RegisterSystem<sPhysicsMovement>();
    systems.RegisterSystem<sTransformSystem>();
    systems.RegisterSystem<sSoundSystem>();
    systems.RegisterSystem<sAnimationSystem>();
    systems.RegisterSystem<sLightingSystem>();
    systems.RegisterSystem<sFontSystem>();
    systems.RegisterSystem<sRendererSystem>();
}

template <class System, class Component>
void Require(Coordinator& coordinator)
{
    coordinator.SystemManager.SetSignature<System>(coordinator.ComponentManager.GetComponentType<Component>());
}

// Input, behaviours and sound work on the coordinator alone and have no signature.
void SetSystemSignatures(Coordinator& coordinator)
{
    Require<sTransformSystem, Transform>(coordinator);
    Require<sAnimationSystem, Animation>(coordinator);
    Require<sRendererSystem, Renderer>(coordinator);
    Require<sRendererSystem, Transform>(coordinator);
    Require<sLightingSystem, Transform>(coordinator);
    Require<sIdentifierSystem, Identifier>(coordinator);
    Require<sFontSystem, Font>(coordinator);
    Require<sPhysicsMovement, PhysicsMovement>(coordinator);
    Require<sPhysicsMovement, Transform>(coordinator);
    Require<sPhysicsMovement, Identifier>(coordinator);
    Require<sPhysicsCollision, PhysicsCollision>(coordinator);
    Require<sPhysicsCollision, Identifier>(coordinator);
    Require<sPhysicsCollision, PhysicsMovement>(coordinator);
    Require<sPhysicsCollision, Transform>(coordinator);
    Require<sUIButtonSystem, Transform>(coordinator);
    Require<sUIButtonSystem, Identifier>(coordinator);
    Require<sUIButtonSystem, PhysicsCollision>(coordinator);
}

// A close asked for while the game loads (the window's close button, or SIGTERM/SIGINT) is
// honoured between the loading steps rather than after them: the window's close flag is set,
// so the frame loop never starts, and the shut-down writes the settings as at any close.
bool CloseRequestedWhileLoading(Coordinator& coordinator)
{
    bool requested = false;
    if (WindowState::window != nullptr)
    {
        glfwPollEvents();
        requested = glfwWindowShouldClose(WindowState::window) != 0;
    }
    if (TakeCloseSignal())
        requested = true;
    if (!requested)
        return false;
    if (WindowState::window != nullptr)
        glfwSetWindowShouldClose(WindowState::window, GLFW_TRUE);
    coordinator.SaveSettingsOnShutDown = true;
    return true;
}

void PrepareAssetsAndSound(Coordinator& coordinator)
{
    coordinator.BroadphaseGrid = std::make_unique<GridSpec>(3880, 2140, -630.0f, -700.0f, 8, 8);
    ScanAssets(coordinator.ResourceManager);
    coordinator.ResourceManager.InitSoundAndLoad(coordinator);
}
}

void RegisterEngine(Coordinator& coordinator)
{
    RegisterComponents(coordinator);
    RegisterSystems(coordinator);
    SetSystemSignatures(coordinator);
    if (coordinator.BehaviourSystem == nullptr)
        coordinator.ResolveBehaviourSystem();
    RegisterBehaviours(*coordinator.BehaviourSystem);
}

bool StartGame(Coordinator& coordinator, const GameStartOptions& options)
{
    const SettingsWindowSize size = options.settingsPath.empty() ? LoadConfig("config.json", coordinator)
                                                                 : LoadConfigAt(options.settingsPath, coordinator);
    using Clock = std::chrono::steady_clock;
    const Clock::time_point started = coordinator.PeformanceOutput ? Clock::now() : Clock::time_point{};

    // Decoding the first stage's files needs no window; it runs while the window opens.
    coordinator.ResourceManager.PrefetchStage1();
    if (options.openWindow)
    {
        if (!CreateWindowContext(size.width, size.height, WindowTitle))
            return false;
    }
    else
    {
        WindowState::width = size.width;
        WindowState::height = size.height;
        WindowState::title = WindowTitle;
    }

    if (CloseRequestedWhileLoading(coordinator))
        return true;
    PrepareAssetsAndSound(coordinator);
    if (CloseRequestedWhileLoading(coordinator))
        return true;
    LoadScene(coordinator.CurrentScene, coordinator);
    coordinator.StartUp();
    coordinator.SaveSettingsOnShutDown = true;

    if (coordinator.PeformanceOutput)
    {
        const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - started).count();
        std::ostringstream line;
        line << " Initialization took " << std::fixed << std::setprecision(5)
             << static_cast<double>(nanoseconds) / 1e9 * 1000.0 << "ms";
        std::printf("%s\n", line.str().c_str());
        std::fflush(stdout);
        Log(line.str());
    }
    return true;
}

void RunFrame(Coordinator& coordinator, FrameClock& clock)
{
    clock.Tick(CurrentPlatform().Now(), coordinator);
    coordinator.Update();
}
