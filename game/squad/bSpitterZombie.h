#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/EngineTypes.h"
#include "engine/core/ISerializable.h"
#include "engine/platform/audio/VoiceHandle.h"
#include "engine/systems/PathSearch.h"
#include "engine/systems/EntityBits.h"
#include "game/squad/PathSearchMemo.h"
#include "game/squad/bCharacterBehaviour.h"

#include <array>
#include <vector>

class bUniqueGrid;

// The spitting zombie: after a 2.1 s wind-up it spits at the nearest soldier in sight within
// AttackRange (a projectile that switches on a puddle where the soldier stood). A soldier that
// shoots it becomes its Threat: after its next spit it hides behind a wall corner out of every
// soldier's sight, comes back when its spit is ready, and repeats. A soldier within 70 units for
// 2 s makes it burst. The spitters of a scene share SpitterSharedState.h.
//
// Split: bSpitterZombie.cpp (life cycle, JSON, update, spit, contacts, damage, death),
// bSpitterZombieHiding.cpp (the hiding-spot search and paths).
class bSpitterZombie : public bCharacterBehaviour, public ISerializable
{
public:
    static constexpr const char* ClassName = "bSpitterZombie";

    // SpitterState values.
    static constexpr int StateIdle = 0;
    static constexpr int StateWindingUp = 2;
    static constexpr int StateBursting = 3;
    static constexpr int StateDead = 4;

    // RetreatMode values.
    static constexpr int RetreatNone = 0;
    static constexpr int RetreatHiding = 1;
    static constexpr int RetreatReturning = 2;

    // Counts the spitters alive; the last one to go empties the scene's shared collections.
    bSpitterZombie();
    ~bSpitterZombie() override;
    bSpitterZombie(const bSpitterZombie&) = delete;
    bSpitterZombie& operator=(const bSpitterZombie&) = delete;

    void Awake(Coordinator& coordinator) override;
    // Home position, the scene's path grid (assert "PATHFINDING GRID NOT FOUND" without an entity
    // named "PathfindingGrid"), the shared wall corners and living soldiers (the first spitter of
    // the scene builds them), first spit ready, the reused "Spit_Projectile".
    void Start(Coordinator& coordinator) override;
    // Timers, corpse removal, death check, return home, retreat, path following, target choice,
    // wind-up and spit or burst, and the animation clip.
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;
    // Pushes aside or stops at a standing soldier, opens a door, pushes zombies on its way.
    void OnCollision(Coordinator& coordinator, Entity other) override;

    // As the base; a soldier's hit makes it the Threat (unless already hiding or threatened) and
    // flashes the spitter for one frame, bleeding at most every half second.
    void TakeDamage(Coordinator& coordinator, float amount, Entity attacker) override;
    // Leaves physics, splats and explodes ("SpitterExplosion"), removes its danger icon, stops
    // the nearby sound, reports the kill and releases the soldiers targeting it; no loot.
    void OnDeath(Coordinator& coordinator) override;

    // Fires the projectile at Target; on arrival it switches on a puddle where the target stood
    // when the spit left. Nothing without a Target.
    void Spit(Coordinator& coordinator);
    // Searches the wall corners for a reachable spot out of every living soldier's sight from
    // Threat, and sets Path to it; without a spot Threat stays for a later try
    // (bSpitterZombieHiding.cpp).
    void FindHidingSpot(Coordinator& coordinator);
    // Sets Path from the spitter's cell to the point's cell (as GoalCell); nothing when the point
    // has no cell (bSpitterZombieHiding.cpp).
    void PathTo(Coordinator& coordinator, Vector2 point);

