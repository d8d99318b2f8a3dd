#pragma once
#include <cstddef>

// Memory for large short-lived buffers (decoded images): a large block is mapped with every
// page made present in one request, and returned to the system when freed. Touching fresh
// pages one fault at a time costs far more than the copy into them on a virtual machine, and a
// block freed on another thread than the one that made it would otherwise linger in that
// thread's allocator arena. Small blocks come from the ordinary heap. Thread-safe.

// A block of at least `size` bytes, aligned for any scalar; null when none can be had.
void* AllocatePrefaulted(std::size_t size);
// Grows or shrinks a block (null `block`: a new one), keeping its first bytes; null on failure,
// and the old block is then left as it was.
void* ReallocatePrefaulted(void* block, std::size_t size);
// Frees a block of these functions; null is fine.
void FreePrefaulted(void* block);
