#pragma once

// The software GL driver takes scratch memory for every draw and gives it back after it. With the
// C library's usual settings every such block at the heap's end goes back to the system when it is
// freed and is faulted in afresh for the next draw; on a virtual machine each return also stops
// every processor to flush its address cache. While frames are drawn the heap keeps what it freed
// (up to a few megabytes at its end) and hands blocks of up to a few megabytes out from itself.
// Called by the renderer at the start of each frame: a stage load in between puts the usual
// settings back when it ends.
void KeepHeapForFrames();
