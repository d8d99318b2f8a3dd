#pragma once

// Hands the heap's free pages back to the system. Large blocks that were taken from the heap
// (see HeapReserve) and freed again leave holes that the heap keeps resident otherwise.
void ReturnFreeHeapPages();
