#pragma once
#include "support/content/ContentCheck.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// The texts of what one part's data rules find, run alone (with the generated assets' names)
// over these scene files and this prefab file; with `onlyFile`, only the findings in that file
// (as a finding names it).
std::vector<std::string> FindingsOfRulesAlone(const std::function<void(ContentCheck&)>& addRules,
                                              const std::vector<std::filesystem::path>& scenes,
                                              const std::filesystem::path& prefabFile,
                                              const std::string& onlyFile = {});
