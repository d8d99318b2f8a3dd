#pragma once
#include <cstddef>
#include <thread>
#include <vector>

// While one lives, large blocks that the main thread's heap hands out come from pages made
// present ahead. The GL driver allocates and clears every texture's storage on the thread that
// creates the texture; on a virtual machine, where the first touch of each page is a costly
// trap, that clearing (not the decoding, nor the copy) is most of a texture's upload. Pages
// first written by another thread cost the uploading thread nothing, so a reserve can be warmed
// in the background while the main thread does something else (opens the window).
// Meant for the main thread around a stage's uploads; one at a time, not nested. Afterwards the
// heap hands large blocks out as mapped pages again and the unused part goes back to the system.
class HeapReserve
{
public:
    HeapReserve();
    ~HeapReserve();
    HeapReserve(const HeapReserve&) = delete;
    HeapReserve& operator=(const HeapReserve&) = delete;

    // Grows the heap by `bytes` now (address space only) and asks the kernel to back it with
    // large pages, and has every thread allocate from this one heap from now on. A page fault is
    // dear on a virtual machine, and a large page takes one where small ones take 512. Call
    // before other threads start allocating, with a reserve alive (so the heap is not trimmed).
    static void GrowWithLargePages(std::size_t bytes);

    // Takes `bytes` from the heap now and has a background thread write to every page of them.
    void WarmInBackground(std::size_t bytes);
    // Waits for the warming and hands the warmed memory back to the heap, where the next large
    // blocks are found. Nothing when nothing is warming.
    void ReleaseWarmed();
    // Makes sure that at least `bytes` at the heap's free end are present, growing it when not
    // (here, on this thread: cheaper than page by page, dearer than warmed memory).
    void Ensure(std::size_t bytes);

private:
    std::vector<void*> warmed;
    std::thread warmer;
    std::size_t warmedLeft = 0;
};
