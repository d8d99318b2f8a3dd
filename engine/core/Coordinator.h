#pragma once
#include "engine/components/Matrix2.h"
#include "engine/components/Matrix3.h"
#include "engine/core/ComponentManager.h"
#include "engine/core/EngineTypes.h"
#include "engine/core/EntityManager.h"
#include "engine/core/IBehaviour.h"
#include "engine/core/PauseQueue.h"
#include "engine/core/SystemManager.h"
#include "engine/platform/ImageLoading.h"
#include "engine/platform/ResourceManager.h"
#include "engine/systems/GridSpec.h"

#include <array>
#include <bitset>
#include <map>
#include <memory>
#include <string>
#include <vector>

class IInspector;
class sBehaviourSystem;

// A cursor position in whole units (window client pixels or world units).
struct CursorPoint
{
    long x = 0;
    long y = 0;
};

// The one engine object, handed to every system and behaviour. It owns the managers, the
// per-entity signatures, the frame timing, the camera values, the destroy queue, the scene paths
// and the player's progress records.
class Coordinator
{
public:
    Coordinator() = default;
    Coordinator(const Coordinator&) = delete;
    Coordinator& operator=(const Coordinator&) = delete;

    // --- Life cycle -------------------------------------------------------------------------
    // Once, after the first scene has loaded: window icons, every system's Init (registry
    // order), the first scene's lights and walls, the framebuffer size and the key states
    // (every polled code at 0).
    void StartUp();
    // Once per frame after the frame clock: focus, every system, hot reload, pause commands,
    // destruction, the requested scene swap, and F11.
    void Update();
    // After every scene load: every system's OnSceneLoaded (behaviours: Awake, then Start), the
    // pause commands, and the entity named "Camera" (kept from before when there is none).
    void OnSceneLoaded();
    // The end of the program, in explicit steps each guarded on its own so one failure does not
    // leave the rest undone: the settings file (only when SaveSettingsOnShutDown), the icons and
    // resources, every system's Exit, the window. Failures are reported to the user; returns
    // false when a step failed. A second call does nothing.
    bool ShutDown();

    // --- Entities -------------------------------------------------------------------------
    Entity CreateEntity();
    // Queues the entity for destruction at the next safe point. Ids that are not alive, none
    // (0xFFFF) or already queued are ignored.
    void DestroyEntity(Entity entity);
    // Destroys every queued id (and any id queued while doing so): behaviour, memberships,
    // components, signature; the id goes to the back of the free queue.
    void ProcessDestroyedEntities();
    bool IsAlive(Entity entity) const { return entity < MAX_ENTITIES && alive.test(entity); }

    // --- Components -----------------------------------------------------------------------
    // Sets the type's signature bit and adds a default component (or returns the existing one).
    ISerializable* AddComponentByName(const std::string& typeName, Entity entity);

    // The entity's component of type T, or null when it has none.
    template <class T>
    T* GetComponent(Entity entity)
    {
        return ComponentManager.GetContainer<T>().Find(entity);
    }

    // Adds a component of type T (with its signature bit) and returns it.
    template <class T>
    T* AddComponent(Entity entity, const T& value = T{})
    {
        Signatures[entity].set(ComponentManager.GetComponentType<T>());
        return ComponentManager.GetContainer<T>().InsertData(entity, value);
    }

    // --- Systems --------------------------------------------------------------------------
    template <class T>
    T* GetSystem() const { return SystemManager.GetSystem<T>(); }

    template <class T>
    bool AddEntityToSystem(Entity entity) { return SystemManager.AddEntityToSystem<T>(entity, Signatures[entity]); }

    template <class T>
    void RemoveEntityFromSystem(Entity entity) { SystemManager.RemoveEntityFromSystem<T>(entity); }

    // Joins the system when the entity has its components; otherwise logs
    // "Failed registration for <name> by <id>".
    void AddEntityToSystemByName(Entity entity, const std::string& typeName);
    // Names of every system whose entity set holds the entity.
    std::vector<std::string> GetSystemsOfEntity(Entity entity) const;
    // Inspectors of the entity's components, then of its behaviour when it has one.
    std::vector<IInspector*> GetInspectables(Entity entity);

