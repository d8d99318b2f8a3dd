#pragma once
#include <cstdlib>
#include <optional>
#include <string>

// An environment variable put back as it was when this goes out of scope; given a value, it holds
// that value meanwhile.
struct SavedVariable
{
    std::string name;
    std::optional<std::string> value;
    explicit SavedVariable(const char* variable) : name(variable)
    {
        if (const char* current = std::getenv(variable))
            value = current;
    }
    SavedVariable(const char* variable, const std::string& meanwhile) : SavedVariable(variable)
    {
        setenv(variable, meanwhile.c_str(), 1);
    }
    ~SavedVariable()
    {
        if (value)
            setenv(name.c_str(), value->c_str(), 1);
        else
            unsetenv(name.c_str());
    }
};
