#include "engine/platform/native/FrameHeap.h"

#include <malloc.h>

namespace
{
constexpr int KeptAtTheEnd = 16 * 1024 * 1024;
constexpr int HeapBlocksUpTo = 4 * 1024 * 1024;
}

void KeepHeapForFrames()
{
    mallopt(M_TRIM_THRESHOLD, KeptAtTheEnd);
    mallopt(M_MMAP_THRESHOLD, HeapBlocksUpTo);
}
