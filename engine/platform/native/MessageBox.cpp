#include "engine/platform/native/MessageBox.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

extern char** environ;

static fs::path RunningProgramFolder()
{
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : program.parent_path();
}

void ShowMessageBox(const std::string& caption, const std::string& message)
{
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), message.c_str());
    std::fflush(stderr);
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0')
        return;
    const fs::path folder = RunningProgramFolder();
    if (!folder.empty())
        ShowMessageBoxWith(folder / MessageBoxProgramName, caption, message);
}

bool ShowMessageBoxWith(const fs::path& boxProgram, const std::string& caption, const std::string& message)
{
    const std::string program = boxProgram.string();
    if (access(program.c_str(), X_OK) != 0)
        return false;
    char* arguments[] = {const_cast<char*>(program.c_str()), const_cast<char*>(caption.c_str()),
                         const_cast<char*>(message.c_str()), nullptr};
    // posix_spawn only execs in the new process; it takes none of this process's locks.
    pid_t child = -1;
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, arguments, environ) != 0)
        return false;
    int status = 0;
    while (waitpid(child, &status, 0) == -1)
    {
        if (errno != EINTR)
            return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
