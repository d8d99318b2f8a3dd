#include "engine/components/PhysicsCollision.h"
#include "support/CoreWorld.h"
#include "support/RecordingBehaviour.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;
using testing::UnorderedElementsAre;

namespace
{
// Stand-ins that carry the registry names of the real systems; their passes do nothing.
struct FakeCollision : sSystemBase
{
    static constexpr const char* ClassName = "sPhysicsCollision";
    void Update(Coordinator&) override {}
};
struct FakeAnimation : sSystemBase
{
    static constexpr const char* ClassName = "sAnimationSystem";
    void Update(Coordinator&) override {}
};
struct FakeRenderer : sSystemBase
{
    static constexpr const char* ClassName = "sRendererSystem";
    void Update(Coordinator&) override {}
};

const std::string Collision = "class sPhysicsCollision";
const std::string Animation = "class sAnimationSystem";
const std::string Renderer = "class sRendererSystem";
const std::string Names = "class sIdentifierSystem";

struct PauseQueueTest : testing::Test
{
    CoreWorld world;
    Coordinator& coordinator = world.coordinator;
    PauseQueue& queue = coordinator.PauseQueue;
    std::vector<std::string> journal;

    void SetUp() override
    {
        RecordingBehaviour::Journal() = &journal;
        world.behaviours->RegisterBehaviour<RecordingBehaviour>();
        coordinator.SystemManager.RegisterSystem<FakeCollision>();
        coordinator.SystemManager.SetSignature<FakeCollision>(
            coordinator.ComponentManager.GetComponentType<PhysicsCollision>());
        coordinator.SystemManager.RegisterSystem<FakeAnimation>();
        coordinator.SystemManager.RegisterSystem<FakeRenderer>();
    }
    void TearDown() override { RecordingBehaviour::Journal() = nullptr; }

    // A named entity with a collider, in every system, with a behaviour not yet awoken.
    Entity Actor(const std::string& name)
    {
        const Entity entity = world.Named(name);
        coordinator.AddComponent<PhysicsCollision>(entity);
        for (const std::string& system : {Collision, Animation, Renderer})
            coordinator.AddEntityToSystemByName(entity, system);
        world.behaviours->AddBehaviour("class RecordingBehaviour", entity, coordinator);
        return entity;
    }
    BehaviourState StateOf(Entity entity)
    {
        std::shared_ptr<IBehaviour> behaviour;
        return coordinator.GetBehaviour(entity, behaviour) ? behaviour->state : BehaviourCreated;
    }
    std::vector<std::string> Systems(Entity entity) { return coordinator.GetSystemsOfEntity(entity); }
};
}

TEST_F(PauseQueueTest, FreezeThenUnfreezeInOneFrameRestoresAndRunsTheBehaviour)
{
    const Entity e = Actor("Crate");
    queue.Freeze(e, coordinator);
    queue.Unfreeze(e);
    EXPECT_THAT(Systems(e), UnorderedElementsAre(Names, Collision, Animation, Renderer)) << "nothing before Apply";

    queue.Apply(coordinator);
    EXPECT_THAT(Systems(e), UnorderedElementsAre(Names, Collision, Animation, Renderer));
    EXPECT_EQ(StateOf(e), BehaviourRunning);
    EXPECT_THAT(journal, ElementsAre("Awake 0", "Start 0")) << "a pause gives an unstarted behaviour its start";
    EXPECT_TRUE(queue.Frozen().empty());
    EXPECT_TRUE(queue.Commands().empty());
}

TEST_F(PauseQueueTest, FreezeLeavesOnlyTheFreezeSystemsAndPausesTheBehaviour)
{
    const Entity e = Actor("Crate");
    queue.Freeze(e, coordinator);
    queue.Apply(coordinator);
    EXPECT_THAT(Systems(e), UnorderedElementsAre(Names, Renderer)) << "still drawn and named";
    EXPECT_EQ(StateOf(e), BehaviourPaused);

    queue.Freeze(e, coordinator);
    EXPECT_TRUE(queue.Commands().empty()) << "already out of every freeze system";

    const Entity plain = world.Named("Sign");
    coordinator.AddEntityToSystemByName(plain, Renderer);
    queue.Freeze(plain, coordinator);
    EXPECT_TRUE(queue.Commands().empty());
}

