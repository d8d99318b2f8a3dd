#include "game/squad/Damage.h"
#include "engine/core/Coordinator.h"
#include "game/squad/bCharacterBehaviour.h"

std::shared_ptr<bCharacterBehaviour> CharacterOf(Coordinator& coordinator, Entity entity)
{
    return coordinator.GetBehaviourAs<bCharacterBehaviour>(entity);
}

bool DealDamage(Coordinator& coordinator, Entity victim, float amount, Entity attacker)
{
    const std::shared_ptr<bCharacterBehaviour> character = CharacterOf(coordinator, victim);
    if (!character)
        return false;
    character->TakeDamage(coordinator, amount, attacker);
    return true;
}
