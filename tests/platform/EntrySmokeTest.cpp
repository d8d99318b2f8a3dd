#include "support/TestGame.h"

#include <gtest/gtest.h>
#include <rapidjson/document.h>
// Xlib's macros (None, Bool, Status) would break GoogleTest's headers: it comes after them.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <algorithm>
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
// How long the game may take to show its window or to end. A sanitizer build of the game starts
// and loads many times slower (several minutes under ThreadSanitizer on a busy machine).
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr auto Patience = 300s;
#else
constexpr auto Patience = 60s;
#endif

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A home folder of its own for one run of the game, holding its settings file.
struct Home
{
    fs::path folder = fs::temp_directory_path() / ("duskvane_home_" + std::to_string(getpid()));
    fs::path settings = folder / "Documents" / "Duskvane" / "config.json";

    explicit Home(const std::string& settingsText)
    {
        fs::remove_all(folder);
        fs::create_directories(settings.parent_path());
        std::ofstream(settings, std::ios::binary) << settingsText;
    }
    ~Home() { fs::remove_all(folder); }
    std::string Settings() const { return ReadFile(settings); }
};

struct Launch
{
    const Home* home = nullptr;
    const char* display = nullptr; // replaces DISPLAY when given
    const char* preload = nullptr; // a library preloaded into the game
};

// build/duskvane started in the build folder, with its output going to a file.
struct GameProcess
{
    pid_t pid = -1;
    fs::path output;

    explicit GameProcess(const Launch& launch)
    {
        output = fs::temp_directory_path() / ("duskvane_entry_" + std::to_string(getpid()) + ".txt");
        pid = fork();
        if (pid == 0)
        {
            const int file = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(file, STDOUT_FILENO);
            dup2(file, STDERR_FILENO);
            setenv("HOME", launch.home->folder.c_str(), 1);
            if (launch.display != nullptr)
                setenv("DISPLAY", launch.display, 1);
            if (launch.preload != nullptr)
            {
                setenv("LD_PRELOAD", launch.preload, 1);
                // A sanitizer build wants its runtime first; the stand-in library does not care.
                setenv("ASAN_OPTIONS", "verify_asan_link_order=0", 1);
            }
            if (chdir(DUSKVANE_BUILD_DIR) != 0)
                _exit(126);
            execl(DUSKVANE_BUILD_DIR "/duskvane", "duskvane", static_cast<char*>(nullptr));
            _exit(127);
        }
    }

    ~GameProcess()
    {
        if (pid > 0 && !Wait(0ms))
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

    std::string Output() const { return ReadFile(output); }
};

// The test's own X connection, closed on every way out of the test (an assertion returns
// early). The game's windows can go away between listing them and asking about them; Xlib's
// default answer to such a request (ending this process) is replaced by an empty answer.
struct DisplayConnection
{
    Display* display = nullptr;
    DisplayConnection()
    {
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
        display = XOpenDisplay(nullptr);
    }
    ~DisplayConnection()
    {
        if (display != nullptr)
            XCloseDisplay(display);
    }
    DisplayConnection(const DisplayConnection&) = delete;
    DisplayConnection& operator=(const DisplayConnection&) = delete;
};

// The window's title in whatever encoding it was stored: _NET_WM_NAME (UTF-8) when set, else
// WM_NAME as a text property (STRING, COMPOUND_TEXT or UTF8_STRING, which XFetchName skips).
std::string NameOf(Display* display, Window window)
{
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &items, &after, &data) ==
            Success &&
        data != nullptr)
    {
        std::string text(reinterpret_cast<const char*>(data), items);
        XFree(data);
        if (type == utf8 && !text.empty())
            return text;
    }
    XTextProperty property{};
    if (XGetWMName(display, window, &property) == 0 || property.value == nullptr)
        return "";
    std::string text;
    char** list = nullptr;
    int count = 0;
    if (Xutf8TextPropertyToTextList(display, &property, &list, &count) >= Success && list != nullptr)
    {
        if (count > 0)
            text = list[0];
        XFreeStringList(list);
    }
    XFree(property.value);
    return text;
}

std::vector<Window> TopLevelWindows(Display* display)
{
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    std::vector<Window> windows;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) != 0)
        windows.assign(children, children + count);
    if (children != nullptr)
        XFree(children);
    return windows;
}

