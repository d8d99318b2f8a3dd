#include "support/RenderWorld.h"

#include <gtest/gtest.h>

TEST(TransformSystem, ModelMatricesFromPositionAndRotationAlone)
{
    RenderWorld world;
    const Entity still = world.Thing("Still", {30, 40});
    const Entity turned = world.Thing("Turned", {-5, 7});
    world.TransformOf(turned).rotation = 1.5707964f;
    world.TransformOf(turned).scale = {3, 3};
    world.TransformOf(turned).position = {-6, 8};
    world.transforms->Update(world.coordinator);

    const float* m = world.TransformOf(still).modelMatrix.m;
    const float identity[9] = {1, 0, 0, 0, 1, 0, 30, 40, 1};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(m[i], identity[i]) << i;

    const Transform& t = world.TransformOf(turned);
    EXPECT_NEAR(t.modelMatrix.m[0], 0.0f, 1e-6f);
    EXPECT_EQ(t.modelMatrix.m[1], 1.0f);
    EXPECT_EQ(t.modelMatrix.m[2], 0.0f) << "left as it was";
    EXPECT_EQ(t.modelMatrix.m[3], -1.0f);
    EXPECT_NEAR(t.modelMatrix.m[4], 0.0f, 1e-6f);
    EXPECT_EQ(t.modelMatrix.m[6], -6.0f);
    EXPECT_EQ(t.modelMatrix.m[7], 8.0f);
    EXPECT_EQ(t.previousPosition.x, -6.0f);
    EXPECT_EQ(t.previousPosition.y, 8.0f);
}
