#pragma once
#include <filesystem>

// Makes a folder the working directory while the object lives, then puts the previous one back.
// The engine opens its assets and data by relative paths ("Resources/..."), as the game does
// from its build folder.
class WorkingDirectory
{
public:
    explicit WorkingDirectory(const std::filesystem::path& folder);
    ~WorkingDirectory();
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    std::filesystem::path previous;
};
