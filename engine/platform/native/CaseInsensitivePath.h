#pragma once
#include <string>

// The path of an existing file for a scene or prefab path. A path that exists as written is
// returned unchanged; otherwise it is resolved one component at a time, taking each component
// that does not exist as written from the folder's entries without regard to ASCII case (the
// game names one scene in two spellings). When several entries match, the first by upper-cased
// name, then by raw bytes, wins. A path that cannot be resolved is returned as written, so that
// the caller's error names what the data asked for.
std::string ResolvePathIgnoringCase(const std::string& path);
