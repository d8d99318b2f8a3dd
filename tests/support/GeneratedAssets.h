#pragma once
#include <filesystem>
#include <string>
#include <vector>

// Runs the asset generator (build/tools/assetgen/assetgen) for tests.

// Generates into a fresh temporary root (removed at exit) and returns it; `catalogue` names a
// file (inside the root) to write the catalogue to, or is empty. Fails the test run when the
// generator does not exit with 0.
std::filesystem::path GenerateAssets(const std::string& catalogue = "");
// One generated tree shared by every test of the process, made on first use.
const std::filesystem::path& SharedGeneratedAssets();
// Forgets the shared tree (the next call generates again).
void ResetSharedGeneratedAssets();

// A folder's entries as the game's asset scan lists them: hidden entries skipped, sorted by the
// ASCII upper-cased name and then by the raw bytes.
std::vector<std::filesystem::path> ScanListing(const std::filesystem::path& folder);
// The files below `folder` (relative paths with '/'), in sorted order.
std::vector<std::string> FilesBelow(const std::filesystem::path& folder);
std::string ReadWholeFile(const std::filesystem::path& path);
