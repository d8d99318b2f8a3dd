#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/EngineTypes.h"
#include "engine/core/IBehaviour.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"

#include <string>
#include <vector>

// A thrown grenade or molotov: follows the throw path it was given, snapping to each bounce point
// and mirroring its velocity on the wall there, slows, plays its sound once slow enough, comes to
// rest and, ExplodeDelay seconds later, explodes into its "OnDestroy" area and an
// "ExplosionLight", passes its non-zero figures on to the area, may shake the screen and removes
// itself.
class bExplosives : public IBehaviour, public IInspector, public ISerializable
{
public:
    static constexpr const char* ClassName = "bExplosives";

    void Awake(Coordinator& coordinator) override;
    void Start(Coordinator& coordinator) override;
    // Movement steps and the rest clock, the bounce path, the flight sound, rest, explosion.
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;

    void Inspect() override;
    // Every key optional: "Duration", "Damage", "EffectRange", "DamageTick", "FriendlyFire",
    // "SFXDelay", "ExplodeDelay" (numbers), "OnDestroy", "SFX" (strings), "ScreenShake" (true only
    // for the literal true).
    void Deserialize(const rapidjson::Value& object) override;
    // "Duration", "Damage", "EffectRange", "DamageTick", "FriendlyFire", "OnDestroy", "SFX",
    // "SFXDelay", "ScreenShake", "ExplodeDelay", in that order.
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;

    // Figures handed to the area when not 0 (EffectRange becomes its Range).
    float Duration = 0.0f;
    float Damage = 0.0f;
    float EffectRange = 0.0f;
    float DamageTick = 0.0f;
    float FriendlyFire = 0.0f;
    // The prefab spawned by the explosion.
    std::string OnDestroy;
    // The sound played during the flight, once.
    std::string SFX;
    bool SoundPlayed = false;
    // Share of the launch speed squared at or below which the sound starts.
    float SFXDelay = 0.0f;
    // Speed squared in the first Update that finds it moving.
    float LaunchSpeedSquared = 0.0f;
    bool ScreenShake = false;
    // The remaining bounce points, nearest first, and the wall normal at each, in the same order;
    // filled by the thrower before the first Update.
    std::vector<Vector2> BouncePoints;
    std::vector<Vector2> BounceNormals;
    // Seconds since coming to rest.
    float RestTimer = 0.0f;
    // Seconds between coming to rest and exploding.
    float ExplodeDelay = 1.0f;
    // The speed has fallen below 0.001 (never cleared).
    bool AtRest = false;

private:
    // Snaps to the next bounce point once this frame's step passes within 30 units of it and
    // reflects the velocity there (stops at the last one); nothing without a fixed step.
    void FollowBouncePath(Coordinator& coordinator);
    // Spawns and configures the area and the light, shakes the screen when asked, removes itself;
    // once only.
    void Explode(Coordinator& coordinator);
    // Passes every non-zero figure on to the area when it is a bAOEdamage (EffectRange as its
    // Range, and x 1.39 as its drawn size).
    void HandFiguresTo(Coordinator& coordinator, Entity area) const;

    // The explosion has happened: nothing more is done until the entity is gone.
    bool Exploded = false;
};
