#include "engine/platform/native/DirectoryListing.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

static std::string AsciiUpper(const std::string& text)
{
    std::string upper = text;
    for (char& c : upper)
    {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

std::vector<std::string> ListDirectory(const std::string& path)
{
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator it(path, error);
    if (error)
        return names;
    for (; it != std::filesystem::directory_iterator(); it.increment(error))
    {
        if (error)
            break;
        std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.')
            continue;
        names.push_back(std::move(name));
    }
    // Stage boundaries are indices into the scan order, so the order must not depend on the
    // file system: case-insensitive first, then byte-wise so that equal spellings stay stable.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string ua = AsciiUpper(a);
        const std::string ub = AsciiUpper(b);
        if (ua != ub)
            return ua < ub;
        return a < b;
    });
    return names;
}
