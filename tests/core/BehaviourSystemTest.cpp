#include "support/AssertCapture.h"
#include "support/CoreWorld.h"
#include "support/RecordingBehaviour.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;

namespace
{
const std::string Recording = "class RecordingBehaviour";

struct BehaviourSystemTest : testing::Test
{
    CoreWorld world;
    Coordinator& coordinator = world.coordinator;
    sBehaviourSystem& system = *world.behaviours;
    std::vector<std::string> journal;

    void SetUp() override
    {
        RecordingBehaviour::Journal() = &journal;
        system.RegisterBehaviour<RecordingBehaviour>();
    }
    void TearDown() override { RecordingBehaviour::Journal() = nullptr; }

    // Creates entities up to and including id and attaches a recording behaviour to id.
    RecordingBehaviour& Attach(Entity id)
    {
        while (coordinator.EntityManager.LivingCount() <= id)
            coordinator.CreateEntity();
        auto added = system.AddBehaviour(Recording, id, coordinator);
        auto& behaviour = dynamic_cast<RecordingBehaviour&>(*added);
        behaviour.Deserialize(rapidjson::Value()); // the loader reads the JSON after adding
        return behaviour;
    }
};
}

TEST_F(BehaviourSystemTest, SceneLoadWakesAllBeforeStartingAnyThenUpdatesInIdOrder)
{
    Attach(9);
    Attach(2);
    Attach(5);
    journal.clear();

    system.OnSceneLoaded(coordinator);
    EXPECT_THAT(journal, ElementsAre("Awake 2", "Awake 5", "Awake 9", "Start 2", "Start 5", "Start 9"));
    EXPECT_TRUE(system.Started());

    journal.clear();
    system.Update(coordinator);
    EXPECT_THAT(journal, ElementsAre("Update 2", "Update 5", "Update 9"));
}

TEST_F(BehaviourSystemTest, BehavioursSpawnedDuringAwakeFollowTheWakingPasses)
{
    RecordingBehaviour& spawner = Attach(5);
    spawner.onAwake = [&](Coordinator&) {
        Attach(7); // above: woken later in the same first pass
        Attach(3); // below: the first pass is past it
    };
    journal.clear();
    system.OnSceneLoaded(coordinator);
    EXPECT_THAT(journal, ElementsAre("Awake 5", "Deserialize 7", "Deserialize 3", "Awake 7", "Start 5", "Start 7"));

    journal.clear();
    system.Update(coordinator);
    EXPECT_THAT(journal, ElementsAre("Awake 3", "Start 3", "Update 3", "Update 5", "Update 7"));
}

TEST_F(BehaviourSystemTest, BehaviourAddedDuringPlayStartsBeforeItsDataAndUpdatesOnlyAboveTheCurrentId)
{
    RecordingBehaviour& spawner = Attach(5);
    system.OnSceneLoaded(coordinator);
    spawner.onUpdate = [&](Coordinator&) {
        Attach(8);
        Attach(1);
    };
    journal.clear();
    system.Update(coordinator);
    EXPECT_THAT(journal, ElementsAre("Update 5", "Awake 8", "Start 8", "Deserialize 8", "Awake 1", "Start 1",
                                     "Deserialize 1", "Update 8"));
    std::shared_ptr<IBehaviour> late;
    ASSERT_TRUE(system.GetBehaviour(1, late));
    EXPECT_EQ(late->state, BehaviourRunning);

    journal.clear();
    system.Update(coordinator);
    EXPECT_THAT(journal, ElementsAre("Update 1", "Update 5", "Update 8"));
}

TEST_F(BehaviourSystemTest, PausedAndAwokenBehavioursAreSkipped)
{
    Attach(1);
    Attach(2);
    Attach(3);
    system.OnSceneLoaded(coordinator);
    std::shared_ptr<IBehaviour> paused, awoken;
    system.GetBehaviour(1, paused);
    system.GetBehaviour(3, awoken);
    paused->state = BehaviourPaused;
    awoken->state = BehaviourAwoken;
    journal.clear();
    system.Update(coordinator);
    EXPECT_THAT(journal, ElementsAre("Update 2"));
    EXPECT_EQ(paused->state, BehaviourPaused) << "never re-awoken";
}

TEST_F(BehaviourSystemTest, EmptySceneStillStartsSoLaterBehavioursWakeAtOnce)
{
    system.OnSceneLoaded(coordinator);
    EXPECT_TRUE(system.Started());
    journal.clear();
    Attach(0);
    EXPECT_THAT(journal, ElementsAre("Awake 0", "Start 0", "Deserialize 0"));
}

