#include "engine/core/Coordinator.h"
#include "engine/components/Renderer.h"
#include "engine/core/IInspector.h"
#include "engine/core/sBehaviourSystem.h"
#include "engine/platform/AssetScan.h"
#include "engine/platform/SceneFile.h"
#include "engine/platform/SettingsFile.h"
#include "engine/platform/Window.h"
#include "engine/platform/WindowState.h"
#include "engine/platform/native/Platform.h"
#include "engine/platform/sSoundSystem.h"
#include "engine/systems/sIdentifierSystem.h"
#include "engine/systems/sLightingSystem.h"
#include "engine/systems/sRendererSystem.h"

#include <GLFW/glfw3.h>
#include <cstdio>
#include <exception>

namespace
{
constexpr int FullScreenKey = 122; // F11

template <class T>
T* FindSystem(const SystemManager& systems)
{
    return dynamic_cast<T*>(systems.FindSystemByName(TypeName<T>()));
}

// Lights, walls and drawing lists follow the entities that exist now (after a scene load or a
// destruction pass).
void RebuildSceneLighting(Coordinator& coordinator)
{
    sLightingSystem* lighting = FindSystem<sLightingSystem>(coordinator.SystemManager);
    if (lighting != nullptr)
        lighting->RebuildOccluders(true, coordinator);
    if (sRendererSystem* renderer = FindSystem<sRendererSystem>(coordinator.SystemManager))
        renderer->RefreshLightsAndBatches(coordinator);
    if (lighting != nullptr)
        lighting->RefreshLightLists(coordinator);
}

// The images the scene being left did not draw give their memory back, but for those that the
// scene just loaded names: giving those back would only have them read again at once (and into
// fresh memory, where the driver samples them more slowly).
void GiveBackUnusedPictures(Coordinator& coordinator)
{
    if (const sRendererSystem* renderer = FindSystem<sRendererSystem>(coordinator.SystemManager))
        for (Entity entity : renderer->entities)
            if (const Renderer* picture = coordinator.GetComponent<Renderer>(entity))
                coordinator.ResourceManager.KeepImage(picture->textureName);
    coordinator.ResourceManager.SceneLeft();
}
}

void Coordinator::StartUp()
{
    WindowIcons[0] = LoadIconImage("Resources/images/First_Load/Logos/dvico.png");
    WindowIcons[1] = LoadIconImage("Resources/images/First_Load/Logos/dvico2.png");
    if (WindowState::window != nullptr && WindowIcons[0].pixels != nullptr && WindowIcons[1].pixels != nullptr)
    {
        GLFWimage icons[2];
        for (int i = 0; i < 2; ++i)
            icons[i] = GLFWimage{WindowIcons[i].width, WindowIcons[i].height, WindowIcons[i].pixels};
        glfwSetWindowIcon(WindowState::window, 2, icons);
    }

    // The cursor points exist from construction, so the first scene's Awake and Start could
    // read them already.
    SystemManager.ForEachSystem([this](const std::string&, sSystemBase& system) { system.Init(*this); });
    // The first scene was loaded without a swap: its lights and walls are gathered here.
    RebuildSceneLighting(*this);
    if (WindowState::window != nullptr)
        glfwGetFramebufferSize(WindowState::window, &WindowWidth, &WindowHeight);
    for (int code : KeyCodes)
        KeyStates.emplace(code, 0);
}

void Coordinator::Update()
{
    HandleFocus();
    SystemManager.UpdateSystems(*this, PeformanceOutput);
    ReloadAssetsIfRequested();
    PauseQueue.Apply(*this);
    ProcessDestroyedEntities();
    if (!PendingScene.empty())
        SwapScene();
    if (GetKeyState(FullScreenKey) == 1)
        ToggleFullscreen();
}

