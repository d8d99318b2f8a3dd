#pragma once
#include "engine/core/EngineTypes.h"
#include "engine/core/IBehaviour.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"
#include "engine/platform/audio/VoiceHandle.h"

#include <string>
#include <unordered_map>

class GridSpec;

// A circular area that hurts every character inside it: at once and then every DamageTick
// seconds while it stays, with separate reductions for soldiers ("PLAYER") and zombies ("ENEMY");
// optionally shielded by the path grid's obstacles. It may grow to MaxSize, plays its sound while
// it lasts, shows a "Fire_AOE_Indicator" when its name holds "Fire", and ends after Duration
// (never when 0). While inactive it is hidden and frozen. Spawners overwrite Range, Damage,
// Duration, DamageTick and FriendlyFire before its first Update.
class bAOEdamage : public IBehaviour, public IInspector, public ISerializable
{
public:
    static constexpr const char* ClassName = "bAOEdamage";

    // What the area knows of one character it has reached.
    struct HitRecord
    {
        bool hit = false;   // found inside in this Update
        float timer = 0.0f; // seconds since the last hit; 0 means due
    };

    void Awake(Coordinator& coordinator) override;
    // Keeps the "PathfindingGrid" bUniqueGrid's GridSpec as the wall grid, when there is one.
    void Start(Coordinator& coordinator) override;
    // Visibility by the active flag, the marker (once), the sound (once), end of life, the hit
    // records, the hits, ageing and growth.
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;

    void Inspect() override;
    // Every key optional: "Duration", "Damage", "Range", "MaxSize", "DamageTick", "FriendlyFire",
    // "EnemyFire" (numbers), "SFX" (string), "WallBounded" (true only for the literal true);
    // "SizeDuration" only with "MaxSize", which also sets GrowthRate from the Range read here.
    void Deserialize(const rapidjson::Value& object) override;
    // "Duration", "Damage", "Range", "DamageTick", "FriendlyFire", "EnemyFire", "SFX",
    // "WallBounded", "MaxSize", "SizeDuration", in that order.
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;

    // Life time in seconds; 0 never ends by itself.
    float Duration = 0.0f;
    // Life so far, counted in fixed steps.
    float Elapsed = 0.0f;
    // The single pass of an area without DamageTick is done.
    bool HitOnce = false;
    float Damage = 0.0f;
    // Current radius, the radius to grow to (0: no growth), the time to grow and the rate.
    float Range = 0.0f;
    float MaxSize = 0.0f;
    float SizeDuration = 0.0f;
    // Infinite for a SizeDuration of 0 or less (full size at the first step); a negative rate
    // (Range above MaxSize) never grows.
    float GrowthRate = 0.0f;
    // Seconds between hits on one character; 0 or less means one pass only.
    float DamageTick = 0.0f;
    // Damage reductions: soldiers take Damage x (1 - FriendlyFire), zombies x (1 - EnemyFire).
    float FriendlyFire = 0.0f;
    float EnemyFire = 0.0f;
    std::unordered_map<Entity, HitRecord> HitRecords;
    // The sound played while the area lasts, and the channel kept to stop it.
    std::string SFX;
    bool SoundStarted = false;
    VoiceHandle SoundChannel;
    // Obstacles of the path grid shield characters.
    bool WallBounded = false;
    // The marker check has run.
    bool IndicatorDone = false;
    // The path grid's GridSpec, owned by its bUniqueGrid; null when the scene has none.
    const GridSpec* WallGrid = nullptr;

private:
    // Steps of Update, in the order it runs them.

    // False while the area is inactive: it leaves the drawing system once and stays frozen; when
    // it is active again it rejoins that system.
    bool TrackVisibility(Coordinator& coordinator);
    // An area named with "Fire" shows a "Fire_AOE_Indicator" twice its Range in size that deletes
    // itself after Duration.
    void ShowFireMarker(Coordinator& coordinator);
    // Stops the area's sound and queues the entity for destruction, once.
    void End(Coordinator& coordinator);
    // Records not found inside in the last Update, and those whose DamageTick has passed, are due
    // again; every hit flag is cleared.
    void SweepHitRecords();
    // Hits a character inside the area when its record is due (reduced by its tag), unless a wall
    // of the wall grid shields it; anything that is not a bCharacterBehaviour is left alone.
    void ApplyHit(Coordinator& coordinator, Entity target);
    // A collider of the wall grid lies between the area's centre and the character.
    bool IsShielded(Coordinator& coordinator, Entity target) const;
    // Damage less the reduction of the character's side: "PLAYER" first, then "ENEMY".
    float DamageOn(Coordinator& coordinator, Entity target) const;
    // One fixed step of growth towards MaxSize; the drawn size follows the Range.
    void Grow(Coordinator& coordinator);

    // The area's life is over and its entity queued: it does nothing more.
    bool Ended = false;
};
