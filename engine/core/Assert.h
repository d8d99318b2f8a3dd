#pragma once
#include <functional>
#include <stdexcept>
#include <string>
#include <initializer_list>

// Every unrecoverable error of the engine is an assert: the message is reported (message box
// and stderr by default), ErrorFlag is raised and an AssertError carrying the message is thrown.
// Only the program entry catches it.
class AssertError : public std::runtime_error
{
public:
    explicit AssertError(const std::string& message) : std::runtime_error(message) {}
};

// Set by the first assert and never cleared; while it is set, Log writes nothing.
bool& ErrorFlag();

// Shows an assert message to the user. The default shows a message box through the platform
// (CurrentPlatform): where a display exists a box, and always one line on stderr; tests install
// a quiet one.
using AssertReporter = std::function<void(const std::string& caption, const std::string& message)>;
void SetAssertReporter(AssertReporter reporter);
// Back to the default reporter.
void ResetAssertReporter();
void ReportToUser(const std::string& caption, const std::string& message);

[[noreturn]] void Assert(const std::string& message);
void AssertFail(bool failed, const std::string& message);

// Feeds the in-engine log console when one exists; nothing here creates one.
void Log(const std::string& message);

// Joins text pieces in order with nothing between them.
void ComposeMessage(std::string& out, std::initializer_list<std::string> pieces);
