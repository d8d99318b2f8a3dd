#pragma once
#include <string>
#include <vector>

// The in-engine log console: lines of text and an enabled switch. The game never creates one;
// it is reached through LogConsole::Instance(), which is null unless someone installs one.
class LogConsole
{
public:
    static constexpr std::size_t MaxLineLength = 1023;

    // Appends one formatted line (printf-style), cut to 1023 characters.
    void AddLog(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void Clear();

    const std::vector<std::string>& Lines() const { return lines; }
    bool enabled = true;

    static LogConsole*& Instance();

private:
    std::vector<std::string> lines;
};
