#pragma once
#include "engine/core/Assert.h"
#include "engine/core/LogConsole.h"

#include <algorithm>
#include <string>
#include <vector>

// Collects every Log line while it lives (an earlier test's assert may have raised ErrorFlag,
// which silences Log: it is lowered here and again on destruction).
class LogCapture
{
public:
    LogCapture()
    {
        ErrorFlag() = false;
        LogConsole::Instance() = &console;
    }
    ~LogCapture()
    {
        LogConsole::Instance() = nullptr;
        ErrorFlag() = false;
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const std::vector<std::string>& Lines() const { return console.Lines(); }
    bool Has(const std::string& line) const
    {
        return std::find(Lines().begin(), Lines().end(), line) != Lines().end();
    }

private:
    LogConsole console;
};
