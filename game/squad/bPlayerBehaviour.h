#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/EngineTypes.h"
#include "engine/core/ISerializable.h"
#include "engine/systems/PathSearch.h"
#include "game/definitions/WeaponFigures.h"
#include "game/squad/bCharacterBehaviour.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

class GridSpec;
class bUniqueGrid;

// A soldier of the squad: an entity tagged "PLAYER" whose Identifier name carries its number
// ("Player_2"). The squad controller, the buttons, the HUD texts, the targets and the level rules
// read and call the members below. The soldiers of a scene also share SoldierSharedState.h.
//
// The class is split by topic: bPlayerBehaviour.cpp (life cycle, JSON, getters, the order of
// Update), bPlayerBehaviourMove.cpp (orders and path following), bPlayerBehaviourSight.cpp
// (sight, danger icons, target choice), bPlayerBehaviourWeapon.cpp (shooting, reload, heal,
// throw), bPlayerBehaviourContacts.cpp (off-screen marker, pickups, doors, contacts, selection)
// and bPlayerBehaviourDeath.cpp (damage and death).
class bPlayerBehaviour : public bCharacterBehaviour, public ISerializable
{
public:
    static constexpr const char* ClassName = "bPlayerBehaviour";

    // ActionState values.
    static constexpr int ActionIdle = 0;            // idle or walking; free to target
    static constexpr int ActionShooting = 2;        // shooting at Target
    static constexpr int ActionReloading = 3;
    static constexpr int ActionReloadingMoving = 4;
    static constexpr int ActionAiming = 5;          // aiming a throw
    static constexpr int ActionAimingMoving = 6;
    static constexpr int ActionThrowing = 7;        // until the throwing clip has played
    static constexpr int ActionDead = 8;            // final

    // The last soldier behaviour to go empties the shared soldier state.
    ~bPlayerBehaviour() override;

    // Counts the soldier in LivePlayerCount and spawns its "Bullet_Line".
    void Awake(Coordinator& coordinator) override;
    // Finds the path grid (assert "PATHFINDING GRID NOT FOUND" without an entity named
    // "PathfindingGrid"), fills the magazine, takes its number and HUD selection marker, its home
    // position and, without a "TriggerRange", its torch's range less 20; joins PlayerList and
    // fills PickupSightMap once per scene.
    void Start(Coordinator& coordinator) override;
    // One frame of an active soldier: death check, off-screen marker, return to the level, path
    // following, sight and contacts, then the weapon. Nothing while inactive.
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;
    // Pickups, walls, other soldiers, doors and the tutorial's "TUTOR9" marker touched this frame.
    void OnCollision(Coordinator& coordinator, Entity other) override;

    // As the base, and a hit also plays "Damage_false_SFX_", flashes the soldier and its HUD panel
    // red for 0.5 s and advances a tutorial at step 8.
    void TakeDamage(Coordinator& coordinator, float amount, Entity attacker) override;
    // Leaves a body (ActionDead, layer 0.71, no physics), drops its supplies, leaves PlayerList,
    // puts out its lights and tells the HUD and the level rules; the behaviour turns inactive.
    // Runs once: a second request (the level lost after this soldier died) returns at once.
    void OnDeath(Coordinator& coordinator) override;

    // "Weapon" is required ("MaxHealth", "CurrentHealth", "TriggerRange", "TargetTag",
    // "AmmoTotal", "HealthPacks", "Grenades", "Molotovs", "ProximityRange", "FieldOfView" are
    // optional): a known weapon name replaces WeaponStats whole with both flags clear, an unknown
    // one leaves it; integers keep their low 16 bits.
    void Deserialize(const rapidjson::Value& object) override;
    // The same keys in that order; an unarmed soldier's "Weapon" reads back as unarmed.
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    // ---- Getters for the buttons' availability (through bGameController::AnySelectedPlayer) ----

