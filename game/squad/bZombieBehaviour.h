#pragma once
#include "engine/core/EngineTypes.h"
#include "engine/core/ISerializable.h"
#include "game/squad/bCharacterBehaviour.h"

class Transform;

#include <cstdint>
#include <vector>

// The plain zombie: stands until a soldier is within TriggerRange and in sight, walks straight at
// it, strikes it while within AttackRange, bleeds when hit, and on death may drop loot, reports
// the kill to the level rules and is removed five seconds later. Its active flag is its alive
// flag.
class bZombieBehaviour : public bCharacterBehaviour, public ISerializable
{
public:
    static constexpr const char* ClassName = "bZombieBehaviour";

    // ZombieState values (3 is never used).
    static constexpr int StateIdle = 0;
    static constexpr int StateChasing = 1;
    static constexpr int StateAttacking = 2;
    static constexpr int StateDead = 4;

    void Awake(Coordinator& coordinator) override;
    // Home position, Damage 7 (whatever the file said), speed limit 130.
    void Start(Coordinator& coordinator) override;
    // Timers, corpse removal, death check, return home when out of bounds, target choice,
    // steering, attacks and the animation clip.
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;

    // As the base; a hit also adopts a "PLAYER" attacker as Target when it has none, flashes the
    // zombie for one frame and bleeds at most every half second.
    void TakeDamage(Coordinator& coordinator, float amount, Entity attacker) override;
    // Death effect and grunt, inactive without physics, danger icon removed, the kill reported and
    // the soldiers targeting it released, drawn beneath the living, one loot roll in four.
    void OnDeath(Coordinator& coordinator) override;

    // All six keys required, in order: "MaxHealth", "CurrentHealth", "TriggerRange", "Damage",
    // "DamageRate" (numbers cut to whole numbers), "AttackRange" (also sets AttackRangeSquared).
    void Deserialize(const rapidjson::Value& object) override;
    // The same six keys in that order, as numbers.
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    int ZombieState = StateIdle;
    // Damage of one attack.
    std::uint16_t Damage = 0;
    // One attack every 2 / DamageRate seconds.
    std::uint16_t DamageRate = 0;
    float AttackRange = 0.0f;
    float AttackRangeSquared = 0.0f;
    // Seconds since the last attack, the last damage effect and death (at most 5).
    float AttackTimer = 0.0f;
    float HitEffectTimer = 0.0f;
    float CorpseTimer = 0.0f;
    // The soldier being hunted.
    Entity Target = NO_ENTITY;

private:
    // Picks the nearest soldier in sight, or lets go of one still within the trigger range.
    void ChooseTarget(Coordinator& coordinator, const Vector2& position);
    // Walks at the target or strikes it.
    void ChaseOrAttack(Coordinator& coordinator, Transform& transform);
    void ShowStateClip(Coordinator& coordinator) const;

    // OnDeath has run: a zombie dies once, however many killing blows land in its last frame.
    bool deathHandled = false;
    // The soldiers within the trigger range this frame; kept so the search allocates nothing.
    std::vector<Entity> candidates;
};