TEST_F(PauseQueueTest, DeactivateKeepsTheIdentifierSystemAndReactivateRestoresExactly)
{
    const Entity e = Actor("Door");
    queue.Freeze(e, coordinator);
    queue.Apply(coordinator);
    queue.Deactivate(e, coordinator);
    queue.Apply(coordinator);
    EXPECT_THAT(Systems(e), ElementsAre(Names));
    EXPECT_EQ(world.names->FindEntityByName(coordinator, "Door"), std::make_pair(true, e)) << "still findable";

    queue.Reactivate(e);
    queue.Apply(coordinator);
    EXPECT_THAT(Systems(e), UnorderedElementsAre(Names, Renderer)) << "only what deactivation removed";
    queue.Unfreeze(e);
    queue.Apply(coordinator);
    EXPECT_THAT(Systems(e), UnorderedElementsAre(Names, Collision, Animation, Renderer));

    const Entity nameOnly = world.Named("Label");
    queue.Deactivate(nameOnly, coordinator);
    EXPECT_TRUE(queue.Commands().empty());
    queue.Reactivate(nameOnly);
    EXPECT_TRUE(queue.Commands().empty()) << "never paused: nothing to resume";
}

TEST_F(PauseQueueTest, DoubleFreezeBeforeApplyDuplicatesAndOneUnfreezeResumesEach)
{
    const Entity e = Actor("Crate");
    queue.Freeze(e, coordinator);
    queue.Freeze(e, coordinator);
    EXPECT_EQ(queue.Commands().size(), 4u);
    EXPECT_EQ(queue.Frozen().size(), 4u);
    queue.Unfreeze(e);
    EXPECT_EQ(queue.Commands().size(), 8u);
    queue.Apply(coordinator);
    EXPECT_THAT(Systems(e), UnorderedElementsAre(Names, Collision, Animation, Renderer));
}

TEST_F(PauseQueueTest, ResumeRejoinsOnlyWhenTheSignatureStillFits)
{
    const Entity e = Actor("Crate");
    queue.Freeze(e, coordinator);
    queue.Apply(coordinator);
    coordinator.Signatures[e].reset(coordinator.ComponentManager.GetComponentType<PhysicsCollision>());
    queue.Unfreeze(e);
    queue.Apply(coordinator);
    EXPECT_THAT(Systems(e), UnorderedElementsAre(Names, Animation, Renderer));
    EXPECT_EQ(StateOf(e), BehaviourRunning);
}

TEST_F(PauseQueueTest, DestroyedEntitiesTakeTheirStashesAndCommandsAlong)
{
    const Entity frozen = Actor("Frozen");
    const Entity pending = Actor("Pending");
    queue.Freeze(frozen, coordinator);
    queue.Apply(coordinator);
    queue.Deactivate(pending, coordinator); // queued, never applied
    coordinator.DestroyEntity(frozen);
    coordinator.DestroyEntity(pending);
    coordinator.ProcessDestroyedEntities();
    EXPECT_TRUE(queue.Frozen().empty());
    EXPECT_TRUE(queue.Deactivated().empty());
    EXPECT_TRUE(queue.Commands().empty());

    // The recycled ids start clean: nothing pauses or resurrects them.
    const Entity first = Actor("NewA");
    const Entity second = Actor("NewB");
    EXPECT_EQ(first, frozen);
    EXPECT_EQ(second, pending);
    queue.Unfreeze(first);
    queue.Reactivate(second);
    queue.Apply(coordinator);
    EXPECT_THAT(Systems(first), UnorderedElementsAre(Names, Collision, Animation, Renderer));
    EXPECT_THAT(Systems(second), UnorderedElementsAre(Names, Collision, Animation, Renderer));
    EXPECT_EQ(StateOf(second), BehaviourCreated);
}

TEST_F(PauseQueueTest, ClearForgetsEverything)
{
    const Entity e = Actor("Crate");
    queue.Freeze(e, coordinator);
    queue.Deactivate(e, coordinator);
    queue.Clear();
    EXPECT_TRUE(queue.Frozen().empty());
    EXPECT_TRUE(queue.Deactivated().empty());
    EXPECT_TRUE(queue.Commands().empty());
}
