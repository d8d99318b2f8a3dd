#pragma once
#include <filesystem>

// The user's Documents folder: XDG_DOCUMENTS_DIR from ~/.config/user-dirs.dirs (with $HOME
// expanded), else ~/Documents. The home folder is $HOME, or the account's home from the password
// database when HOME is unset or empty. Empty when no home folder can be found at all.
std::filesystem::path DocumentsFolder();

// Creates the folder and any missing parents. Returns false when it does not exist afterwards;
// never throws.
bool CreateFolder(const std::filesystem::path& folder);
