#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/EngineTypes.h"
#include "engine/core/IBehaviour.h"
#include "engine/core/IInspector.h"

// Abstract base of every behaviour with health (soldiers, zombies, destructible targets).
// Attackers reach a victim through this class without knowing its concrete kind.
class bCharacterBehaviour : public IBehaviour, public IInspector
{
public:
    // Damage from an attacker; the behaviour framework never calls it.
    virtual void TakeDamage(Coordinator& coordinator, float amount, Entity attacker);
    // Called by the character itself once its health has run out.
    virtual void OnDeath(Coordinator& coordinator);

    void Inspect() override;

    float MaxHealth = 0.0f;
    float CurrentHealth = 0.0f;
    float TriggerRange = 0.0f;
    Vector2 HomePosition;
    bool Invulnerable = false;
    Entity DangerIcon = NO_ENTITY;
    bool DangerIconShown = false;
};