void Coordinator::HandleFocus()
{
    Platform& platform = CurrentPlatform();
    sSoundSystem* sound = FindSystem<sSoundSystem>(SystemManager);
    if (platform.IsWindowFocused())
    {
        Unfocused = false;
        if (FocusMuted)
        {
            FocusMuted = false;
            // The user's own mute outlasts any focus change.
            if (sound != nullptr && FocusMuteSilenced && !sound->MutedByUser)
            {
                sound->Unmute(false);
                // Unmute brings back the last non-zero master; a master the user had set to 0
                // must stay 0.
                sound->SetMasterVolume(MasterVolumeBeforeFocusMute);
            }
            FocusMuteSilenced = false;
        }
        platform.ConfineCursor();
        return;
    }
    Unfocused = true;
    if (FocusMuted)
        return;
    FocusMuted = true;
    if (sound != nullptr)
    {
        FocusMuteSilenced = !sound->Muted;
        MasterVolumeBeforeFocusMute = sound->MasterVolume;
        sound->Mute(false);
    }
}

void Coordinator::ReloadAssetsIfRequested()
{
    if (!ResourceManager.ReloadRequested)
        return;
    ScanAssets(ResourceManager);
    ResourceManager.ReloadAll(*this);
    ResourceManager.ReloadRequested = false;
    Log("update");
}

void Coordinator::SwapScene()
{
    // PendingScene keeps naming the scene being entered until its Awake and Start have run:
    // the game reads it there (scene music, the level number, the transition's opening rule).
    const std::string next = PendingScene;

    if (BehaviourSystem == nullptr)
        ResolveBehaviourSystem();
    BehaviourSystem->UnloadScene(*this, !CurrentScene.empty());
    Log("SWAPPING SCENE \n\n\n");
    SystemManager.ForEachSystem([](const std::string&, sSystemBase& system) { system.ClearEntities(); });

    EntityManager.Reset();
    Signatures.fill(Signature{});
    alive.reset();
    // Requests made by the old scene while it unloaded would hit the new scene's reused ids.
    queued.reset();
    PendingDestroy.clear();
    ComponentManager.ForEachContainer([](const std::string&, cComponentContainerBase& container) { container.Clear(); });
    PauseQueue.Clear();
    if (BroadphaseGrid)
        BroadphaseGrid->Clear();
    ViewHeight = static_cast<float>(WindowHeight);

    LoadScene(next, *this);

    RebuildSceneLighting(*this);
    // What start-up loaded counts as the first scene's.
    if (!CurrentScene.empty())
        GiveBackUnusedPictures(*this);
    CurrentScene = next;
    // A request written while the scene loaded (in its Awake or Start) is for the scene after
    // it and stays for the next frame's swap.
    if (PendingScene == next)
        PendingScene.clear();
}

void Coordinator::OnSceneLoaded()
{
    SystemManager.ForEachSystem([this](const std::string&, sSystemBase& system) { system.OnSceneLoaded(*this); });
    PauseQueue.Apply(*this);
    if (sIdentifierSystem* names = FindSystem<sIdentifierSystem>(SystemManager))
    {
        const auto [found, camera] = names->FindEntityByName(*this, "Camera");
        if (found)
            CameraEntity = camera;
    }
}

bool Coordinator::ShutDown()
{
    if (shutDown)
        return true;
    shutDown = true;
    bool clean = true;
    auto step = [&clean](auto&& work) {
        try
        {
            work();
        }
        catch (const std::exception& error)
        {
            ReportToUser("ERROR", error.what());
            Log(error.what());
            clean = false;
        }
    };
    step([this] {
        if (SaveSettingsOnShutDown)
            SaveConfig(*this);
    });
    step([this] {
        FreeIconImage(WindowIcons[0]);
        FreeIconImage(WindowIcons[1]);
    });
    // Sounds are released before the systems' Exit, while the sound system's audio still exists.
    step([this] { ResourceManager.ReleaseAll(); });
    step([this] { SystemManager.ShutDownSystems(); });
    step([] { DestroyWindowContext(); });
    return clean;
}

Entity Coordinator::CreateEntity()
{
    const Entity entity = EntityManager.CreateEntity();
    alive.set(entity);
    return entity;
}

void Coordinator::DestroyEntity(Entity entity)
{
    if (!IsAlive(entity) || queued.test(entity))
        return;
    queued.set(entity);
    PendingDestroy.push_back(entity);
}

