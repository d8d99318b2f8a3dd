#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/EngineTypes.h"
#include "engine/core/IBehaviour.h"
#include "engine/core/IInspector.h"

// Abstract base of every behaviour with health (soldiers, zombies, destructible targets).
// Attackers reach a victim through this class without knowing its concrete kind. A character is
// alive while its behaviour is active and CurrentHealth is above 0.
class bCharacterBehaviour : public IBehaviour, public IInspector
{
public:
    // Damage from an attacker: an amount of exactly 0, or any amount while Invulnerable, changes
    // nothing; otherwise CurrentHealth falls by the amount, unclamped (a negative amount heals).
    // Death is noticed by the character's next Update, never here. Overrides keep both guards.
    virtual void TakeDamage(Coordinator& coordinator, float amount, Entity attacker);
    // Called by the character itself once its health has run out (and by the level rules on the
    // soldiers of a lost level); nothing in the base.
    virtual void OnDeath(Coordinator& coordinator);

    // Marks the character with one "Danger_Icon" bound to it, spawned on the first call only; later
    // calls move the icon onto the character. Spawns nothing after RemoveDangerIcon until a soldier
    // clears DangerIconShown.
    void ShowDangerIcon(Coordinator& coordinator);
    // Queues the icon for destruction and forgets it (DangerIconShown stays set); false, queuing
    // nothing, when no icon is shown.
    bool RemoveDangerIcon(Coordinator& coordinator);

    void Inspect() override;

    float MaxHealth = 0.0f;
    float CurrentHealth = 0.0f;
    // World units within which the character notices others; each class says how it uses it.
    float TriggerRange = 0.0f;
    // The Transform position taken at Start; a character found outside the level returns here.
    Vector2 HomePosition;
    bool Invulnerable = false;
    // The "Danger_Icon" entity currently shown over the character.
    Entity DangerIcon = NO_ENTITY;
    // Set when the icon was spawned; cleared only by a soldier that loses sight of the character.
    bool DangerIconShown = false;
};