    // The health packs carried.
    std::uint16_t GetHealthPacks() const { return HealthPacks; }
    // The spare rounds; 0xFFFF while the weapon has infinite ammunition.
    std::uint16_t GetSpareAmmo() const { return WeaponStats.InfiniteAmmo ? std::uint16_t(0xFFFF) : AmmoTotal; }

    // ---- Orders and movement (bPlayerBehaviourMove.cpp) ----

    // A move order to the point: a straight run when the way from the collider's centre and its
    // four edge midpoints is clear, else a grid path (the old path stays when the point has no
    // cell). At tutorial step 3 only points inside the first hint marker's circle are taken, and
    // taking one advances the tutorial.
    void MoveTo(Coordinator& coordinator, Vector2 target);
    // True when the segment on the grid crosses nothing but triggers (the soldier itself ignored).
    bool IsSegmentClear(Coordinator& coordinator, const GridSpec& grid, Vector2 from, Vector2 to);
    // True while the soldier has waypoints or a "Move" force.
    bool IsMoving(Coordinator& coordinator);
    // Drops the "Move" force and the waypoints; the velocity decays by itself.
    void StopPath(Coordinator& coordinator);

    // ---- Sight, targets, shooting, reload, heal and throw (bPlayerBehaviourSight.cpp) ----

    // The view from the soldier's position to the point on the grid, the soldier and the entity
    // ignored: 1 clear, -1 seen only through glass, 0 blocked (walls and doors block glass too).
    int LineOfSight(Coordinator& coordinator, const GridSpec& grid, Vector2 point, Entity entity);
    // Starts a reload (ActionReloading, the magazine's rounds back to the spare ones); refused
    // while reloading or aiming, with a full magazine or with no spare rounds.
    void Reload(Coordinator& coordinator);
    // Uses a health pack (+50, capped at MaxHealth, with a "Plus_Icon") when the soldier has one
    // and is not at full health; at tutorial step 9 it closes the step's panel.
    void Heal(Coordinator& coordinator);
    // Spawns the prefab on the soldier and launches it along the soldier's facing over the
    // distance; a bExplosives gets copies of the bounce points and normals.
    void Throw(Coordinator& coordinator, const std::string& prefab, float distance, const std::vector<Vector2>& path,
               const std::vector<Vector2>& normals);
    // Shows the bullet line from the soldier to its Target (when both are set).
    void ShowBulletLine(Coordinator& coordinator);

    // ---- Doors and selection (bPlayerBehaviourContacts.cpp) ----

    // Clears the active flag of every door in reach, which opens it.
    void Breach(Coordinator& coordinator);
    // Lights / darkens the soldier's HUD selection marker (nothing without one).
    void Select(Coordinator& coordinator);
    void Deselect(Coordinator& coordinator);

    // ---- Fields ----

    int ActionState = ActionIdle;
    std::uint16_t ClipRounds = 0;
    std::uint16_t AmmoTotal = 0;
    WeaponFigures WeaponStats;
    // The HUD element lit while the soldier is selected.
    Entity SelectionMarker = NO_ENTITY;
    std::uint16_t HealthPacks = 0;
    std::uint16_t Grenades = 0;
    std::uint16_t Molotovs = 0;
    // Throws do not use up Grenades or Molotovs.
    bool InfiniteExplosives = false;
    // The next shot stops the soldier's movement.
    bool ShotHaltReady = true;
    // The entity being shot at.
    Entity Target = NO_ENTITY;
    // Tag of the entities this soldier shoots at.
    std::string TargetTag;
    // Radius within which targets are seen all around.
    float ProximityRange = 200.0f;
    // Full cone angle in degrees for targets beyond ProximityRange.
    float FieldOfView = 51.0f;
    float ShotHaltTimer = 0.0f;
    float FireTimer = 0.0f;
    float ReloadTimer = 0.0f;
    // A target is held but there are no rounds at all.
    bool OutOfAmmo = false;
    float EmptyGunTimer = 0.0f;
    // Squared distances at which a waypoint, and the last waypoint, count as reached.
    float WaypointArrivalSq = 200.0f;
    float DestinationArrivalSq = 50.0f;
    // The path being followed, first waypoint first.
    Path Waypoints;
    Vector2 MoveTarget;
    Cell DestinationCell;
    // The scene's path grid, not owned.
    bUniqueGrid* PathGrid = nullptr;
    // The squad controller turned the soldier; movement does not turn it.
    bool FacingLocked = false;
    // Stopped by a door, or by a soldier stopped by a door, in this frame.
    bool DoorBlocked = false;
    // The soldier touched in this frame's collision pass.
    Entity TouchingPlayer = NO_ENTITY;
    // A door contact may stop the soldier.
    bool BlockArmed = true;
    bool StraightMove = false;
    // Characters whose danger icon this soldier removed by seeing them.
    std::set<Entity> RevealedCharacters;
    // Doors within reach this frame.
    std::set<Entity> DoorsInReach;
    // The number in the soldier's name, counting from 1; 0xFFFF without a HUD.
    std::uint16_t PlayerNumber = 0xFFFF;
    bool OffscreenMarkerShown = false;
    Entity BulletLine = NO_ENTITY;

private:
    // The steps of Update, in the order Update runs them.

