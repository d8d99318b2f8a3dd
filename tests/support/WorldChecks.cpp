#include "support/WorldChecks.h"
#include "engine/components/PhysicsMovement.h"
#include "engine/components/Transform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace
{
bool HasNaN(const Vector2& v)
{
    return std::isnan(v.x) || std::isnan(v.y);
}
}

void ExpectSoundWorld(Coordinator& coordinator, const std::string& when)
{
    for (Entity entity = 0; entity < MAX_ENTITIES; ++entity)
    {
        if (!coordinator.IsAlive(entity))
            continue;
        if (const Transform* transform = coordinator.GetComponent<Transform>(entity))
        {
            EXPECT_FALSE(HasNaN(transform->position)) << "entity " << entity << " position, " << when;
            EXPECT_FALSE(HasNaN(transform->previousPosition)) << "entity " << entity << " previous position, " << when;
            EXPECT_FALSE(HasNaN(transform->scale)) << "entity " << entity << " scale, " << when;
            EXPECT_FALSE(std::isnan(transform->rotation)) << "entity " << entity << " rotation, " << when;
        }
        if (const PhysicsMovement* movement = coordinator.GetComponent<PhysicsMovement>(entity))
        {
            EXPECT_FALSE(HasNaN(movement->velocity)) << "entity " << entity << " velocity, " << when;
            EXPECT_FALSE(HasNaN(movement->acceleration)) << "entity " << entity << " acceleration, " << when;
            EXPECT_FALSE(std::isnan(movement->angularVelocity)) << "entity " << entity << " turning, " << when;
        }
    }
    std::set<Entity> waiting;
    for (Entity id : coordinator.EntityManager.FreeIds())
    {
        EXPECT_TRUE(waiting.insert(id).second) << "id " << id << " is twice in the free-id queue, " << when;
        EXPECT_FALSE(coordinator.IsAlive(id)) << "id " << id << " is free and alive, " << when;
    }
}
