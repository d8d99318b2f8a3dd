#include "engine/platform/native/CaseInsensitivePath.h"

#include <filesystem>
#include <optional>
#include <system_error>

namespace fs = std::filesystem;

static std::string UpperAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

static std::optional<std::string> EntryIgnoringCase(const fs::path& folder, const std::string& name)
{
    const std::string wanted = UpperAscii(name);
    std::optional<std::string> best;
    std::error_code error;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, error), end; !error && it != end;
         it.increment(error))
    {
        std::string candidate = it->path().filename().string();
        if (UpperAscii(candidate) != wanted)
            continue;
        if (!best || candidate < *best)
            best = std::move(candidate);
    }
    return best;
}

std::string ResolvePathIgnoringCase(const std::string& path)
{
    std::error_code error;
    if (path.empty() || fs::exists(path, error))
        return path;
    const fs::path written(path);
    fs::path resolved = written.root_path();
    for (const fs::path& part : written.relative_path())
    {
        const fs::path exact = resolved / part;
        if (part.empty() || part == "." || part == ".." || fs::exists(exact, error))
        {
            resolved = exact;
            continue;
        }
        std::optional<std::string> entry = EntryIgnoringCase(resolved, part.string());
        if (!entry)
            return path;
        resolved /= *entry;
    }
    return resolved.generic_string();
}