    // --- Behaviours -------------------------------------------------------------------------
    // Finds sBehaviourSystem and caches it in BehaviourSystem; asserts
    // "BEHAVIOUR SYSTEM NOT REGISTERED" when there is none.
    void ResolveBehaviourSystem();
    // False (out untouched) when the entity has no behaviour; resolves the system first.
    bool GetBehaviour(Entity entity, std::shared_ptr<IBehaviour>& out);
    // The entity's behaviour when it is a T (run-time cast), else null.
    template <class T>
    std::shared_ptr<T> GetBehaviourAs(Entity entity)
    {
        std::shared_ptr<IBehaviour> behaviour;
        if (!GetBehaviour(entity, behaviour))
            return nullptr;
        return std::dynamic_pointer_cast<T>(behaviour);
    }

    // --- Input ----------------------------------------------------------------------------
    // 0 none, 1 pressed, 2 held, 3 released, 4 settled; 0 for a code that was never polled.
    int GetKeyState(int keyCode) const;

    // --- Members ----------------------------------------------------------------------------
    static constexpr std::array<int, 52> KeyCodes = {
        1,  2,  4,  27, 32, 37, 38, 39, 40, 49, 50, 51, 52, 53, 54, 55, 65, 66,
        67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 81, 82, 83, 84,
        85, 86, 87, 88, 89, 90, 17, 160, 18, 122, 107, 109, 187, 189, 46, 16};
    std::map<int, int> KeyStates;
    CursorPoint worldCursorPoint;
    CursorPoint screenCursorPoint;
    CursorPoint* WorldCursor = &worldCursorPoint;
    CursorPoint* ScreenCursor = &screenCursorPoint;

    ::ComponentManager ComponentManager;
    ::SystemManager SystemManager;
    ::EntityManager EntityManager;
    std::array<Signature, MAX_ENTITIES> Signatures{};

    float DeltaTime = 1.0f / 60.0f;
    Matrix2 CameraRotation;
    Matrix3 ViewMatrix;
    float CameraBounds[4] = {0, 0, 0, 0};
    float ViewHeight = 1080.0f;
    int WindowHeight = 1080;
    int WindowWidth = 1920;
    float AspectRatio = 0.0f;
    Matrix3 WorldProjection;
    Matrix3 WorldViewProjection;
    Matrix3 ScreenViewProjection;
    float ZoomMin = 900.0f;
    float ZoomMax = 2000.0f;
    float ZoomReference = 3555.0f;
    float ZoomStep = 50.0f;
    Entity CursorEntity = 0;
    double StepAccumulator = 0.0;
    int StepCount = 0;
    // The collision broadphase; null until the entry builds it.
    std::unique_ptr<GridSpec> BroadphaseGrid;
    std::vector<Entity> PendingDestroy;
    ::PauseQueue PauseQueue;
    Entity CameraEntity = 0;
    std::string CurrentScene;
    // A scene path to enter at the end of this frame. During the swap it names the scene being
    // entered until that scene's Awake and Start have run; then CurrentScene takes it.
    std::string PendingScene;
    std::string PrefabPath = "Resources/Prefab.json";
    std::string StartingLevel = "Resources/LogoScene.json";
    bool FocusMuted = false;
    bool Unfocused = true;
    // Whether the focus loss itself silenced the sound (it was not muted already), and the master
    // volume it silenced: the focus return and the settings file restore that volume.
    bool FocusMuteSilenced = false;
    float MasterVolumeBeforeFocusMute = 1.0f;
    // Set once the settings were read and the first scene has started: only then does the
    // shut-down write the settings file (also after an assert).
    bool SaveSettingsOnShutDown = false;
    bool PeformanceOutput = false;
    // The two window icons: loaded by StartUp, freed at shut-down.
    IconImage WindowIcons[2];
    ::ResourceManager ResourceManager;
    sBehaviourSystem* BehaviourSystem = nullptr;

    std::map<int, bool> LevelUnlocked = {{0, true}, {1, false}, {2, false}, {3, false}};
    int HighestUnlockedLevel = 0;
    std::map<std::string, bool> CutsceneCleared = {
        {"First Cutscene", false}, {"Second Cutscene", false}, {"Third Cutscene", false}, {"Fourth Cutscene", false}};
    bool AllowCheats = false;
    bool LevelsChanged = false;
    std::map<int, bool> TutorialCleared = {{1, false}, {2, false}};

private:
    void HandleFocus();
    void ReloadAssetsIfRequested();
    void SwapScene();
    void DestroyNow(Entity entity);
    // The behaviour system when one is registered (cached on the way), else null; never asserts.
    sBehaviourSystem* FindBehaviourSystem();

    std::bitset<MAX_ENTITIES> alive;
    std::bitset<MAX_ENTITIES> queued;
    bool shutDown = false;
};
