#include "engine/core/Assert.h"
#include "engine/core/LogConsole.h"
#include "engine/platform/native/Platform.h"

#include <cstdio>

bool& ErrorFlag()
{
    static bool flag = false;
    return flag;
}

static void ShowOnPlatform(const std::string& caption, const std::string& message)
{
    CurrentPlatform().ShowMessageBox(caption, message);
}

static AssertReporter& CurrentReporter()
{
    static AssertReporter reporter = ShowOnPlatform;
    return reporter;
}

void SetAssertReporter(AssertReporter reporter)
{
    CurrentReporter() = std::move(reporter);
}

void ResetAssertReporter()
{
    CurrentReporter() = ShowOnPlatform;
}

void ReportToUser(const std::string& caption, const std::string& message)
{
    if (CurrentReporter())
        CurrentReporter()(caption, message);
}

void Assert(const std::string& message)
{
    ErrorFlag() = true;
    ReportToUser("ASSERT ERROR", message);
    throw AssertError(message);
}

void AssertFail(bool failed, const std::string& message)
{
    if (failed)
        Assert(message);
}

void Log(const std::string& message)
{
    LogConsole* console = LogConsole::Instance();
    if (ErrorFlag() || console == nullptr || !console->enabled)
        return;
    console->AddLog("%s", message.c_str());
}

void ComposeMessage(std::string& out, std::initializer_list<std::string> pieces)
{
    out.clear();
    for (const std::string& piece : pieces)
        out += piece;
}
