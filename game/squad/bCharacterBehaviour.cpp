#include "game/squad/bCharacterBehaviour.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/platform/PrefabFile.h"
#include "game/flow/bImageBehaviour.h"
#include "game/squad/EntityPlacement.h"

void bCharacterBehaviour::TakeDamage(Coordinator&, float amount, Entity)
{
    if (amount == 0.0f || Invulnerable)
        return;
    CurrentHealth -= amount;
}

void bCharacterBehaviour::OnDeath(Coordinator&)
{
}

void bCharacterBehaviour::ShowDangerIcon(Coordinator& coordinator)
{
    const Transform* transform = coordinator.GetComponent<Transform>(entity);
    if (transform == nullptr)
        return;
    if (DangerIconShown)
    {
        // The icon was removed and no soldier has cleared the flag yet: nothing to show.
        if (DangerIcon != NO_ENTITY)
            PlaceEntityAt(coordinator, DangerIcon, transform->position);
        return;
    }
    DangerIconShown = true;
    DangerIcon = InstantiatePrefab(coordinator, "Danger_Icon");
    PlaceEntityAt(coordinator, DangerIcon, transform->position);
    // Both bindings: the bound entity makes the icon follow the character, the linked character
    // lets the icon clear itself through this character (and lets a soldier that sees the icon
    // find the character it marks).
    if (auto image = coordinator.GetBehaviourAs<bImageBehaviour>(DangerIcon))
    {
        image->boundEntity = entity;
        image->LinkedCharacter = entity;
    }
}

bool bCharacterBehaviour::RemoveDangerIcon(Coordinator& coordinator)
{
    if (DangerIcon == NO_ENTITY)
        return false;
    coordinator.DestroyEntity(DangerIcon);
    DangerIcon = NO_ENTITY;
    return true;
}

void bCharacterBehaviour::Inspect()
{
}
