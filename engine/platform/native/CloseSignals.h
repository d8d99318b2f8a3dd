#pragma once

// SIGTERM and SIGINT ask the game to close like its window's close button: the handler only
// notes the request, and the frame loop turns it into the window's close flag, so the program
// shuts down through its normal path.
void InstallCloseSignalHandlers();

// Whether a close signal arrived since the last call; clears the note.
bool TakeCloseSignal();
