#include "support/content/WorkingDirectory.h"

WorkingDirectory::WorkingDirectory(const std::filesystem::path& folder) : previous(std::filesystem::current_path())
{
    std::filesystem::current_path(folder);
}

WorkingDirectory::~WorkingDirectory()
{
    std::error_code ignored;
    std::filesystem::current_path(previous, ignored);
}
