#include <gtest/gtest.h>
// Xlib's macros (None, Bool, Status) would break GoogleTest's headers: it comes after them.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace
{
// build/duskvane started in the build folder, with its output going to a file. `display`
// replaces DISPLAY when given.
struct GameProcess
{
    pid_t pid = -1;
    fs::path output;

    explicit GameProcess(const char* display = nullptr)
    {
        output = fs::temp_directory_path() / ("duskvane_entry_" + std::to_string(getpid()) + ".txt");
        pid = fork();
        if (pid == 0)
        {
            const int file = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(file, STDOUT_FILENO);
            dup2(file, STDERR_FILENO);
            if (display != nullptr)
                setenv("DISPLAY", display, 1);
            if (chdir(DUSKVANE_BUILD_DIR) != 0)
                _exit(126);
            execl(DUSKVANE_BUILD_DIR "/duskvane", "duskvane", static_cast<char*>(nullptr));
            _exit(127);
        }
    }

    ~GameProcess()
    {
        if (pid > 0 && !Wait(0s))
        {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        fs::remove(output);
    }

    // The exit status once the process has ended within the time.
    std::optional<int> status;
    bool Wait(std::chrono::milliseconds patience)
    {
        const auto deadline = std::chrono::steady_clock::now() + patience;
        while (!status)
        {
            int raw = 0;
            if (waitpid(pid, &raw, WNOHANG) == pid)
                status = raw;
            else if (std::chrono::steady_clock::now() >= deadline)
                return false;
            else
                std::this_thread::sleep_for(20ms);
        }
        return true;
    }

    std::string Output() const
    {
        std::ifstream in(output);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
};

// The process's mapped top-level window on the display, found by _NET_WM_PID; 0 when none.
Window WindowOf(Display* display, pid_t pid)
{
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0)
        return false;
    Window found = 0;
    for (unsigned i = 0; i < count && found == 0; ++i)
    {
        Atom type = 0;
        int format = 0;
        unsigned long items = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after,
                               &data) == Success &&
            data != nullptr)
        {
            XWindowAttributes attributes{};
            if (items == 1 && static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data)) == pid &&
                XGetWindowAttributes(display, children[i], &attributes) != 0 && attributes.map_state == IsViewable)
                found = children[i];
            XFree(data);
        }
    }
    if (children != nullptr)
        XFree(children);
    return found;
}
}

TEST(Entry, ClosesCleanlyWhenAskedBySignal)
{
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr) << "the tests run under an X server (xvfb-run)";
    for (int signal : {SIGTERM, SIGINT})
    {
        GameProcess game;
        ASSERT_GT(game.pid, 0);
        // The window appears and takes the input focus, which nobody else hands out here.
        Window shown = 0;
        bool focused = false;
        const auto deadline = std::chrono::steady_clock::now() + 60s;
        while (!focused && std::chrono::steady_clock::now() < deadline && !game.Wait(0ms))
        {
            shown = WindowOf(display, game.pid);
            Window focus = 0;
            int revert = 0;
            XGetInputFocus(display, &focus, &revert);
            focused = shown != 0 && focus == shown;
            if (!focused)
                std::this_thread::sleep_for(50ms);
        }
        ASSERT_NE(shown, 0u) << "no window; output:\n" << game.Output();
        EXPECT_TRUE(focused);
        // Let it run a few frames before asking it to close.
        std::this_thread::sleep_for(200ms);
        ASSERT_FALSE(game.Wait(0ms)) << "ended by itself; output:\n" << game.Output();

        kill(game.pid, signal);
        ASSERT_TRUE(game.Wait(60s)) << "still running after signal " << signal;
        ASSERT_TRUE(WIFEXITED(*game.status)) << "ended by signal " << WTERMSIG(*game.status);
        EXPECT_EQ(WEXITSTATUS(*game.status), 0) << game.Output();
        EXPECT_EQ(game.Output().find("ERROR"), std::string::npos) << game.Output();
    }
    XCloseDisplay(display);
}

TEST(Entry, AnAssertAtStartUpEndsWithAFailureCode)
{
    // No X server answers on this display, so GLFW cannot start: an assert, which reaches the
    // user (here only stderr, since no box can open either) and ends the program with failure.
    GameProcess game(":4987");
    ASSERT_TRUE(game.Wait(60s));
    ASSERT_TRUE(WIFEXITED(*game.status)) << "ended by signal " << WTERMSIG(*game.status);
    EXPECT_NE(WEXITSTATUS(*game.status), 0);
    const std::string output = game.Output();
    EXPECT_NE(output.find("ASSERT ERROR: GLFW init has failed - abort program!!!"), std::string::npos) << output;
    EXPECT_NE(output.find("ERROR: GLFW init has failed - abort program!!!"), std::string::npos) << output;
    EXPECT_EQ(output.find("Unable to create OpenGL context"), std::string::npos) << output;
}
