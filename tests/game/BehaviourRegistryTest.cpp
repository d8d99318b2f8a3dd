#include "engine/core/sBehaviourSystem.h"
#include "engine/platform/sSoundSystem.h"
#include "engine/systems/sPhysicsCollision.h"
#include "engine/systems/sPhysicsMovement.h"
#include "game/flow/BehaviourRegistration.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bCameraBehaviour.h"
#include "game/flow/bDoorBehaviour.h"
#include "game/flow/bGameLogic.h"
#include "game/flow/bHUD.h"
#include "game/flow/bLogoDisplay.h"
#include "game/flow/bSmokeFill.h"
#include "game/flow/bTransitionScreen.h"
#include "game/flow/bTutorialLogic.h"
#include "game/squad/bExplosives.h"
#include "game/squad/bGameController.h"
#include "game/squad/bSpitterZombie.h"
#include "game/squad/bUniqueGrid.h"
#include "game/squad/bZombieBehaviour.h"
#include "support/AssertCapture.h"
#include "support/CoreWorld.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace
{
const std::vector<std::string> ClassesInOrder = {
    "bCameraBehaviour", "bUniqueGrid",      "bTutorialLogic",     "bLevelSelect",    "bGameLogic",
    "bGameController",  "bHUD",             "bTargetableObjects", "bAOEdamage",      "bDoorBehaviour",
    "bPlayerBehaviour", "bExplosives",      "bUIButtonBehaviour", "bFontBehaviour",  "bImageBehaviour",
    "bZombieBehaviour", "bSpitterZombie",   "bChargerZombie",     "bOneShot",        "bLogoDisplay",
    "bTransitionScreen", "bSmokeEmitter",   "bSmokeFill",         "bCutsceneAudio"};
const std::set<std::string> Characters = {"bTargetableObjects", "bPlayerBehaviour", "bZombieBehaviour",
                                          "bSpitterZombie", "bChargerZombie"};

struct BehaviourRegistryTest : testing::Test
{
    CoreWorld world;
    Coordinator& coordinator = world.coordinator;
    void SetUp() override
    {
        ResetPublishedInstances();
        RegisterBehaviours(*world.behaviours);
    }

    template <class T>
    std::shared_ptr<T> Create(const std::string& scene)
    {
        const Entity entity = coordinator.CreateEntity();
        return std::dynamic_pointer_cast<T>(world.behaviours->AddBehaviour("class " + scene, entity, coordinator));
    }
};
}

TEST_F(BehaviourRegistryTest, AllTwentyFourAreRegisteredInOrderAndCreatedByName)
{
    std::vector<std::string> expected;
    for (const std::string& name : ClassesInOrder)
        expected.push_back("class " + name);
    EXPECT_EQ(world.behaviours->RegistrationOrder(), expected);

    for (const std::string& name : ClassesInOrder)
    {
        SCOPED_TRACE(name);
        const Entity entity = coordinator.CreateEntity();
        std::shared_ptr<IBehaviour> created = world.behaviours->AddBehaviour("class " + name, entity, coordinator);
        ASSERT_NE(created, nullptr);
        EXPECT_EQ(created->entity, entity);
        EXPECT_EQ(created->state, BehaviourCreated);
        EXPECT_TRUE(created->active);
        EXPECT_TRUE(created->inSystems);
        EXPECT_EQ(created->boundEntity, NO_ENTITY);
        EXPECT_FALSE(created->BindToCamera);
        EXPECT_EQ(created->cameraOffset.x, 0.0f);
        EXPECT_EQ(created->initialCameraOffset.y, 0.0f);
        EXPECT_NE(dynamic_cast<ISerializable*>(created.get()), nullptr);
        EXPECT_NE(dynamic_cast<IInspector*>(created.get()), nullptr);
        EXPECT_EQ(static_cast<void*>(created.get()), dynamic_cast<void*>(created.get())) << "IBehaviour comes first";
        auto* character = dynamic_cast<bCharacterBehaviour*>(created.get());
        EXPECT_EQ(character != nullptr, Characters.count(name) == 1);
        if (character)
        {
            EXPECT_EQ(character->DangerIcon, NO_ENTITY);
        }
    }
    // The hooks run through the framework; the path grid's Awake needs the collision system, a
    // soldier the level's path grid (found by name) and, dying of its default health of 0, the
    // movement and sound systems.
    coordinator.SystemManager.RegisterSystem<sPhysicsCollision>();
    coordinator.SystemManager.RegisterSystem<sPhysicsMovement>();
    coordinator.SystemManager.RegisterSystem<sSoundSystem>();
    world.Named("PathfindingGrid");
    world.behaviours->OnSceneLoaded(coordinator);
    world.behaviours->Update(coordinator);
    world.behaviours->UnloadScene(coordinator, true);
}

TEST_F(BehaviourRegistryTest, NamesMustMatchExactly)
{
    const std::string doubled = "class class bSmokeFill";
    EXPECT_EQ(AssertMessageOf([&] { world.behaviours->AddBehaviour(doubled, 0, coordinator); }),
              "ADDING BEHAVIOUR OF TYPE : " + doubled + " WHEN IT WAS NOT REGISTERED");
    EXPECT_EQ(AssertMessageOf([&] { world.behaviours->RegisterBehaviour<bSmokeFill>(); }),
              "Double Registration of class bSmokeFill");
}

