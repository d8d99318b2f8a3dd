#include "engine/platform/native/HeapReserve.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace
{
// Blocks up to this size come from the heap while a reserve lives (glibc's largest setting).
constexpr int HeapBlocksUpTo = 32 * 1024 * 1024;
// Warmed memory is taken in blocks below that size.
constexpr std::size_t GrowthBlock = 16 * 1024 * 1024;
// The heap's end grows by whole steps of this, so that a reserve holds little it will not use.
constexpr std::size_t EnsureStep = 2 * 1024 * 1024;
// glibc's initial values, which the allocator returns to.
constexpr int UsualMmapThreshold = 128 * 1024;
constexpr int UsualTrimThreshold = 128 * 1024;

#ifndef MADV_POPULATE_WRITE
constexpr int MADV_POPULATE_WRITE = 23;
#endif

// Asks for large pages over the whole large pages that lie within [begin, end).
void AdviseLargePages(std::uintptr_t begin, std::uintptr_t end)
{
    constexpr std::uintptr_t LargePage = 2u * 1024u * 1024u;
    const std::uintptr_t from = (begin + LargePage - 1) & ~(LargePage - 1);
    const std::uintptr_t to = end & ~(LargePage - 1);
    if (to > from)
        madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
}

// Makes the pages of the block present in one request; an older kernel without that request
// gets them touched one by one, which is slower but the same.
void MakePresent(void* block, std::size_t size)
{
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto begin = (reinterpret_cast<std::uintptr_t>(block) + page - 1) & ~(page - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(block) + size) & ~(page - 1);
    if (end <= begin)
        return;
    if (madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE) == 0)
        return;
    for (std::uintptr_t at = begin; at < end; at += page)
        *reinterpret_cast<volatile char*>(at) = *reinterpret_cast<volatile char*>(at);
}
}

void HeapReserve::GrowWithLargePages(std::size_t bytes)
{
    mallopt(M_ARENA_MAX, 1);
    std::vector<void*> blocks;
    for (std::size_t grown = 0; grown < bytes; grown += GrowthBlock)
    {
        void* block = std::malloc(GrowthBlock);
        if (block == nullptr)
            break;
        blocks.push_back(block);
    }
    if (blocks.empty())
        return;
    const auto [lowest, highest] = std::minmax_element(blocks.begin(), blocks.end());
    const auto first = reinterpret_cast<std::uintptr_t>(*lowest);
    const auto last = reinterpret_cast<std::uintptr_t>(*highest) + GrowthBlock;
    // Blocks taken one after another from the heap's end lie end to end (a chunk header apart);
    // then the whole stretch is advised. An allocator that scatters them gets each block's own.
    constexpr std::uintptr_t HeaderAllowance = 64;
    if (last - first <= blocks.size() * (GrowthBlock + HeaderAllowance))
        AdviseLargePages(first, last);
    else
        for (void* block : blocks)
            AdviseLargePages(reinterpret_cast<std::uintptr_t>(block), reinterpret_cast<std::uintptr_t>(block) + GrowthBlock);
    for (auto block = blocks.rbegin(); block != blocks.rend(); ++block)
        std::free(*block);
}

HeapReserve::HeapReserve()
{
    mallopt(M_MMAP_THRESHOLD, HeapBlocksUpTo);
    // Freed memory at the heap's end stays there until the reserve ends.
    mallopt(M_TRIM_THRESHOLD, std::numeric_limits<int>::max());
}

HeapReserve::~HeapReserve()
{
    ReleaseWarmed();
    mallopt(M_MMAP_THRESHOLD, UsualMmapThreshold);
    mallopt(M_TRIM_THRESHOLD, UsualTrimThreshold);
    malloc_trim(0);
}

void HeapReserve::WarmInBackground(std::size_t bytes)
{
    ReleaseWarmed();
    for (std::size_t taken = 0; taken < bytes; taken += GrowthBlock)
    {
        void* block = std::malloc(GrowthBlock);
        if (block == nullptr)
            break;
        warmed.push_back(block);
    }
    warmer = std::thread([blocks = warmed] {
        const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
        for (void* block : blocks)
            for (std::size_t at = 0; at < GrowthBlock; at += page)
                static_cast<volatile char*>(block)[at] = 0;
    });
}

void HeapReserve::ReleaseWarmed()
{
    if (warmer.joinable())
        warmer.join();
    for (auto block = warmed.rbegin(); block != warmed.rend(); ++block)
        std::free(*block);
    warmedLeft += warmed.size() * GrowthBlock;
    warmed.clear();
}

void HeapReserve::Ensure(std::size_t bytes)
{
    // Warmed memory is spent first; it lies where the heap has room, not necessarily at its end.
    if (warmedLeft >= bytes)
    {
        warmedLeft -= bytes;
        return;
    }
    warmedLeft = 0;
    const struct mallinfo2 info = mallinfo2();
    if (info.keepcost >= bytes + EnsureStep)
        return;
    // Blocks taken one after another from the heap's end and freed again merge back into it,
    // now present.
    std::vector<void*> blocks;
    for (std::size_t grown = 0; grown < bytes + EnsureStep; grown += EnsureStep)
    {
        void* block = std::malloc(EnsureStep);
        if (block == nullptr)
            break;
        MakePresent(block, EnsureStep);
        blocks.push_back(block);
    }
    for (auto block = blocks.rbegin(); block != blocks.rend(); ++block)
        std::free(*block);
}
