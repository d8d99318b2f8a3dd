#pragma once
#include <gtest/gtest.h>

#include <string>

// Whether a settings file's text is one the game can read back as it wrote it: a JSON object
// with every one of the game's 21 keys, each of its type (sizes positive integers, the two paths
// texts, flags true or false, volumes between 0 and 1, a finite camera sensitivity). The failure
// names every fault.
testing::AssertionResult SettingsFileIsValid(const std::string& text);
