#pragma once
#include <filesystem>
#include <string>

// The program beside the game that draws a message box.
inline constexpr const char* MessageBoxProgramName = "duskvane-message-box";

// A modal message box where a display exists, and always one line on stderr. The box is drawn by
// MessageBoxProgramName from the running program's folder; where that program is missing, the
// line on stderr is all there is.
void ShowMessageBox(const std::string& caption, const std::string& message);

// Runs the given box program and waits until the box is closed. The box lives in a process
// started afresh: a process forked from this one, as box libraries do, would inherit the locks
// other threads hold at that moment (a library loading, a locale being read) with no thread
// left to release them, and wait forever. Returns whether the program ran and ended cleanly.
bool ShowMessageBoxWith(const std::filesystem::path& boxProgram, const std::string& caption,
                        const std::string& message);
