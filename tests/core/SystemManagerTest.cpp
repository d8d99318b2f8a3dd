#include "engine/core/Coordinator.h"
#include "engine/core/LogConsole.h"
#include "support/AssertCapture.h"
#include "support/TestComponents.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace
{
// Installs a log console for the test and removes it afterwards.
struct ConsoleScope
{
    LogConsole console;
    ConsoleScope() { LogConsole::Instance() = &console; ErrorFlag() = false; }
    ~ConsoleScope() { LogConsole::Instance() = nullptr; ErrorFlag() = false; }
};

struct SystemManagerTest : testing::Test
{
    Coordinator coordinator;
    std::vector<std::string> journal;
    void SetUp() override
    {
        coordinator.ComponentManager.RegisterComponent<Health>();
        coordinator.ComponentManager.RegisterComponent<Speed>();
        auto* gamma = coordinator.SystemManager.RegisterSystem<sGamma>();
        auto* alpha = coordinator.SystemManager.RegisterSystem<sAlpha>();
        auto* beta = coordinator.SystemManager.RegisterSystem<sBeta>();
        gamma->journal = alpha->journal = beta->journal = &journal;
        gamma->name = "gamma";
        alpha->name = "alpha";
        beta->name = "beta";
        coordinator.SystemManager.SetSignature<sAlpha>(coordinator.ComponentManager.GetComponentType<Health>());
        coordinator.SystemManager.SetSignature<sAlpha>(coordinator.ComponentManager.GetComponentType<Speed>());
    }
};
}

TEST_F(SystemManagerTest, UpdatesInRegistrationOrder)
{
    coordinator.SystemManager.UpdateSystems(coordinator, false);
    EXPECT_EQ(journal, (std::vector<std::string>{"gamma", "alpha", "beta"}));
}

TEST_F(SystemManagerTest, TypedOperationsAssertWithExactTexts)
{
    auto& systems = coordinator.SystemManager;
    EXPECT_EQ(AssertMessageOf([&] { systems.RegisterSystem<sAlpha>(); }), "DOUBLE REGISTRATION");
    EXPECT_EQ(AssertMessageOf([&] { systems.SetSignature<sNeverRegistered>(0); }),
              "NO SYSTEM class sNeverRegistered EXISTS");
    EXPECT_EQ(AssertMessageOf([&] { systems.GetSystem<sNeverRegistered>(); }),
              "NO SYSTEM class sNeverRegisteredEXISTS");
    EXPECT_EQ(AssertMessageOf([&] { coordinator.AddEntityToSystem<sNeverRegistered>(0); }),
              "NO SYSTEM class sNeverRegisteredEXISTS");
    const Entity e = coordinator.CreateEntity();
    coordinator.AddComponentByName("class Health", e);
    EXPECT_EQ(AssertMessageOf([&] { coordinator.AddEntityToSystem<sAlpha>(e); }),
              "COMPONENT DOES NOT MEET class sAlphaREQUIREMENTS\n");
    EXPECT_EQ(AssertMessageOf([&] { systems.RemoveEntityFromSystem(e, "class sMissing"); }),
              "NO SYSTEM class sMissingEXISTS");
}

TEST_F(SystemManagerTest, TypedJoinAcceptsAMatchingEntityOnce)
{
    const Entity e = coordinator.CreateEntity();
    coordinator.AddComponentByName("class Health", e);
    coordinator.AddComponentByName("class Speed", e);
    EXPECT_TRUE(coordinator.AddEntityToSystem<sAlpha>(e));
    EXPECT_FALSE(coordinator.AddEntityToSystem<sAlpha>(e));
    EXPECT_EQ(coordinator.GetSystem<sAlpha>()->entities.size(), 1u);
    coordinator.RemoveEntityFromSystem<sAlpha>(e);
    EXPECT_TRUE(coordinator.GetSystem<sAlpha>()->entities.empty());
}

TEST_F(SystemManagerTest, ByNameOperationsLogAndContinue)
{
    ConsoleScope scope;
    auto& systems = coordinator.SystemManager;
    const Entity e = coordinator.CreateEntity();
    systems.RemoveEntityFromSystem(e, "class sBeta");
    systems.AddEntityToSystemByName(e, "sBeta");  // without the prefix nothing is found
    EXPECT_TRUE(systems.GetSignatureByName("class sNope").none());
    EXPECT_TRUE(systems.GetSignatureByName("class sBeta").none());
    coordinator.AddEntityToSystemByName(e, "class sAlpha");
    EXPECT_EQ(scope.console.Lines(), (std::vector<std::string>{
                                         "ENTITY 0 NOT FOUND INSIDE class sBeta",
                                         "SYSTEM sBeta NOT FOUND",
                                         "SYSTEM class sNope NOT FOUND",
                                         "Failed registration for class sAlpha by 0",
                                     }));
    EXPECT_TRUE(coordinator.GetSystemsOfEntity(e).empty());
}

TEST_F(SystemManagerTest, TimingWritesOneLinePerSystemToTheLogOnly)
{
    ConsoleScope scope;
    testing::internal::CaptureStdout();
    coordinator.SystemManager.UpdateSystems(coordinator, true);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    const auto& lines = scope.console.Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_THAT(lines[0], testing::MatchesRegex("class sGamma took [0-9]+\\.[0-9]{5}ms, [0-9]+\\.[0-9]{2}% of 60fps used"));
    EXPECT_EQ(lines[3], "\n");
}

TEST_F(SystemManagerTest, ShutDownExitsEachSystemOnceInRegistrationOrder)
{
    ConsoleScope scope;
    coordinator.SystemManager.ShutDownSystems();
    EXPECT_EQ(journal, (std::vector<std::string>{"gamma exit", "alpha exit", "beta exit"}));
    EXPECT_EQ(scope.console.Lines(), (std::vector<std::string>(3, "DELETED")));
    EXPECT_EQ(coordinator.SystemManager.FindSystemByName("class sAlpha"), nullptr);

    coordinator.SystemManager.ShutDownSystems();
    coordinator.SystemManager.UpdateSystems(coordinator, false);
    EXPECT_EQ(journal.size(), 3u);
}

TEST(SystemManager, DestroyingWithoutShutDownRunsNoExit)
{
    std::vector<std::string> journal;
    {
        Coordinator coordinator;
        auto* alpha = coordinator.SystemManager.RegisterSystem<sAlpha>();
        alpha->journal = &journal;
        alpha->name = "alpha";
    }
    EXPECT_TRUE(journal.empty());
}
