#include "support/GeneratedAssets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
// Removes every generated tree when the test process ends.
struct Cleanup
{
    std::vector<fs::path> roots;
    ~Cleanup()
    {
        for (const fs::path& root : roots)
        {
            std::error_code ignored;
            fs::remove_all(root, ignored);
        }
    }
};

Cleanup& Roots()
{
    static Cleanup cleanup;
    return cleanup;
}

std::unique_ptr<fs::path>& Shared()
{
    static std::unique_ptr<fs::path> shared;
    return shared;
}

std::string Upper(const std::string& s)
{
    std::string u = s;
    for (char& c : u)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return u;
}
}

fs::path GenerateAssets(const std::string& catalogue)
{
    static int counter = 0;
    fs::path root = fs::temp_directory_path() /
                    ("duskvane_assets_" + std::to_string(getpid()) + "_" + std::to_string(counter++));
    fs::remove_all(root);
    fs::create_directories(root);
    Roots().roots.push_back(root);
    std::string command = "'" DUSKVANE_BUILD_DIR "/tools/assetgen/assetgen' --out '" + root.string() + "'";
    if (!catalogue.empty())
        command += " --catalogue '" + (root / catalogue).string() + "'";
    command += " > /dev/null";
    int status = std::system(command.c_str());
    if (status != 0)
        ADD_FAILURE() << "assetgen failed (" << status << "): " << command;
    return root;
}

const fs::path& SharedGeneratedAssets()
{
    if (!Shared())
        Shared() = std::make_unique<fs::path>(GenerateAssets("CATALOGUE.md"));
    return *Shared();
}

void ResetSharedGeneratedAssets() { Shared().reset(); }

std::vector<fs::path> ScanListing(const fs::path& folder)
{
    std::vector<fs::path> entries;
    if (!fs::is_directory(folder))
        return entries;
    for (const fs::directory_entry& e : fs::directory_iterator(folder))
        if (e.path().filename().string().front() != '.')
            entries.push_back(e.path());
    std::sort(entries.begin(), entries.end(), [](const fs::path& a, const fs::path& b) {
        std::string na = a.filename().string(), nb = b.filename().string();
        std::string ua = Upper(na), ub = Upper(nb);
        return ua != ub ? ua < ub : na < nb;
    });
    return entries;
}

std::vector<std::string> FilesBelow(const fs::path& folder)
{
    std::vector<std::string> files;
    if (!fs::is_directory(folder))
        return files;
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(folder))
        if (e.is_regular_file())
            files.push_back(fs::relative(e.path(), folder).generic_string());
    std::sort(files.begin(), files.end());
    return files;
}

std::string ReadWholeFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}
