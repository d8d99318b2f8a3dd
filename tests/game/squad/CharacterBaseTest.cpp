#include "support/SquadGame.h"
#include "support/TestCharacter.h"
#include "support/WorldSanity.h"

#include "engine/components/Transform.h"
#include "engine/systems/sIdentifierSystem.h"
#include "game/flow/bImageBehaviour.h"
#include "game/squad/EntityPlacement.h"

#include <gtest/gtest.h>

namespace
{
struct CharacterBase : testing::Test
{
    std::unique_ptr<TestGame> game = SquadGame("Characters.json");
    Coordinator& coordinator = *game->coordinator;
    std::shared_ptr<TestCharacter> zombie = game->Behaviour<TestCharacter>("Zombie_1");

    void SetUp() override
    {
        ASSERT_TRUE(zombie);
        game->RunFrames(1);
    }
    void TearDown() override { EXPECT_TRUE(WorldIsSane(coordinator)); }

    std::size_t IconsAlive()
    {
        return coordinator.GetSystem<sIdentifierSystem>()->FindEntitiesWithTag(coordinator, "DANGER").size();
    }
};
}

TEST_F(CharacterBase, TakeDamageSubtractsUnclampedUnlessZeroOrInvulnerable)
{
    const struct
    {
        const char* what;
        float amount;
        bool invulnerable;
        float health;
    } cases[] = {
        {"a hit", 30.0f, false, 70.0f},
        {"exactly 0 is ignored", 0.0f, false, 100.0f},
        {"invulnerable ignores everything", 30.0f, true, 100.0f},
        {"invulnerable ignores healing too", -30.0f, true, 100.0f},
        {"a negative amount heals", -20.0f, false, 120.0f},
        {"more than the health goes below 0", 150.0f, false, -50.0f},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        zombie->CurrentHealth = 100.0f;
        zombie->Invulnerable = c.invulnerable;
        zombie->bCharacterBehaviour::TakeDamage(coordinator, c.amount, NO_ENTITY);
        EXPECT_EQ(zombie->CurrentHealth, c.health);
    }
}

TEST_F(CharacterBase, DeathFollowsInTheCharactersNextUpdateNotInsideTakeDamage)
{
    zombie->TakeDamage(coordinator, 150.0f, NO_ENTITY);
    EXPECT_EQ(zombie->CurrentHealth, -50.0f);
    EXPECT_EQ(zombie->deaths, 0);
    game->RunFrames(1);
    EXPECT_EQ(zombie->deaths, 1);
}

TEST_F(CharacterBase, ADangerIconIsSpawnedOnceBoundToTheCharacterAndFollowsItsMoves)
{
    zombie->ShowDangerIcon(coordinator);
    const Entity icon = zombie->DangerIcon;
    ASSERT_NE(icon, NO_ENTITY);
    EXPECT_TRUE(zombie->DangerIconShown);
    EXPECT_EQ(coordinator.GetComponent<Transform>(icon)->position.x, 500.0f);
    auto image = coordinator.GetBehaviourAs<bImageBehaviour>(icon);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->boundEntity, zombie->entity) << "bound, so it follows the character";
    EXPECT_EQ(image->LinkedCharacter, zombie->entity) << "linked, so it is cleared through the character";

    PlaceEntityAt(coordinator, zombie->entity, {700.0f, 620.0f});
    zombie->ShowDangerIcon(coordinator);
    EXPECT_EQ(zombie->DangerIcon, icon) << "a second call spawns nothing";
    const Transform* placed = coordinator.GetComponent<Transform>(icon);
    EXPECT_EQ(placed->position.x, 700.0f);
    EXPECT_EQ(placed->position.y, 620.0f);
    game->RunFrames(1);
    EXPECT_EQ(IconsAlive(), 1u);
}

TEST_F(CharacterBase, ARemovedIconIsNotShownAgainUntilTheFlagIsCleared)
{
    EXPECT_FALSE(zombie->RemoveDangerIcon(coordinator)) << "nothing shown, nothing queued";
    EXPECT_TRUE(coordinator.PendingDestroy.empty());

    zombie->ShowDangerIcon(coordinator);
    const Entity icon = zombie->DangerIcon;
    EXPECT_TRUE(zombie->RemoveDangerIcon(coordinator));
    EXPECT_EQ(zombie->DangerIcon, NO_ENTITY);
    EXPECT_TRUE(zombie->DangerIconShown);
    game->RunFrames(1);
    EXPECT_FALSE(coordinator.IsAlive(icon));

    zombie->ShowDangerIcon(coordinator);
    EXPECT_EQ(zombie->DangerIcon, NO_ENTITY) << "the flag still stands: no new icon";
    EXPECT_EQ(IconsAlive(), 0u);

    zombie->DangerIconShown = false; // as a soldier that lost sight of it does
    zombie->ShowDangerIcon(coordinator);
    EXPECT_NE(zombie->DangerIcon, NO_ENTITY);
    game->RunFrames(1);
    EXPECT_EQ(IconsAlive(), 1u);
}