bool IsMapped(Display* display, Window window)
{
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) != 0 && attributes.map_state == IsViewable;
}

// The process's mapped top-level window on the display, found by _NET_WM_PID; 0 when none.
Window WindowOf(Display* display, pid_t pid)
{
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    for (Window window : TopLevelWindows(display))
    {
        Atom type = 0;
        int format = 0;
        unsigned long items = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        bool ours = false;
        if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after,
                               &data) == Success &&
            data != nullptr)
        {
            ours = items == 1 && static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data)) == pid;
            XFree(data);
        }
        if (ours && IsMapped(display, window))
            return window;
    }
    return 0;
}

// Waits until the game's window is shown and has the input focus; the window or 0.
Window WaitForFocusedWindow(Display* display, GameProcess& game)
{
    const auto deadline = std::chrono::steady_clock::now() + Patience;
    while (std::chrono::steady_clock::now() < deadline && !game.Wait(0ms))
    {
        const Window shown = WindowOf(display, game.pid);
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(display, &focus, &revert);
        if (shown != 0 && focus == shown)
            return shown;
        std::this_thread::sleep_for(50ms);
    }
    return 0;
}

// Answers every message box of the game ("ASSERT ERROR" or "ERROR") as a user closing it would,
// until the game ends; returns the captions in the order they appeared. (Where the X server
// lacks the fonts SDL's boxes want, they never appear and only stderr shows the messages.)
std::vector<std::string> DismissMessageBoxesUntilExit(Display* display, GameProcess& game)
{
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    std::vector<std::string> captions;
    std::vector<Window> answered;
    const auto deadline = std::chrono::steady_clock::now() + Patience;
    while (!game.Wait(0ms) && std::chrono::steady_clock::now() < deadline)
    {
        for (Window window : TopLevelWindows(display))
        {
            const std::string name = NameOf(display, window);
            if ((name != "ASSERT ERROR" && name != "ERROR") || !IsMapped(display, window) ||
                std::find(answered.begin(), answered.end(), window) != answered.end())
                continue;
            XEvent close{};
            close.xclient.type = ClientMessage;
            close.xclient.window = window;
            close.xclient.message_type = protocols;
            close.xclient.format = 32;
            close.xclient.data.l[0] = static_cast<long>(deleteWindow);
            close.xclient.data.l[1] = CurrentTime;
            XSendEvent(display, window, False, NoEventMask, &close);
            XFlush(display);
            captions.push_back(name);
            answered.push_back(window);
        }
        std::this_thread::sleep_for(50ms);
    }
    return captions;
}

// Settings naming a fixture scene, opening windowed at 1280 by 720.
std::string SettingsFor(const std::string& scene)
{
    std::string text = TestGame::SettingsFor(scene);
    text.replace(text.find("1920"), 4, "1280");
    text.replace(text.find("1080"), 4, "720");
    return text;
}
}

TEST(Entry, RunsTheStartingSceneAndWritesTheSettingsWhenAskedToClose)
{
    DisplayConnection connection;
    Display* display = connection.display;
    ASSERT_NE(display, nullptr) << "the tests run under an X server (xvfb-run)";
    const std::string scene = TestGame::Fixture("scenes/MenuScene.json");
    for (int signal : {SIGTERM, SIGINT})
    {
        Home home(SettingsFor(scene));
        GameProcess game({&home});
        ASSERT_GT(game.pid, 0);
        // The window appears with its title and size and takes the input focus, which nobody
        // else hands out here.
        const Window shown = WaitForFocusedWindow(display, game);
        ASSERT_NE(shown, 0u) << "no focused window; output:\n" << game.Output();
        EXPECT_EQ(NameOf(display, shown), "Duskvane");
        XWindowAttributes attributes{};
        XGetWindowAttributes(display, shown, &attributes);
        EXPECT_EQ(attributes.width, 1280);
        EXPECT_EQ(attributes.height, 720);
        // Let it run frames (a scene that failed to load would have ended it) before asking it
        // to close.
        std::this_thread::sleep_for(300ms);
        ASSERT_FALSE(game.Wait(0ms)) << "ended by itself; output:\n" << game.Output();

        kill(game.pid, signal);
        ASSERT_TRUE(game.Wait(Patience)) << "still running after signal " << signal;
        ASSERT_TRUE(WIFEXITED(*game.status)) << "ended by signal " << WTERMSIG(*game.status);
        EXPECT_EQ(WEXITSTATUS(*game.status), 0) << game.Output();
        EXPECT_EQ(game.Output().find("ERROR"), std::string::npos) << game.Output();

        // The settings were written whole on the way out.
        rapidjson::Document written;
        written.Parse(home.Settings().c_str());
        ASSERT_TRUE(written.IsObject()) << home.Settings();
        EXPECT_EQ(written.MemberCount(), 21u);
        EXPECT_EQ(std::string(written["StartingLevel"].GetString()), scene);
        EXPECT_EQ(written["wWidth"].GetInt(), 1280);
        EXPECT_TRUE(written["EnableFullScreen"].IsFalse());
        EXPECT_FALSE(fs::exists(fs::path(home.settings) += ".tmp"));
    }
}

