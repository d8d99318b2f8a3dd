#pragma once
#include "engine/core/ISerializable.h"
#include "game/squad/bCharacterBehaviour.h"

#include <cstddef>
#include <string>
#include <vector>

class bGameController;

// An object on the map that soldiers can shoot to pieces (tagged "TARGETABLE", with a collider).
// The hovered object shows its hover look and a left click on it sends one selected soldier at
// it. On death it shakes the screen, spawns its "OnDestroy" prefabs in its place (damage areas
// among them get their figures from the parallel lists) and leaves the scene and the path grid.
class bTargetableObjects : public bCharacterBehaviour, public ISerializable
{
public:
    static constexpr const char* ClassName = "bTargetableObjects";

    // LookState values.
    static constexpr int LookPlain = 0;
    static constexpr int LookHovered = 1;
    static constexpr int LookHit = 2;

    void Awake(Coordinator& coordinator) override;
    void Start(Coordinator& coordinator) override;
    // Death check and health cap, the look (plain, hovered, hit for one Update), the spark clock.
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;
    // The hover look; a left press with a squad controller gives the object as Target to exactly
    // one selected soldier that sees it clearly and has rounds (preferring one that is free).
    void OnHover(Coordinator& coordinator) override;

    // The base's two guards (an amount of 0, Invulnerable); otherwise "Damage_false_SFX_", health
    // falls by the amount, the hit look, sparks at most every half second. The attacker is unused.
    void TakeDamage(Coordinator& coordinator, float amount, Entity attacker) override;
    // Inactive, screen shake, the "OnDestroy" prefabs placed and configured, the entity queued for
    // destruction and removed from every "GRID" path grid (the map is not rebuilt here).
    void OnDeath(Coordinator& coordinator) override;

    // Every key optional: "NonHoverTexture", "HoverTexture", "MaxHealth", "CurrentHealth" and the
    // lists "OnDestroy" (strings), "EffectRange", "Damage", "Duration", "DamageTick",
    // "FriendlyFire" (numbers, appended).
    void Deserialize(const rapidjson::Value& object) override;
    // The ten keys in the order of the fields.
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    // Set by OnHover, cleared at the end of every Update.
    bool Hovered = false;
    // Read and written back; nothing else uses them.
    std::string NonHoverTexture;
    std::string HoverTexture;
    // Prefabs spawned on death, in order; entry i of each list below configures the damage area
    // spawned from OnDestroy entry i.
    std::vector<std::string> OnDestroy;
    std::vector<float> EffectRange;
    std::vector<float> Damage;
    std::vector<float> Duration;
    std::vector<float> DamageTick;
    std::vector<float> FriendlyFire;
    int LookState = LookPlain;
    // Seconds in the hit look, and frame time since the last spark.
    float HitTimer = 0.0f;
    float SparkTimer = 0.0f;

private:
    // Gives the object as Target to the first selected soldier that sees it clearly, has rounds
    // and is free (not reloading, no Target, rounds in the magazine), else to the first that sees
    // it with ammunition; nobody when no selected soldier qualifies.
    void SendOneSoldier(Coordinator& coordinator, const bGameController& controller);
    // Writes the figures of list entry `index` that exist into the spawned damage area (its Range
    // also as the area's drawn size); anything that is not a bAOEdamage is left as placed.
    void ConfigureArea(Coordinator& coordinator, Entity spawned, std::size_t index) const;
    // Takes the object out of every "GRID" path grid, without rebuilding the map.
    void LeavePathGrids(Coordinator& coordinator) const;
    // Sets the Animation clip for LookState when it is not already showing.
    void ShowLook(Coordinator& coordinator) const;

    // OnDeath has run: the object breaks, and spawns its prefabs, once.
    bool DeathHandled = false;
};