TEST_F(BehaviourRegistryTest, ConstructorDefaultsTheEngineAndGameRelyOn)
{
    auto camera = Create<bCameraBehaviour>("bCameraBehaviour");
    EXPECT_EQ(camera->maxHeight, 2000.0f);
    EXPECT_EQ(camera->MoveTimeLeft(), 0.0f);
    EXPECT_EQ(camera->QueuedMoveCount(), 0u);
    camera->Moves.push_back({1.0f, {}, 0.0f, false});
    EXPECT_EQ(camera->QueuedMoveCount(), 1u);

    auto grid = Create<bUniqueGrid>("bUniqueGrid");
    EXPECT_EQ(grid->Grid, nullptr);
    EXPECT_TRUE(grid->OccupancyMap.empty());

    EXPECT_EQ(Create<bTutorialLogic>("bTutorialLogic")->SkipButton, NO_ENTITY);
    auto logic = Create<bGameLogic>("bGameLogic");
    EXPECT_EQ(logic->CurrentState, GameState::Deploy);
    EXPECT_EQ(logic->LastSeenState, GameState::None);
    EXPECT_EQ(logic->PreviousState, GameState::None);
    EXPECT_EQ(logic->Level, LevelId::None);
    EXPECT_EQ(logic->IntroDelay, 3.5f);
    EXPECT_EQ(logic->PanDuration, 3.0f);
    EXPECT_FALSE(Create<bGameController>("bGameController")->MouseConsumed);
    EXPECT_EQ(Create<bDoorBehaviour>("bDoorBehaviour")->Button, NO_ENTITY);
    EXPECT_EQ(Create<bExplosives>("bExplosives")->ExplodeDelay, 1.0f);
    EXPECT_EQ(Create<bZombieBehaviour>("bZombieBehaviour")->Target, NO_ENTITY);
    auto spitter = Create<bSpitterZombie>("bSpitterZombie");
    EXPECT_EQ(spitter->Threat, NO_ENTITY);
    EXPECT_EQ(spitter->LastThreat, NO_ENTITY);
    EXPECT_EQ(spitter->SpitProjectile, NO_ENTITY);
    EXPECT_EQ(spitter->SpitterShotCD, 5.0f);
    EXPECT_EQ(spitter->BurstRangeSquared, 4900.0f);
    EXPECT_EQ(spitter->WaypointReach, 50.0f);
    EXPECT_EQ(spitter->GoalReach, 10.0f);
    EXPECT_EQ(Create<bLogoDisplay>("bLogoDisplay")->MaxDisplayTime, 999.0f);
    auto transition = Create<bTransitionScreen>("bTransitionScreen");
    EXPECT_EQ(transition->DoorMode, 2);
    EXPECT_TRUE(transition->OpenAnim);
    EXPECT_TRUE(transition->CloseAnim);
    EXPECT_FALSE(transition->DoorsMoving);
    auto fill = Create<bSmokeFill>("bSmokeFill");
    EXPECT_EQ(fill->FillWidth, 1920.0f);
    EXPECT_EQ(fill->ScrollSpeed, 25.0f);

    auto again = Create<bSmokeFill>("bSmokeFill");
    EXPECT_NE(again, fill) << "each entity gets its own behaviour";
}

TEST_F(BehaviourRegistryTest, PublishedInstancesStartNullAndAreWithdrawnOnlyByTheirOwner)
{
    EXPECT_EQ(GameLogicInstance(), nullptr);
    EXPECT_EQ(HUDInstance(), nullptr);
    EXPECT_EQ(GameControllerInstance(), nullptr);
    EXPECT_EQ(TutorialLogicInstance(), nullptr);
    EXPECT_EQ(TransitionScreenInstance(), nullptr);

    auto older = Create<bGameLogic>("bGameLogic");
    auto current = Create<bGameLogic>("bGameLogic");
    GameLogicInstance() = current.get();
    world.behaviours->RemoveBehaviour(older->entity);
    older.reset();
    EXPECT_EQ(GameLogicInstance(), current.get()) << "another instance's destruction leaves it";
    world.behaviours->RemoveBehaviour(current->entity);
    current.reset();
    EXPECT_EQ(GameLogicInstance(), nullptr);

    auto hud = Create<bHUD>("bHUD");
    auto controller = Create<bGameController>("bGameController");
    auto tutorial = Create<bTutorialLogic>("bTutorialLogic");
    auto transition = Create<bTransitionScreen>("bTransitionScreen");
    HUDInstance() = hud.get();
    GameControllerInstance() = controller.get();
    TutorialLogicInstance() = tutorial.get();
    TransitionScreenInstance() = transition.get();
    hud.reset();
    controller.reset();
    tutorial.reset();
    transition.reset();
    world.behaviours->UnloadScene(coordinator, true);
    EXPECT_EQ(HUDInstance(), nullptr);
    EXPECT_EQ(GameControllerInstance(), nullptr);
    EXPECT_EQ(TutorialLogicInstance(), nullptr);
    EXPECT_EQ(TransitionScreenInstance(), nullptr);
}
