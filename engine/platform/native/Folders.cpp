#include "engine/platform/native/Folders.h"

#include <cstdlib>
#include <fstream>
#include <optional>
#include <pwd.h>
#include <string>
#include <system_error>
#include <unistd.h>

static std::filesystem::path HomeFolder()
{
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0')
        return home;
    const passwd* account = getpwuid(getuid());
    if (account != nullptr && account->pw_dir != nullptr)
        return account->pw_dir;
    return {};
}

// The value of one user-dirs.dirs line such as XDG_DOCUMENTS_DIR="$HOME/Documents", unquoted,
// with backslash escapes undone and a leading $HOME expanded; nothing when the line sets another
// key or names no absolute folder.
static std::optional<std::filesystem::path> DocumentsEntry(const std::string& line, const std::string& home)
{
    static const std::string key = "XDG_DOCUMENTS_DIR";
    std::size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos || line.compare(at, key.size(), key) != 0)
        return std::nullopt;
    at = line.find_first_not_of(" \t", at + key.size());
    if (at == std::string::npos || line[at] != '=')
        return std::nullopt;
    at = line.find_first_not_of(" \t", at + 1);
    if (at == std::string::npos)
        return std::nullopt;

    std::string value;
    const bool quoted = line[at] == '"';
    for (std::size_t i = quoted ? at + 1 : at; i < line.size(); ++i)
    {
        const char c = line[i];
        if (quoted && c == '"')
            break;
        if (!quoted && (c == ' ' || c == '\t'))
            break;
        if (c == '\\' && i + 1 < line.size())
            value += line[++i];
        else
            value += c;
    }
    if (value.rfind("$HOME", 0) == 0 && (value.size() == 5 || value[5] == '/'))
        value = home + value.substr(5);
    if (value.empty() || value[0] != '/')
        return std::nullopt;
    return std::filesystem::path(value);
}

std::filesystem::path DocumentsFolder()
{
    const std::filesystem::path home = HomeFolder();
    if (home.empty())
        return {};
    std::optional<std::filesystem::path> documents;
    std::ifstream dirs(home / ".config" / "user-dirs.dirs");
    std::string line;
    // The file is shell syntax: a later assignment wins.
    while (std::getline(dirs, line))
        if (auto entry = DocumentsEntry(line, home.string()))
            documents = std::move(entry);
    return documents ? *documents : home / "Documents";
}

bool CreateFolder(const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return std::filesystem::is_directory(folder, error);
}
