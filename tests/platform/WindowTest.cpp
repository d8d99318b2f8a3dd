#include "engine/core/Assert.h"
#include "engine/platform/Window.h"
#include "engine/platform/WindowState.h"
#include "engine/platform/native/GlfwPlatform.h"
#include "support/AssertCapture.h"

#include <gtest/gtest.h>
#include <GL/glew.h>
#include <GLFW/glfw3.h>
// Xlib's macros (None, Bool, Status) would break GoogleTest's headers: it comes after them.
#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3native.h>
#include <X11/Xutil.h>

namespace
{
// Every test starts from the window values of a fresh program and ends with GLFW terminated.
struct WindowTest : testing::Test
{
    void SetUp() override { WindowState::Reset(); }
    void TearDown() override
    {
        DestroyWindowContext();
        WindowState::Reset();
    }
};

std::string X11Title(GLFWwindow* window)
{
    XTextProperty property{};
    if (XGetWMName(glfwGetX11Display(), glfwGetX11Window(window), &property) == 0 || property.value == nullptr)
        return "";
    std::string title(reinterpret_cast<const char*>(property.value), property.nitems);
    XFree(property.value);
    return title;
}
}

TEST_F(WindowTest, OpensAnOpenGL45CoreContextWithTheGamesTitle)
{
    WindowState::fullScreen = false;
    ASSERT_TRUE(CreateWindowContext(1280, 720, "Duskvane"));
    GLFWwindow* window = WindowState::window;
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WindowState::glfwReady);
    EXPECT_EQ(WindowState::width, 1280);
    EXPECT_EQ(WindowState::height, 720);
    EXPECT_EQ(WindowState::title, "Duskvane");
    EXPECT_EQ(X11Title(window), "Duskvane");
    EXPECT_EQ(glfwGetCurrentContext(), window);
    EXPECT_EQ(glfwGetWindowMonitor(window), nullptr);
    EXPECT_EQ(glfwGetWindowAttrib(window, GLFW_RESIZABLE), GLFW_FALSE);

    GLint major = 0;
    GLint minor = 0;
    GLint profile = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &profile);
    EXPECT_EQ(major, 4);
    EXPECT_EQ(minor, 5);
    EXPECT_NE(profile & GL_CONTEXT_CORE_PROFILE_BIT, 0);
    EXPECT_EQ(profile & GL_CONTEXT_COMPATIBILITY_PROFILE_BIT, 0);
    EXPECT_NE(glCreateBuffers, nullptr);

    DestroyWindowContext();
    EXPECT_FALSE(WindowState::glfwReady);
    EXPECT_EQ(WindowState::window, nullptr);
}

TEST_F(WindowTest, AsksForTheFocusSoABareXServerGivesIt)
{
    WindowState::fullScreen = false;
    ASSERT_TRUE(CreateWindowContext(640, 480, "Duskvane"));
    GlfwPlatform platform;
    bool focused = false;
    for (int i = 0; i < 200 && !focused; ++i)
    {
        platform.PollEvents();
        focused = platform.IsWindowFocused();
        if (!focused)
            glfwWaitEventsTimeout(0.01);
    }
    EXPECT_TRUE(focused);
}

TEST_F(WindowTest, AGlfwErrorBecomesAnAssertOnceGlfwHasReturned)
{
    WindowState::fullScreen = false;
    // GLFW refuses a zero-sized window and says why through the error callback; the assert
    // comes from the caller, after glfwCreateWindow has returned.
    const std::string message = AssertMessageOf([] { CreateWindowContext(0, 0, "Duskvane"); });
    EXPECT_EQ(message, "GLFW error id 65540Invalid window size 0x0");
    EXPECT_EQ(WindowState::window, nullptr);
    EXPECT_TRUE(WindowState::pendingGlfwError.empty());
    // GLFW stays initialised until shut-down terminates it.
    EXPECT_TRUE(WindowState::glfwReady);
}

TEST_F(WindowTest, LaterErrorsWaitForTheNextCheck)
{
    WindowState::fullScreen = false;
    ASSERT_TRUE(CreateWindowContext(640, 480, "Duskvane"));
    glfwWindowHint(0x7FFFFFFF, 0);
    EXPECT_EQ(WindowState::pendingGlfwError.rfind("GLFW error id 65539", 0), 0u) << WindowState::pendingGlfwError;
    glfwWindowHint(0x7FFFFFFE, 0);
    const std::string message = AssertMessageOf([] { GlfwPlatform().PollEvents(); });
    EXPECT_EQ(message.rfind("GLFW error id 65539Invalid window hint", 0), 0u) << message;
    EXPECT_EQ(AssertMessageOf([] { RaisePendingGlfwError(); }), "");
}

TEST_F(WindowTest, ToggleFullscreenMovesTheWindowToTheMonitorAndBack)
{
    WindowState::fullScreen = false;
    ASSERT_TRUE(CreateWindowContext(1920, 1080, "Duskvane"));
    GLFWwindow* window = WindowState::window;

    ToggleFullscreen();
    EXPECT_TRUE(WindowState::fullScreen);
    EXPECT_EQ(glfwGetWindowMonitor(window), glfwGetPrimaryMonitor());

    ToggleFullscreen();
    EXPECT_FALSE(WindowState::fullScreen);
    EXPECT_EQ(glfwGetWindowMonitor(window), nullptr);
    int width = 0;
    int height = 0;
    glfwGetWindowSize(window, &width, &height);
    EXPECT_EQ(width, 1920);
    EXPECT_EQ(height, 1080);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1920);
    EXPECT_EQ(viewport[3], 1080);
    // The settings size is kept through both switches.
    EXPECT_EQ(WindowState::width, 1920);
    EXPECT_EQ(WindowState::height, 1080);
}

TEST_F(WindowTest, OpensFullScreenOnThePrimaryMonitorAndKeepsTheFocus)
{
    ASSERT_TRUE(CreateWindowContext(1920, 1080, "Duskvane"));
    EXPECT_EQ(glfwGetWindowMonitor(WindowState::window), glfwGetPrimaryMonitor());
    // Taking the focus from the pointer must not make the full-screen window try to iconify,
    // which fails without a window manager.
    GlfwPlatform platform;
    for (int i = 0; i < 20; ++i)
    {
        ASSERT_EQ(AssertMessageOf([&] { platform.PollEvents(); }), "");
        glfwWaitEventsTimeout(0.01);
    }
    EXPECT_TRUE(platform.IsWindowFocused());
    EXPECT_EQ(glfwGetWindowAttrib(WindowState::window, GLFW_ICONIFIED), GLFW_FALSE);
}

TEST(Window, ToggleFullscreenWithoutAWindowOnlyFlipsTheFlag)
{
    WindowState::Reset();
    ToggleFullscreen();
    EXPECT_FALSE(WindowState::fullScreen);
    ToggleFullscreen();
    EXPECT_TRUE(WindowState::fullScreen);
}

TEST(Window, ScrollKeepsWholeNotchesTruncatedTowardZero)
{
    const struct
    {
        double offset;
        int stored;
    } cases[] = {{1.0, 1}, {-1.0, -1}, {0.4, 0}, {-0.4, 0}, {2.7, 2}, {-2.7, -2}};
    for (const auto& c : cases)
    {
        OnScroll(nullptr, 5.0, c.offset);
        EXPECT_EQ(WindowState::wheelOffset, c.stored) << c.offset;
    }
    WindowState::Reset();
}
