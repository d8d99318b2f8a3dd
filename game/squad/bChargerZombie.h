#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/EngineTypes.h"
#include "engine/core/ISerializable.h"
#include "engine/platform/audio/VoiceHandle.h"
#include "engine/systems/PathSearch.h"
#include "game/squad/PathSearchMemo.h"
#include "game/squad/bCharacterBehaviour.h"

#include <cstdint>
#include <set>
#include <vector>

class bUniqueGrid;

// The charging zombie: notices soldiers in sight, stalks, charges in a straight line at 1200,
// knocks back and hurts every soldier it runs into, recovers, backs off blocking frontal fire,
// strikes in melee, and follows a soldier it lost from sight along a grid path.
//
// Split: bChargerZombie.cpp (life cycle, JSON, state changes, charge hits, contacts, damage,
// death), bChargerZombieUpdate.cpp (the per-frame update).
class bChargerZombie : public bCharacterBehaviour, public ISerializable
{
public:
    static constexpr const char* ClassName = "bChargerZombie";

    // ChargerState values.
    static constexpr int StateIdle = 0;
    static constexpr int StateStalking = 1;
    static constexpr int StateCharging = 2;
    static constexpr int StateRecovering = 3;
    static constexpr int StateBlocking = 4;
    static constexpr int StateSearching = 5;
    static constexpr int StateDead = 6;
    static constexpr int StateMelee = 7;

    void Awake(Coordinator& coordinator) override;
    // Home position, the scene's path grid (assert "PATHFINDING GRID NOT FOUND" without an entity
    // named "PathfindingGrid"), walk speed from the movement, first charge ready, and the
    // "Charger_Block" entity bound to the charger.
    void Start(Coordinator& coordinator) override;
    // One frame of the state machine (bChargerZombieUpdate.cpp).
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;
    // While charging: hits soldiers, shoves zombies aside, stops at the target or at a wall past
    // the target's line. While blocking: an "UNPATHABLE" collider stops the backing off.
    void OnCollision(Coordinator& coordinator, Entity other) override;

    // As the base; while blocking, a shot from within 45 degrees of its front does 1% and flashes
    // green, and a near soldier striking from elsewhere draws it into melee.
    void TakeDamage(Coordinator& coordinator, float amount, Entity attacker) override;
    // Death effect and sound, inactive without physics, kill reported, soldiers released, nearby
    // sound stopped, block entity removed; no loot.
    void OnDeath(Coordinator& coordinator) override;

    // The only way ChargerState changes: runs the old state's exit step and the new one's entry
    // step; nothing when the state is unchanged. Entering a charge needs a Target (without one
    // the state stays).
    void SetState(Coordinator& coordinator, int state);
    // Damages and knocks back the soldier once per charge (more for a charge begun from afar);
    // only an active bPlayerBehaviour counts.
    void ChargeHit(Coordinator& coordinator, Entity soldier);
    // Shows or hides the block entity through its behaviour's active flag.
    void SetBlockActive(Coordinator& coordinator, bool active);

    // All required, in order: "MaxHealth", "CurrentHealth", "TriggerRange", "AttackRange" (also
    // AttackRangeSquared), "ChargerChargeCD" (also ChargeCooldownTimer), "ChargeDamage".
    void Deserialize(const rapidjson::Value& object) override;
    // The same keys in that order, as numbers.
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    int ChargerState = StateIdle;
    // The soldier being attacked.
    Entity Target = NO_ENTITY;
    // The soldier followed when out of sight.
    Entity TrackedPlayer = NO_ENTITY;
    // The "Charger_Block" entity, active while blocking.
    Entity BlockEntity = NO_ENTITY;
    // The target of the last charge, not chosen for melee for 2 s.
    Entity ChargedPlayer = NO_ENTITY;
    float ChargedPlayerTimer = 0.0f;
    // Charge range.
    float AttackRange = 0.0f;
    float AttackRangeSquared = 0.0f;
    // Speed limit outside charges (from the movement at Start) and while blocking.
    float WalkSpeed = 240.0f;
    float BlockSpeed = 30.0f;
    // Base damage of a charge hit.
    float ChargeDamage = 10.0f;
    // The target's position when the charge began, the charge's velocity and its perpendicular.
    Vector2 ChargeTarget;
    Vector2 ChargePerpendicular;
    Vector2 ChargeVelocity;
    // The charge has crossed the line through ChargeTarget across its direction.
    bool PassedTarget = false;
    // Seconds between charges, and since the last charge ended (capped at ChargerChargeCD).
    float ChargerChargeCD = 5.0f;
    float ChargeCooldownTimer = 0.0f;
    // Seconds in stalking and recovering, each capped at 1.
    float StalkTimer = 0.0f;
    float RecoverTimer = 0.0f;
    // Distance to the target when the charge began, and the side of the target's line it began on.
    float ChargeDistance = 0.0f;
    int ChargeStartSide = 1;
    // Squared distances at which a path cell, and the last one, count as reached.
    float WaypointReach = 50.0f;
    float GoalReach = 50.0f;
    // Remaining path cells, next first, and the path's goal.
    ::Path Path;
    Cell GoalCell;
    // Backing off hit an "UNPATHABLE" collider.
    bool BackingStopped = false;
    // Soldiers already hit by the current charge.
    std::set<Entity> HitThisCharge;
    // Seconds since death, capped at 5.
    float CorpseTimer = 0.0f;
    // "ChargerAlert_false_SFX_" was played on first sight.
    bool AlertPlayed = false;
    // The nearby loop plays on NearbyChannel.
    bool NearbySoundOn = false;
    VoiceHandle NearbyChannel;
    std::uint16_t MeleeDamage = 10;
    // One blow every 2 / MeleeRate seconds.
    std::uint16_t MeleeRate = 2;
    float MeleeRangeSquared = 10000.0f;
    float MeleeTimer = 0.0f;
    // The nearest soldier is within melee range.
    bool MeleeReady = false;
    float HitEffectTimer = 0.0f;
    // The scene's path grid, found at Start; not owned.
    bUniqueGrid* PathGrid = nullptr;

private:
    // Steps of Update (bChargerZombieUpdate.cpp).
    void GrowTimers(int steps, int stateAtStart);
    // Walks the path one cell at a time; true when its last cell was reached this frame.
    bool FollowPath(Coordinator& coordinator, const Vector2& position);
    // Drops dead soldiers; returns whether blocking is allowed this frame.
    bool LookAfterSoldiers(Coordinator& coordinator);
    void ScanSoldiers(Coordinator& coordinator, const Vector2& position);
    void ActOnTarget(Coordinator& coordinator, bool blockAllowed);
    void SearchForTrackedPlayer(Coordinator& coordinator, const Vector2& position);
    void ShowStateClip(Coordinator& coordinator) const;
    void StopNearbySound(Coordinator& coordinator);

    // OnDeath has run: a charger dies once, and nothing changes its state afterwards.
    bool deathHandled = false;
    // The soldiers within the trigger range this frame (kept, so the scan allocates nothing).
    std::vector<Entity> candidates;
    // The last failed search for the tracked soldier, not repeated while nothing has changed.
    PathSearchMemo pathMemo;
};
