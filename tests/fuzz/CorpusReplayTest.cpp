#include "fuzz/LoaderFuzzing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace
{
std::vector<std::uint8_t> BytesOf(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool EndsWith(const std::string& text, const std::string& ending)
{
    return text.size() >= ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

// The real files of the target's kind (a folder is searched through) and its committed corpus.
std::vector<fs::path> CorpusOf(const LoaderFuzzing::Target& target)
{
    std::vector<fs::path> files;
    auto take = [&](const fs::path& path) {
        if (fs::is_regular_file(path) && EndsWith(path.filename().string(), target.seedEnding))
            files.push_back(path);
    };
    for (const std::string& seed : target.seedFolders)
    {
        if (fs::is_directory(seed))
            for (const fs::directory_entry& entry : fs::recursive_directory_iterator(seed))
                take(entry.path());
        else
            take(seed);
    }
    const fs::path committed = fs::path(DUSKVANE_FIXTURES) / "fuzz" / target.name;
    if (fs::is_directory(committed))
        for (const fs::directory_entry& entry : fs::directory_iterator(committed))
            if (entry.is_regular_file())
                files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

class CorpusReplay : public testing::TestWithParam<LoaderFuzzing::Target>
{
};
}

// Every loader meets its real files and the hostile ones found so far exactly as the fuzzer
// hands them over: each is read or refused, and the run goes on. (The fuzzer itself runs with
// scripts/fuzz.sh where clang is installed.)
TEST_P(CorpusReplay, EveryFileIsReadOrRefusedCleanly)
{
    const LoaderFuzzing::Target& target = GetParam();
    const std::vector<fs::path> corpus = CorpusOf(target);
    ASSERT_FALSE(corpus.empty()) << "no corpus for " << target.name;
    testing::internal::CaptureStderr();
    for (const fs::path& file : corpus)
    {
        SCOPED_TRACE(file.string());
        const std::vector<std::uint8_t> bytes = BytesOf(file);
        EXPECT_EQ(target.entry(bytes.data(), bytes.size()), 0);
    }
    testing::internal::GetCapturedStderr();
}

INSTANTIATE_TEST_SUITE_P(Loaders, CorpusReplay, testing::ValuesIn(LoaderFuzzing::Targets()),
                         [](const testing::TestParamInfo<LoaderFuzzing::Target>& info) {
                             return std::string(info.param.name);
                         });
