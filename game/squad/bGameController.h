#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/EngineTypes.h"
#include "engine/core/IBehaviour.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

class bPlayerBehaviour;

// Squad control: turns the player's mouse and keys into selection and orders for the soldiers
// (entities tagged "PLAYER"), aims and releases throws, runs the debug keys, chooses the scene's
// music and skips cutscene effects. Published as GameControllerInstance from its Start on.
//
// "The tutorial step" below is the running tutorial's step, or 0 without a tutorial or once it
// has ended (step 15).
//
// Split by topic: bGameController.cpp (life cycle, music, selection, keys, camera centring),
// bGameControllerMouse.cpp (the mouse pass), bGameControllerThrow.cpp (throw mode),
// bGameControllerDebugKeys.cpp (the Alt + digit keys).
class bGameController : public IBehaviour, public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "bGameController";

    // A soldier member that takes the Coordinator (StopPath, Reload, Heal, Breach).
    using SoldierOrder = void (bPlayerBehaviour::*)(Coordinator&);
    // A soldier member that reports a count (GetSpareAmmo, GetHealthPacks).
    using SoldierCount = std::uint16_t (bPlayerBehaviour::*)() const;

    // Withdraws GameControllerInstance when it points here.
    ~bGameController() override;

    // Collects the soldiers into Players; with soldiers, spawns the squad's markers and sets
    // SquadPresent, otherwise clears it.
    void Awake(Coordinator& coordinator) override;
    // Hides the markers and clears the selection (with soldiers), spawns the hidden
    // "selectionArea", publishes GameControllerInstance and chooses the scene's music.
    void Start(Coordinator& coordinator) override;
    // The unlock key and the cutscene skip in every scene; with soldiers also the pause key,
    // markers, the mouse or throw pass, the debug toggles and the selection and order keys.
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;

    // The controller reads and writes no JSON and has an empty panel.
    void Deserialize(const rapidjson::Value& object) override;
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    // Set by the controller's Awake of the current scene: the scene has soldiers. Start and Update
    // do their squad work only while it is set. One flag for the whole program.
    static bool& SquadPresent();

    // ---- Selection (bGameController.cpp) ----

    // For a soldier in Players with an active bPlayerBehaviour: its flag is inverted (toggle) or
    // set, then the soldier is selected or deselected to match. Anyone else: nothing.
    void SelectPlayer(Coordinator& coordinator, Entity soldier, bool toggle);
    // Cancels an aimed throw, deselects everyone, then SelectPlayer with the same arguments.
    void SelectOnlyPlayer(Coordinator& coordinator, Entity soldier, bool toggle);
    // Deselects every soldier with an active bPlayerBehaviour; other flags stay as they are.
    void DeselectAll(Coordinator& coordinator);
    // Calls the order on every selected soldier's bPlayerBehaviour, active or not, in ascending
    // id; nothing while the level is in Deploy.
    void ForEachSelectedPlayer(Coordinator& coordinator, SoldierOrder order);
    // Through GameControllerInstance: true as soon as the member reports a non-zero count for a
    // selected soldier (ascending id); false without a controller or such a soldier.
    static bool AnySelectedPlayer(SoldierCount member);
    // True when any selected flag of the map is set.
    static bool AnySelected(const std::map<Entity, bool>& players);
    // Pans the camera (eased, 1 s) over the selected soldiers, zooming out to fit them; nothing
    // in Deploy or with nobody selected.
    void CenterCameraOnSelection(Coordinator& coordinator);

    // ---- Throw mode (bGameControllerThrow.cpp) ----

    // Starts aiming a throw of the kind (0 grenade, 1 molotov) with the first selected soldier
    // that has one (or infinite explosives); cancels instead when a throw is already aimed;
    // nothing in Deploy.
    void EnterThrowMode(Coordinator& coordinator, int kind);
    // Ends aiming: the thrower back to idle, indicator and path hidden, ThrowMode 0.
    void CancelThrow(Coordinator& coordinator);
    // One frame of aiming: turns the thrower to the cursor, traces and draws the path of at most
    // three legs and 600 units, and throws on a left click or cancels on a right click (clicks
    // count only at tutorial step 0 or from 14 on).
    void HandleThrowAim(Coordinator& coordinator, int tutorialStep);
    // Appends the legs of the path from start along aim (of the length) to path, bouncing off
    // "UNPATHABLE" and "DOOR" colliders (their normals to normals) until the third hit; the first
    // leg ignores the entity.
    void TraceThrowPath(Coordinator& coordinator, std::vector<Vector2>& path, std::vector<Vector2>& normals,
                        Vector2 start, Vector2 aim, float length, Entity ignored);
    // Shows one trajectory segment per leg from start along the path (to the cursor when the
    // path is empty).
    void DrawTrajectory(Coordinator& coordinator, Vector2 start, const std::vector<Vector2>& path);
    // Moves the landing indicators to the point.
    void PlaceAoeIndicators(Coordinator& coordinator, Vector2 point);
    // Shows or hides the landing indicators.
    void SetAoeIndicatorsActive(Coordinator& coordinator, bool active);
    // Hides every trajectory segment.
    void HideTrajectory(Coordinator& coordinator);

    // ---- Mouse (bGameControllerMouse.cpp) ----

    // One mouse pass with no throw aimed: the left-drag selection box, right-click move orders
    // with their markers, right-drag facing orders with their arrow, gated by the tutorial step.
    void HandleMouse(Coordinator& coordinator, int tutorialStep);

    // ---- Fields ----

    // 1 while a throw is aimed, else 0.
    int ThrowMode = 0;
    // Bit i set while move marker i shows.
    std::bitset<6> MoveMarkersInUse;
    // Every soldier of the scene and its selected flag: the one record of the selection.
    std::map<Entity, bool> Players;
    // World positions of the cursor at the last left press and when that drag ended.
    Vector2 DragStart;
    Vector2 DragEnd;
    bool LeftHeld = false;
    bool DragReleased = false;
    // Window positions (pixels, y from the bottom) of a right press and drag with a selection.
    Vector2 OrderStart;
    Vector2 OrderCurrent;
    bool OrderPressed = false;
    bool ArrowShown = false;
    bool FacingOrderGiven = false;
    Vector2 FacingDirection;
    // The "selectionArea" instance; 0 means none.
    Entity SelectionArea = 0;
    // One "SelectionMarker" per soldier.
    std::set<Entity> SquadMarkers;
    // The six "SelectionMovement" instances.
    std::array<Entity, 6> MoveMarkers{};
    Entity ArrowBody = 0;
    Entity ArrowHead = 0;
    // The aiming soldier.
    Entity Thrower = 0;
    // 0 grenade, 1 molotov.
    int ThrowKind = 0;
    std::set<Entity> AoeIndicators;
    // Three "Throw_Trajectory" instances, one per path leg.
    std::vector<Entity> TrajectorySegments;
    // Hits found so far by the current path trace.
    std::uint64_t BounceCount = 0;
    // Only colliders of entities with one of these tags stop or bend a throw.
    std::set<std::string> ThrowBlockingTags = {"UNPATHABLE", "DOOR"};
    // This frame's mouse input became a selection, an order or a throw; picking then leaves the
    // mouse alone.
    bool MouseConsumed = false;

