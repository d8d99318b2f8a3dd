#include "engine/platform/native/PrefaultedMemory.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <sys/mman.h>

namespace
{
// Every block starts with its size and how it was made; the caller's bytes follow.
struct BlockHeader
{
    std::size_t size;
    std::size_t mapped;
};
constexpr std::size_t HeaderBytes = 16;
static_assert(sizeof(BlockHeader) <= HeaderBytes);

// From here on a block gets pages of its own.
constexpr std::size_t MappedFrom = 256 * 1024;

BlockHeader* HeaderOf(void* block)
{
    return reinterpret_cast<BlockHeader*>(static_cast<char*>(block) - HeaderBytes);
}
}

void* AllocatePrefaulted(std::size_t size)
{
    if (size > static_cast<std::size_t>(-1) - HeaderBytes)
        return nullptr;
    const std::size_t total = size + HeaderBytes;
    void* base = nullptr;
    bool mapped = false;
    if (total >= MappedFrom)
    {
        base = mmap(nullptr, total, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
        if (base == MAP_FAILED)
            return nullptr;
        mapped = true;
    }
    else
    {
        base = std::malloc(total);
        if (base == nullptr)
            return nullptr;
    }
    auto* header = static_cast<BlockHeader*>(base);
    header->size = size;
    header->mapped = mapped ? 1 : 0;
    return static_cast<char*>(base) + HeaderBytes;
}

void* ReallocatePrefaulted(void* block, std::size_t size)
{
    if (block == nullptr)
        return AllocatePrefaulted(size);
    void* grown = AllocatePrefaulted(size);
    if (grown == nullptr)
        return nullptr;
    std::memcpy(grown, block, std::min(size, HeaderOf(block)->size));
    FreePrefaulted(block);
    return grown;
}

void FreePrefaulted(void* block)
{
    if (block == nullptr)
        return;
    BlockHeader* header = HeaderOf(block);
    if (header->mapped != 0)
        munmap(header, header->size + HeaderBytes);
    else
        std::free(header);
}