    // Shows, places or hides the HUD's off-screen marker for this soldier (Contacts).
    void TrackOffscreenMarker(Coordinator& coordinator);
    // A soldier outside the camera bounds (or at a NaN position) goes back home (Move).
    void ReturnToLevel(Coordinator& coordinator);
    // One frame of path following and the movement step; true when the destination was reached,
    // which ends this frame's Update (Move).
    bool FollowPath(Coordinator& coordinator);
    // The entities within TriggerRange tagged TargetTag, "PICKUP", "DOOR" or "DANGER" (Sight),
    // in a list kept for the next frame's scan.
    const std::vector<Entity>& ScanSight(Coordinator& coordinator);
    // Pickup visibility steps 1 and 2: the first soldier resets the shared maps, every soldier
    // marks what it sees (Contacts).
    void MarkSeenPickups(Coordinator& coordinator, const std::vector<Entity>& sight);
    // Lends door buttons to doors in reach and hands back those out of everyone's reach (Contacts).
    void UpdateDoorsInReach(Coordinator& coordinator, const std::vector<Entity>& sight);
    // The contact with another soldier: nudge it aside, give way to it, or stop behind it at a
    // door (Contacts).
    void TouchSoldier(Coordinator& coordinator, Entity other);
    // Re-arms BlockArmed; the last soldier lights the seen pickups and clears the frame's contact
    // flags (Contacts).
    void FinishContactFrame(Coordinator& coordinator);
    // Danger icons in view, revealed characters and the target choice (Sight).
    void ChooseTarget(Coordinator& coordinator, const std::vector<Entity>& sight);
    // Danger icons in view and revealed characters seen again (Sight).
    void CheckDangerIcons(Coordinator& coordinator, const std::vector<Entity>& sight);
    void CheckRevealedCharacters(Coordinator& coordinator);
    // Timers, automatic reload, shot halt, animation clip, shooting, empty-gun click, reload end
    // (Weapon).
    void RunWeapon(Coordinator& coordinator);
    // One shot at the target character, when the weapon is ready (Weapon).
    void FireAt(Coordinator& coordinator, bCharacterBehaviour& target);
    // The clip for ActionState (Weapon).
    void ChooseClip(Coordinator& coordinator);

    // Counted in LivePlayerCount by Awake (and so counted out by the destructor).
    bool countedAlive = false;
    // OnDeath has run.
    bool deathHandled = false;
    // The sight scan's tags (TargetTag, "PICKUP", "DOOR", "DANGER"), its result, and the near
    // and far target candidates, kept between frames so the scan allocates nothing.
    std::vector<std::string> sightTags;
    std::vector<Entity> sightList;
    std::vector<Entity> nearCandidates;
    std::vector<Entity> farCandidates;
};