TEST(Entry, AStartingSceneThatCannotBeLoadedEndsWithAFailureAndKeepsTheSettings)
{
    DisplayConnection connection;
    Display* display = connection.display;
    ASSERT_NE(display, nullptr);
    const std::string settings = SettingsFor(TestGame::Fixture("scenes/NoSuchScene.json"));
    Home home(settings);
    GameProcess game({&home});
    // Where the X server can draw a message box, each one is closed as a user would.
    DismissMessageBoxesUntilExit(display, game);
    ASSERT_TRUE(game.Wait(1s)) << "the game did not end; output:\n" << game.Output();
    ASSERT_TRUE(WIFEXITED(*game.status)) << "ended by signal " << WTERMSIG(*game.status);
    EXPECT_NE(WEXITSTATUS(*game.status), 0);
    const std::string output = game.Output();
    EXPECT_NE(output.find("NoSuchScene.json\" cannot be opened"), std::string::npos) << output;
    const std::size_t assertLine = output.find("ASSERT ERROR: JSON ERROR\n");
    ASSERT_NE(assertLine, std::string::npos) << output;
    EXPECT_NE(output.find("\nERROR: JSON ERROR\n", assertLine), std::string::npos) << output;
    // The first scene never ran: the settings stay exactly as they were.
    EXPECT_EQ(home.Settings(), settings);
}

TEST(Entry, AWindowThatCannotBeCreatedEndsWithCodeOne)
{
    const std::string settings = SettingsFor(TestGame::Fixture("scenes/MenuScene.json"));
    Home home(settings);
    GameProcess game({&home, nullptr, DUSKVANE_NO_WINDOW_PRELOAD});
    ASSERT_TRUE(game.Wait(Patience)) << "the game did not end; output:\n" << game.Output();
    ASSERT_TRUE(WIFEXITED(*game.status)) << "ended by signal " << WTERMSIG(*game.status);
    EXPECT_EQ(WEXITSTATUS(*game.status), 1);
    const std::string output = game.Output();
    EXPECT_NE(output.find("Unable to create OpenGL context\n"), std::string::npos) << output;
    EXPECT_EQ(output.find("ASSERT ERROR"), std::string::npos) << output;
    EXPECT_EQ(home.Settings(), settings);
}

TEST(Entry, AnAssertAtStartUpEndsWithAFailureCode)
{
    // No X server answers on this display, so GLFW cannot start: an assert, which reaches the
    // user (here only stderr, since no box can open either) and ends the program with failure.
    const std::string settings = SettingsFor(TestGame::Fixture("scenes/MenuScene.json"));
    Home home(settings);
    GameProcess game({&home, ":4987"});
    ASSERT_TRUE(game.Wait(Patience)) << "the game did not end; output:\n" << game.Output();
    ASSERT_TRUE(WIFEXITED(*game.status)) << "ended by signal " << WTERMSIG(*game.status);
    EXPECT_NE(WEXITSTATUS(*game.status), 0);
    const std::string output = game.Output();
    EXPECT_NE(output.find("ASSERT ERROR: GLFW init has failed - abort program!!!"), std::string::npos) << output;
    EXPECT_NE(output.find("ERROR: GLFW init has failed - abort program!!!"), std::string::npos) << output;
    EXPECT_EQ(output.find("Unable to create OpenGL context"), std::string::npos) << output;
    EXPECT_EQ(home.Settings(), settings);
}
