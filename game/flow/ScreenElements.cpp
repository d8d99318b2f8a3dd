#include "game/flow/ScreenElements.h"

#include "engine/components/Identifier.h"
#include "engine/components/Transform.h"
#include "engine/core/CommaList.h"
#include "engine/systems/sIdentifierSystem.h"

void MoveByHand(Transform& transform, Vector2 position)
{
    transform.previousPosition = transform.position;
    transform.position = position;
}

bool PositionOf(Coordinator& coordinator, Entity entity, Vector2& out)
{
    if (!coordinator.IsAlive(entity))
        return false;
    const Transform* transform = coordinator.GetComponent<Transform>(entity);
    if (transform == nullptr)
        return false;
    out = transform->position;
    return true;
}

Vector2 Offset(Vector2 point, float x, float y)
{
    return {point.x + x, point.y + y};
}

Entity FindNamedEntity(Coordinator& coordinator, const std::string& name)
{
    if (name.empty())
        return NO_ENTITY;
    const auto [found, entity] = coordinator.GetSystem<sIdentifierSystem>()->FindEntityByName(coordinator, name);
    return found ? entity : NO_ENTITY;
}

void AppendEntitiesNamed(Coordinator& coordinator, const std::string& commaList, std::vector<Entity>& out)
{
    std::vector<std::string> pieces;
    SplitCommaList(commaList, pieces);
    const sIdentifierSystem* identifiers = coordinator.GetSystem<sIdentifierSystem>();
    for (const std::string& piece : pieces)
        for (Entity entity : identifiers->entities)
            if (const Identifier* identifier = coordinator.GetComponent<Identifier>(entity);
                identifier != nullptr && identifier->name == piece)
                out.push_back(entity);
}

bool HasInactiveBehaviour(Coordinator& coordinator, Entity entity)
{
    std::shared_ptr<IBehaviour> behaviour;
    return coordinator.GetBehaviour(entity, behaviour) && !behaviour->active;
}

bool HasCameraBoundBehaviour(Coordinator& coordinator, Entity entity)
{
    std::shared_ptr<IBehaviour> behaviour;
    return coordinator.GetBehaviour(entity, behaviour) && behaviour->BindToCamera;
}

void ActivateBehaviour(Coordinator& coordinator, Entity entity)
{
    std::shared_ptr<IBehaviour> behaviour;
    if (coordinator.GetBehaviour(entity, behaviour))
        behaviour->active = true;
}

void DeactivateBehaviour(Coordinator& coordinator, Entity entity)
{
    std::shared_ptr<IBehaviour> behaviour;
    if (coordinator.GetBehaviour(entity, behaviour))
        behaviour->active = false;
}