void Coordinator::ProcessDestroyedEntities()
{
    if (PendingDestroy.empty())
        return;
    // Destroying one entity may queue another (a behaviour's destructor); take the queue
    // into a local list and repeat until nothing is left.
    while (!PendingDestroy.empty())
    {
        std::vector<Entity> batch;
        batch.swap(PendingDestroy);
        for (Entity entity : batch)
            DestroyNow(entity);
    }
    RebuildSceneLighting(*this);
}

void Coordinator::DestroyNow(Entity entity)
{
    // The behaviour goes first; its destructor may queue more entities, which the caller's
    // loop picks up.
    if (sBehaviourSystem* behaviours = FindBehaviourSystem())
        behaviours->RemoveBehaviour(entity);
    SystemManager.ForEachSystem([&](const std::string&, sSystemBase& system) { system.entities.erase(entity); });
    ComponentManager.ForEachContainer(
        [&](const std::string&, cComponentContainerBase& container) { container.EntityDestroyed(entity); });
    PauseQueue.Forget(entity);
    EntityManager.Free(entity);
    Signatures[entity].reset();
    alive.reset(entity);
    queued.reset(entity);
    if (BroadphaseGrid)
        BroadphaseGrid->Remove(entity);
    if (!GetInspectables(entity).empty())
        std::printf("extremely bad\n");
}

ISerializable* Coordinator::AddComponentByName(const std::string& typeName, Entity entity)
{
    const ComponentType type = ComponentManager.GetComponentType(typeName);
    Signatures.at(entity).set(type);
    cComponentContainerBase* container = ComponentManager.FindContainer(typeName);
    AssertFail(container == nullptr, "NO SUCH COMPONENT FOUND IN ENGINE");
    return container->AddComponent(entity);
}

void Coordinator::AddEntityToSystemByName(Entity entity, const std::string& typeName)
{
    const Signature required = SystemManager.GetSignatureByName(typeName);
    if ((Signatures.at(entity) & required) == required)
        SystemManager.AddEntityToSystemByName(entity, typeName);
    else
        Log("Failed registration for " + typeName + " by " + std::to_string(entity));
}

std::vector<std::string> Coordinator::GetSystemsOfEntity(Entity entity) const
{
    std::vector<std::string> names;
    SystemManager.ForEachSystem([&](const std::string& name, const sSystemBase& system) {
        if (system.entities.count(entity) != 0)
            names.push_back(name);
    });
    return names;
}

std::vector<IInspector*> Coordinator::GetInspectables(Entity entity)
{
    std::vector<IInspector*> inspectors;
    ComponentManager.ForEachContainer([&](const std::string&, cComponentContainerBase& container) {
        if (container.Has(entity))
            inspectors.push_back(container.GetInspector(entity));
    });
    std::shared_ptr<IBehaviour> behaviour;
    if (sBehaviourSystem* behaviours = FindBehaviourSystem(); behaviours && behaviours->GetBehaviour(entity, behaviour))
        if (auto* inspector = dynamic_cast<IInspector*>(behaviour.get()))
            inspectors.push_back(inspector);
    return inspectors;
}

sBehaviourSystem* Coordinator::FindBehaviourSystem()
{
    if (BehaviourSystem == nullptr)
        BehaviourSystem = dynamic_cast<sBehaviourSystem*>(SystemManager.FindSystemByName(TypeName<sBehaviourSystem>()));
    return BehaviourSystem;
}

void Coordinator::ResolveBehaviourSystem()
{
    AssertFail(FindBehaviourSystem() == nullptr, "BEHAVIOUR SYSTEM NOT REGISTERED");
}

bool Coordinator::GetBehaviour(Entity entity, std::shared_ptr<IBehaviour>& out)
{
    if (BehaviourSystem == nullptr)
        ResolveBehaviourSystem();
    return BehaviourSystem->GetBehaviour(entity, out);
}

int Coordinator::GetKeyState(int keyCode) const
{
    auto it = KeyStates.find(keyCode);
    if (it == KeyStates.end())
        return 0;
    const int bits = it->second;
    if (bits & 2)
        return 1;
    if (bits & 4)
        return 2;
    if (bits & 8)
        return 3;
    if (bits & 16)
        return 4;
    return 0;
}
