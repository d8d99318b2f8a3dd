#include "engine/core/Assert.h"
#include "engine/platform/WindowState.h"
#include "engine/platform/native/GlfwPlatform.h"
#include "support/AssertCapture.h"
#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>

TEST(Platform, ScriptedPlatformStandsInUntilReset)
{
    ScriptedPlatform& scripted = ScriptedPlatform::Install();
    EXPECT_EQ(&CurrentPlatform(), &scripted);

    // Asserts reach the user through the current platform's message box.
    ResetAssertReporter();
    ErrorFlag() = false;
    EXPECT_EQ(AssertMessageOf([] { Assert("DOUBLE REGISTRATION"); }), "DOUBLE REGISTRATION");
    ReportToUser("ERROR", "DOUBLE REGISTRATION");
    const std::vector<std::pair<std::string, std::string>> expected = {{"ASSERT ERROR", "DOUBLE REGISTRATION"},
                                                                        {"ERROR", "DOUBLE REGISTRATION"}};
    EXPECT_EQ(scripted.messageBoxes, expected);
    SetAssertReporter([](const std::string&, const std::string&) {});
    ErrorFlag() = false;

    ResetPlatform();
    EXPECT_NE(dynamic_cast<GlfwPlatform*>(&CurrentPlatform()), nullptr);
}

TEST(Platform, ScriptedClockKeysCursorFocusAndWheel)
{
    ScriptedPlatform& platform = ScriptedPlatform::Install();
    EXPECT_EQ(platform.Now(), 0.0);
    EXPECT_EQ(platform.Now(), ScriptedPlatform::FrameSeconds);
    platform.SetTime(10.0);
    platform.SetFrameLength(0.0);
    EXPECT_EQ(platform.Now(), 10.0);
    EXPECT_EQ(platform.Now(), 10.0);

    EXPECT_TRUE(platform.IsWindowFocused());
    platform.SetKeyDown('W', true);
    EXPECT_TRUE(platform.IsKeyDown('W'));
    EXPECT_FALSE(platform.IsKeyDown('S'));

    ClientPoint point;
    platform.SetCursor(12, 34);
    ASSERT_TRUE(platform.CursorPosition(point));
    EXPECT_EQ(point.x, 12);
    EXPECT_EQ(point.y, 34);
    platform.SetCursorAvailable(false);
    EXPECT_FALSE(platform.CursorPosition(point));

    WindowState::wheelOffset = 0;
    platform.Scroll(-1.0);
    EXPECT_EQ(WindowState::wheelOffset, 0);
    platform.PollEvents();
    EXPECT_EQ(WindowState::wheelOffset, -1);
    WindowState::Reset();
    ResetPlatform();
}

TEST(Platform, GlfwPlatformWithoutAWindowSeesNothing)
{
    WindowState::Reset();
    GlfwPlatform platform;
    ClientPoint point;
    EXPECT_FALSE(platform.IsKeyDown(1));
    EXPECT_FALSE(platform.IsKeyDown('A'));
    EXPECT_FALSE(platform.CursorPosition(point));
    EXPECT_FALSE(platform.IsWindowFocused());
    platform.PollEvents();
    platform.HideSystemCursor();
    platform.ConfineCursor();
    platform.HideConsoleWindow();
}