TEST_F(BehaviourSystemTest, LookupsAndErrors)
{
    RecordingBehaviour& first = Attach(4);
    EXPECT_EQ(first.entity, 4);
    EXPECT_TRUE(first.active);
    EXPECT_TRUE(first.inSystems);
    EXPECT_EQ(first.boundEntity, NO_ENTITY);

    std::shared_ptr<IBehaviour> found = std::make_shared<RecordingBehaviour>();
    const IBehaviour* before = found.get();
    EXPECT_FALSE(system.GetBehaviour(3, found));
    EXPECT_FALSE(coordinator.GetBehaviour(NO_ENTITY, found));
    EXPECT_EQ(found.get(), before) << "the output is untouched";
    system.RemoveBehaviour(3); // nothing there: nothing happens
    EXPECT_EQ(system.Behaviours().size(), 1u);
    EXPECT_EQ(coordinator.GetBehaviourAs<RecordingBehaviour>(4).get(), &first);

    EXPECT_EQ(AssertMessageOf([&] { system.RegisterBehaviour<RecordingBehaviour>(); }),
              "Double Registration of class RecordingBehaviour");
    EXPECT_EQ(AssertMessageOf([&] { system.AddBehaviour("class Nobody", 5, coordinator); }),
              "ADDING BEHAVIOUR OF TYPE : class Nobody WHEN IT WAS NOT REGISTERED");
    EXPECT_EQ(AssertMessageOf([&] { system.AddBehaviour("RecordingBehaviour", 5, coordinator); }),
              "ADDING BEHAVIOUR OF TYPE : RecordingBehaviour WHEN IT WAS NOT REGISTERED")
        << "scene names get the prefix from the loader";
    EXPECT_EQ(AssertMessageOf([&] { system.AddBehaviour(Recording, 4, coordinator); }),
              "BEHAVIOUR class RecordingBehaviourCANNOT BE ATTACHED, EID : 4 ALREADY HAS A BEHAVIOUR");
}

TEST_F(BehaviourSystemTest, SceneUnloadRunsHooksOnlyAfterALoadedSceneButAlwaysDropsAndResets)
{
    for (bool sceneWasLoaded : {true, false})
    {
        SCOPED_TRACE(sceneWasLoaded);
        Attach(6);
        Attach(2);
        system.OnSceneLoaded(coordinator);
        system.entities.insert(6);
        journal.clear();

        system.UnloadScene(coordinator, sceneWasLoaded);
        std::vector<std::string> destroyed = journal;
        if (sceneWasLoaded)
        {
            ASSERT_GE(journal.size(), 2u);
            EXPECT_THAT(std::vector<std::string>(journal.begin(), journal.begin() + 2), ElementsAre("Unload 2", "Unload 6"));
            destroyed.erase(destroyed.begin(), destroyed.begin() + 2);
        }
        EXPECT_THAT(destroyed, testing::UnorderedElementsAre("Destroyed 2", "Destroyed 6"));
        EXPECT_TRUE(system.Behaviours().empty());
        EXPECT_TRUE(system.entities.empty());
        EXPECT_FALSE(system.Started());
    }
}

TEST_F(BehaviourSystemTest, CoordinatorResolvesTheSystemOnceAndAssertsWithoutOne)
{
    Coordinator bare;
    std::shared_ptr<IBehaviour> out;
    EXPECT_EQ(AssertMessageOf([&] { bare.GetBehaviour(0, out); }), "BEHAVIOUR SYSTEM NOT REGISTERED");
    EXPECT_EQ(coordinator.BehaviourSystem, nullptr);
    coordinator.ResolveBehaviourSystem();
    EXPECT_EQ(coordinator.BehaviourSystem, &system);
}

TEST_F(BehaviourSystemTest, DestructionDropsTheBehaviourWithoutAnyHook)
{
    RecordingBehaviour& doomed = Attach(1);
    system.OnSceneLoaded(coordinator);
    EXPECT_EQ(coordinator.GetInspectables(1).size(), 1u) << "the behaviour's inspector is listed";
    EXPECT_EQ(coordinator.GetInspectables(1).front(), static_cast<IInspector*>(&doomed));
    journal.clear();

    coordinator.DestroyEntity(1);
    system.Update(coordinator);
    EXPECT_THAT(journal, ElementsAre("Update 1")) << "still alive until processed";
    journal.clear();
    coordinator.ProcessDestroyedEntities();
    EXPECT_THAT(journal, ElementsAre("Destroyed 1"));
    std::shared_ptr<IBehaviour> gone;
    EXPECT_FALSE(coordinator.GetBehaviour(1, gone));
    EXPECT_TRUE(coordinator.GetInspectables(1).empty());
}

TEST_F(BehaviourSystemTest, ADestructorQueuingAnotherEntityIsProcessedInTheSameCall)
{
    RecordingBehaviour& first = Attach(0);
    RecordingBehaviour& second = Attach(1);
    Attach(2);
    first.onDestroy = [&] { coordinator.DestroyEntity(2); };
    second.onDestroy = [&] { coordinator.DestroyEntity(1); }; // itself: already queued
    journal.clear();

    coordinator.DestroyEntity(0);
    coordinator.DestroyEntity(1);
    coordinator.ProcessDestroyedEntities();
    EXPECT_THAT(journal, ElementsAre("Destroyed 0", "Destroyed 1", "Destroyed 2"));
    EXPECT_TRUE(coordinator.PendingDestroy.empty());
    EXPECT_TRUE(system.Behaviours().empty());
    EXPECT_EQ(coordinator.EntityManager.LivingCount(), 0);
    EXPECT_THAT(coordinator.EntityManager.FreeIds(), ElementsAre(0, 1, 2));
}
