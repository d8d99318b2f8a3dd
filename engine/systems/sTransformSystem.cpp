#include "engine/systems/sTransformSystem.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"

#include <cmath>

void sTransformSystem::Update(Coordinator& coordinator)
{
    cComponentContainer<Transform>& transforms = coordinator.ComponentManager.GetContainer<Transform>();
    for (Entity entity : entities)
    {
        Transform* transform = transforms.Find(entity);
        if (transform == nullptr)
            continue;
        const float c = std::cos(transform->rotation);
        const float s = std::sin(transform->rotation);
        // The third entries of the first two columns are left as they are (zero from the start).
        float* m = transform->modelMatrix.m;
        m[0] = c;
        m[1] = s;
        m[3] = -s;
        m[4] = c;
        m[6] = transform->position.x;
        m[7] = transform->position.y;
        m[8] = 1.0f;
        transform->previousPosition = transform->position;
    }
}
