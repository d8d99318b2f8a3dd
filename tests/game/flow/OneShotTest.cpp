#include "support/FlowFixtureGame.h"

#include "engine/components/Animation.h"
#include "engine/components/Identifier.h"
#include "engine/components/Lighting.h"
#include "engine/components/Transform.h"
#include "engine/systems/OneShotEffects.h"
#include "engine/systems/sIdentifierSystem.h"
#include "engine/systems/sLightingSystem.h"
#include "game/flow/bOneShot.h"

#include <gtest/gtest.h>

#include <algorithm>

// An explosion spawned as the game spawns it plays its clip and then removes itself.
TEST(OneShot, TheEffectRemovesItselfAfterItsClip)
{
    auto game = FlowFixtureGame("OneShots.json", true);
    Coordinator& coordinator = *game->coordinator;
    const Entity effect = SpawnOneShot(7, coordinator, {300.0f, 300.0f});
    const auto oneShot = coordinator.GetBehaviourAs<bOneShot>(effect);
    ASSERT_TRUE(oneShot);
    game->RunFrames(3);
    ASSERT_TRUE(coordinator.IsAlive(effect)) << "the clip is still playing";
    EXPECT_FALSE(oneShot->DestroyQueued);
    for (int frame = 0; frame < 600 && coordinator.IsAlive(effect); ++frame)
        game->RunFrames(1);
    EXPECT_FALSE(coordinator.IsAlive(effect)) << "gone after its clip";
    EXPECT_TRUE(oneShot->DestroyQueued);
}

// The moment the clip ends: the effect is queued once, and when its first tag is "AMBIENTLIGHT"
// the light lists are rebuilt at once, before the frame's destruction pass rebuilds them anyway.
TEST(OneShot, AnAmbientLightEffectRefreshesTheLightListsAtOnce)
{
    const struct
    {
        const char* what;
        std::vector<std::string> tags;
        bool refreshes;
    } cases[] = {
        {"an ambient light", {"AMBIENTLIGHT", "ANIMATED", "ONESHOT"}, true},
        {"a light only in second place", {"ANIMATED", "AMBIENTLIGHT", "ONESHOT"}, false},
        {"no tags", {}, false},
    };
    auto game = FlowFixtureGame("OneShots.json", true);
    Coordinator& coordinator = *game->coordinator;
    auto* lights = coordinator.GetSystem<sLightingSystem>();
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        const Entity effect = SpawnOneShot(7, coordinator, {300.0f, 300.0f});
        game->RunFrames(1);
        coordinator.GetComponent<Identifier>(effect)->tags = c.tags;
        coordinator.GetComponent<Animation>(effect)->finished = true;
        const auto oneShot = coordinator.GetBehaviourAs<bOneShot>(effect);
        lights->ambientLights.clear();

        oneShot->Update(coordinator);
        oneShot->Update(coordinator);
        EXPECT_EQ(std::count(coordinator.PendingDestroy.begin(), coordinator.PendingDestroy.end(), effect), 1);
        EXPECT_EQ(!lights->ambientLights.empty(), c.refreshes);
        game->RunFrames(1);
        EXPECT_FALSE(coordinator.IsAlive(effect));
    }
}