private:
    // The tutorial step as this class uses it (see the class comment).
    static int TutorialStep();

    // Steps of Update, in order (bGameController.cpp unless noted).

    // Alt + '7': unlocks every level and cutscene and saves (bGameControllerDebugKeys.cpp).
    void HandleUnlockKey(Coordinator& coordinator);
    // A left press in a cutscene scene ends the running image and typewriter effects.
    void SkipCutsceneEffects(Coordinator& coordinator);
    // Escape pauses and resumes; true when the rest of Update must not run (Win, Lose, Paused,
    // Deploy).
    bool HandlePauseKey(Coordinator& coordinator);
    // Frees move markers whose display ended and keeps the squad markers under the selected
    // soldiers; inactive soldiers lose their selection.
    void UpdateSquadMarkers(Coordinator& coordinator);
    // Alt + '1' to '6' with cheats allowed; true when one of them acted
    // (bGameControllerDebugKeys.cpp).
    bool HandleDebugToggles(Coordinator& coordinator);
    // Keys '1' to '5'.
    void HandleSelectionKeys(Coordinator& coordinator, int tutorialStep);
    // Keys S, R, W, Q, E, F, T.
    void HandleOrderKeys(Coordinator& coordinator, int tutorialStep);
    // Starts the scene's music unless it already plays.
    void ChooseSceneMusic(Coordinator& coordinator);
    // Frees the move markers whose own behaviour has ended their display.
    void FreeEndedMoveMarkers(Coordinator& coordinator);

    // Parts of the mouse pass (bGameControllerMouse.cpp).

    // The left button: the selection box while held, the box selection when a long drag ends.
    void HandleSelectionBox(Coordinator& coordinator, int tutorialStep);
    // Replaces the whole selection by the soldiers inside the dragged box.
    void SelectInBox(Coordinator& coordinator, int tutorialStep);
    // The right button: facing arrow and order, then the move order.
    void HandleOrders(Coordinator& coordinator, int tutorialStep);
    // Every selected soldier goes to the cursor; a free move marker shows there.
    void GiveMoveOrder(Coordinator& coordinator);
    // Keeps a shown arrow in front of the selected soldiers.
    void FollowArrow(Coordinator& coordinator);

    // The coordinator of the scene, for the class-wide AnySelectedPlayer.
    Coordinator* world = nullptr;
    // The last aim with a direction and its length: the cursor right on the thrower has none, so
    // the aim stays as it was.
    Vector2 lastThrowAim;
    float lastThrowLength = 0.0f;
};
