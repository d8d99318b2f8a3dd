#pragma once
#include <string>

// A modal message box where a display exists, and always one line on stderr.
void ShowMessageBox(const std::string& caption, const std::string& message);
