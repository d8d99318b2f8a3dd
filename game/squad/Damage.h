#pragma once
#include "engine/core/EngineTypes.h"

#include <memory>

class Coordinator;
class bCharacterBehaviour;

// What every damage dealer shares. Health only ever falls through the victim's own TakeDamage,
// reached through its behaviour; the dealer never needs to know the victim's class.

// The entity's behaviour when it is a character (soldier, zombie, destructible target); null for
// anything else, a behaviour-less entity or none (0xFFFF).
std::shared_ptr<bCharacterBehaviour> CharacterOf(Coordinator& coordinator, Entity entity);

// Hands the amount to the victim's TakeDamage with the attacker; a victim that is not a character
// is left alone. True when a character received the call (whether or not its guards let it hurt).
bool DealDamage(Coordinator& coordinator, Entity victim, float amount, Entity attacker);
