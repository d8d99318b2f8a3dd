#include "engine/platform/native/HeapReserve.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace
{
// The kernel's flags for the mapping that holds `address`, as /proc/self/smaps lists them.
std::string MappingFlagsOf(const void* address)
{
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    std::ifstream smaps("/proc/self/smaps");
    std::string line;
    bool inside = false;
    while (std::getline(smaps, line))
    {
        std::uintptr_t begin = 0;
        std::uintptr_t end = 0;
        char dash = 0;
        std::istringstream range(line);
        if (range >> std::hex >> begin >> dash >> end && dash == '-')
        {
            inside = begin <= at && at < end;
            continue;
        }
        if (inside && line.rfind("VmFlags:", 0) == 0)
            return line;
    }
    return {};
}
}

// Blocks handed out after the heap was grown for large pages lie in memory the kernel may back
// with them, and are ordinary memory to the program.
TEST(HeapReserve, HeapGrownForLargePagesHandsOutAdvisedMemory)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "a sanitizer's allocator replaces the heap this tunes";
#endif
    if (!std::filesystem::exists("/sys/kernel/mm/transparent_hugepage/enabled"))
        GTEST_SKIP() << "this kernel has no large pages for ordinary memory";
    HeapReserve reserve;
    HeapReserve::GrowWithLargePages(64u * 1024u * 1024u);
    constexpr std::size_t Size = 6u * 1024u * 1024u;
    auto* block = static_cast<unsigned char*>(std::malloc(Size));
    ASSERT_NE(block, nullptr);
    std::memset(block, 0x5A, Size);
    EXPECT_EQ(block[Size / 2], 0x5A);
    const std::string flags = MappingFlagsOf(block + Size / 2);
    EXPECT_NE(flags.find(" hg"), std::string::npos) << flags;
    std::free(block);
}
