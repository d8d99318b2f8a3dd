#pragma once
#include <string>
#include <vector>

// The names in one folder, in the fixed order every asset scan relies on: sorted by the
// ASCII-uppercased name, ties broken by the raw bytes. Hidden names (those that begin with
// ".", which includes "." and "..") are left out. A folder that does not exist lists nothing.
std::vector<std::string> ListDirectory(const std::string& path);