    // All required, in order: "MaxHealth", "CurrentHealth", "TriggerRange", "AttackRange" (also
    // AttackRangeSquared), "SpitterShotCD" (also ShotCooldownTimer).
    void Deserialize(const rapidjson::Value& object) override;
    // The same keys in that order, as numbers.
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    int SpitterState = StateIdle;
    int RetreatMode = RetreatNone;
    // A spit was fired and the retreat for it is pending.
    bool HasSpat = false;
    // A soldier was within burst range in this frame's candidate pass.
    bool BurstArmed = false;
    // The soldier spat at, chosen afresh every frame.
    Entity Target = NO_ENTITY;
    // The soldier that shot it and is to be hidden from.
    Entity Threat = NO_ENTITY;
    // The threat of the last hiding-spot search (walked back to).
    Entity LastThreat = NO_ENTITY;
    float AttackRange = 0.0f;
    float AttackRangeSquared = 0.0f;
    // Seconds between spits, and since the last spit (capped at SpitterShotCD).
    float SpitterShotCD = 5.0f;
    float ShotCooldownTimer = 0.0f;
    // Seconds of wind-up, capped at 2.1.
    float SpitWindUpTimer = 0.0f;
    // The reused projectile.
    Entity SpitProjectile = NO_ENTITY;
    // 70 units squared.
    float BurstRangeSquared = 4900.0f;
    // Seconds with a soldier in burst range (capped at 2), since death (capped at 5) and since the
    // last damage effect.
    float BurstTimer = 0.0f;
    float CorpseTimer = 0.0f;
    float HitEffectTimer = 0.0f;
    // Squared distances at which a path cell, and the last one, count as reached.
    float WaypointReach = 50.0f;
    float GoalReach = 10.0f;
    // Remaining path cells, next first, and the path's goal.
    ::Path Path;
    Cell GoalCell;
    bool HidingSpotFound = false;
    // The last hiding spot found.
    Vector2 HidingSpot;
    // A path back towards LastThreat was requested, and has been walked to its end.
    bool ReturnRequested = false;
    bool Arrived = false;
    // Seconds since arriving, capped at 1.8.
    float WaitTimer = 0.0f;
    // "SpitterAlert_false_SFX_" was played on first sight.
    bool AlertPlayed = false;
    // The nearby loop plays on NearbyChannel.
    bool NearbySoundOn = false;
    VoiceHandle NearbyChannel;
    // The scene's path grid, found at Start; not owned.
    bUniqueGrid* PathGrid = nullptr;

private:
    // Steps of Update.
    void GrowTimers(int steps);
    void ForgetDeadSoldiers(Coordinator& coordinator);
    void Retreat(Coordinator& coordinator);
    // Walks the path one cell at a time; true when its last cell was reached this frame.
    bool FollowPath(Coordinator& coordinator, const Vector2& position);
    void ScanSoldiers(Coordinator& coordinator, const Vector2& position);
    void AimAtTarget(Coordinator& coordinator, const Vector2& position);
    void ShowStateClip(Coordinator& coordinator) const;
    void StopNearbySound(Coordinator& coordinator);
    // The shared collections, built by the first spitter of the scene (bSpitterZombieHiding.cpp).
    void BuildWallCorners(Coordinator& coordinator) const;
    // Whether the spot is hidden from every living soldier (bSpitterZombieHiding.cpp).
    bool HiddenFromSoldiers(Coordinator& coordinator, const Vector2& spot);

    // What a hiding-spot search that found nothing depended on: the same search over the same
    // world finds nothing again, so it is not repeated until one of these changes.
    struct FailedSearch
    {
        bool valid = false;
        Vector2 spitter;
        Entity threat = NO_ENTITY;
        Vector2 threatAt;
        std::size_t soldierCount = 0;
        std::array<Entity, 8> soldiers{};
        std::array<Vector2, 8> soldiersAt{};
        std::size_t cornerCount = 0;
        const bUniqueGrid* grid = nullptr;
        std::vector<char> map;
        EntityBits colliders;
    };
    // Fills the record with this moment's world; false when it cannot describe it (too many
    // soldiers to remember), so the search always runs.
    bool DescribeSearch(Coordinator& coordinator, FailedSearch& record) const;
    bool SameSearch(const FailedSearch& now) const;

    // OnDeath has run: a spitter dies once, so a spitter killed in its burst frame counts once.
    bool deathHandled = false;
    // The soldiers within the trigger range this frame (kept, so the scan allocates nothing).
    std::vector<Entity> candidates;
    FailedSearch failedSearch;
    FailedSearch searchNow;
    PathSearchMemo pathMemo;
};
