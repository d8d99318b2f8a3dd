#include "game/squad/EntityPlacement.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"

void PlaceEntityAt(Coordinator& coordinator, Entity entity, const Vector2& point)
{
    Transform* transform = coordinator.GetComponent<Transform>(entity);
    if (transform == nullptr)
        return;
    transform->previousPosition = transform->position;
    transform->position = point;
}
