#pragma once
#include "engine/components/PhysicsMovement.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"

#include <gtest/gtest.h>

#include <bitset>
#include <cmath>
#include <sstream>

// The checks every game test of characters ends with: no NaN in any Transform or
// PhysicsMovement of a live entity, and no id twice in the free-id queue (nor a live id in it).
// Use as EXPECT_TRUE(WorldIsSane(coordinator)); the failure names every fault found.
inline testing::AssertionResult WorldIsSane(Coordinator& coordinator)
{
    std::ostringstream faults;
    const auto nan = [](float value) { return std::isnan(value); };
    const auto nanVector = [&](const Vector2& v) { return nan(v.x) || nan(v.y); };
    for (std::size_t id = 0; id < MAX_ENTITIES; ++id)
    {
        const Entity entity = static_cast<Entity>(id);
        if (!coordinator.IsAlive(entity))
            continue;
        if (const Transform* t = coordinator.GetComponent<Transform>(entity))
            if (nanVector(t->position) || nanVector(t->previousPosition) || nanVector(t->scale) || nan(t->rotation))
                faults << "\n  entity " << id << ": NaN in its Transform";
        if (const PhysicsMovement* m = coordinator.GetComponent<PhysicsMovement>(entity))
        {
            bool bad = nanVector(m->velocity) || nanVector(m->acceleration) || nan(m->angularVelocity) ||
                       nan(m->angularAcceleration) || nan(m->Speed);
            for (const Force& force : m->forces)
                bad = bad || nanVector(force.direction) || nan(force.magnitude) || nan(force.duration) ||
                      nan(force.elapsed);
            if (bad)
                faults << "\n  entity " << id << ": NaN in its PhysicsMovement";
        }
    }
    std::bitset<MAX_ENTITIES> seen;
    for (Entity id : coordinator.EntityManager.FreeIds())
    {
        if (id >= MAX_ENTITIES)
            faults << "\n  id " << id << " in the free-id queue is out of range";
        else if (seen.test(id))
            faults << "\n  id " << id << " is twice in the free-id queue";
        else if (coordinator.IsAlive(id))
            faults << "\n  id " << id << " is in the free-id queue but alive";
        else
            seen.set(id);
    }
    if (faults.str().empty())
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the world is not sane:" << faults.str();
}
