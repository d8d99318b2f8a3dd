#include "engine/platform/native/MessageBox.h"
#include "support/SavedVariable.h"

#include <gtest/gtest.h>
#include <atomic>
#include <chrono>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <future>
#include <locale.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace
{
// A small /proc file's text, empty when it cannot be read. Plain system calls only: the C++
// streams may want the very locale lock the test holds.
template <std::size_t Size>
bool ReadProcFile(const char* path, char (&text)[Size])
{
    text[0] = '\0';
    const int file = open(path, O_RDONLY);
    if (file < 0)
        return false;
    const ssize_t length = read(file, text, Size - 1);
    close(file);
    text[length > 0 ? length : 0] = '\0';
    return length > 0;
}

// A thread caught in the middle of reading a locale, as libraries do while they load (a sound
// plugin, a graphics driver's compiler): while it reads, it holds the C library's locale lock.
// The locale's one file is a pipe that nobody writes, so the reading lasts until Release.
class LocaleReaderHeldMidway
{
public:
    LocaleReaderHeldMidway()
    {
        fs::create_directories(localeFile.parent_path());
        mkfifo(localeFile.c_str(), 0600);
        const SavedVariable localePath("LOCPATH", folder.string());
        reader = std::thread([this] {
            thread = gettid();
            if (locale_t locale = newlocale(LC_CTYPE_MASK, "xx_XX", nullptr))
                freelocale(locale);
        });
        const auto deadline = std::chrono::steady_clock::now() + 30s;
        while (!IsOpeningTheLocaleFile() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(1ms);
    }
    ~LocaleReaderHeldMidway()
    {
        Release();
        fs::remove_all(folder);
    }

    bool IsOpeningTheLocaleFile() const
    {
        if (thread == 0)
            return false;
        // The thread's system call in progress: openat is number 257.
        char path[64];
        std::snprintf(path, sizeof path, "/proc/self/task/%d/syscall", static_cast<int>(thread));
        char text[8];
        return ReadProcFile(path, text) && std::strncmp(text, "257 ", 4) == 0;
    }

    void Release()
    {
        if (!reader.joinable())
            return;
        // A writer that closes at once: the reader sees an empty file and gives up on the locale.
        const int writer = open(localeFile.c_str(), O_WRONLY);
        close(writer);
        reader.join();
    }

private:
    fs::path folder = fs::temp_directory_path() / ("duskvane_locale_" + std::to_string(getpid()));
    fs::path localeFile = folder / "xx_XX" / "LC_CTYPE";
    std::atomic<pid_t> thread{0};
    std::thread reader;
};

// Ends every process this one started, so a box stuck for good cannot keep the test waiting.
void KillOurChildren()
{
    const pid_t ours = getpid();
    DIR* processes = opendir("/proc");
    if (processes == nullptr)
        return;
    while (const dirent* entry = readdir(processes))
    {
        const pid_t pid = static_cast<pid_t>(std::atoi(entry->d_name));
        if (pid <= 0)
            continue;
        char path[64];
        std::snprintf(path, sizeof path, "/proc/%d/stat", static_cast<int>(pid));
        char text[512];
        // "pid (name) state parent ...": the name may hold spaces, so read on from its end.
        const char* nameEnd = ReadProcFile(path, text) ? std::strrchr(text, ')') : nullptr;
        int parent = 0;
        if (nameEnd != nullptr && std::sscanf(nameEnd + 1, " %*c %d", &parent) == 1 && parent == ours)
            kill(pid, SIGKILL);
    }
    closedir(processes);
}
} // namespace

TEST(MessageBox, ComesBackWhileAnotherThreadHoldsTheLocaleLock)
{
    // The case of an assert while the window is made and the sound output opens beside it.
    LocaleReaderHeldMidway reader;
    ASSERT_TRUE(reader.IsOpeningTheLocaleFile());

    // No X server answers here, so the box program ends at once with failure.
    const SavedVariable display("DISPLAY", ":4987");
    std::future<bool> shown = std::async(std::launch::async, [] {
        return ShowMessageBoxWith(DUSKVANE_BUILD_DIR "/duskvane-message-box", "ASSERT ERROR", "held");
    });
    const bool cameBack = shown.wait_for(30s) == std::future_status::ready;
    if (!cameBack)
        KillOurChildren();
    EXPECT_TRUE(reader.IsOpeningTheLocaleFile()) << "the lock was let go before the box came back";
    reader.Release();
    EXPECT_TRUE(cameBack) << "the box never came back while another thread held the locale lock";
    EXPECT_FALSE(shown.get()) << "without a display the box program reports failure";
}

TEST(MessageBox, AMissingBoxProgramIsReportedAndShowsNothing)
{
    EXPECT_FALSE(ShowMessageBoxWith("/nonexistent/duskvane-message-box", "ERROR", "none"));
}
