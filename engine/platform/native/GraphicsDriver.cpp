#include "engine/platform/native/GraphicsDriver.h"

#include <dlfcn.h>
#include <link.h>

#include <cstring>
#include <string>
#include <vector>

void KeepGraphicsDriverLoaded()
{
    // The names are collected first and opened after the walk: dl_iterate_phdr holds the loader's
    // lock while it calls back, and a dlopen inside it takes further locks in the wrong order
    // against any other thread loading a library (under ThreadSanitizer the game hung this way
    // as its window opened).
    std::vector<std::string> driverLibraries;
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void* found) {
            const char* name = info->dlpi_name;
            if (name != nullptr && (std::strstr(name, "_dri.so") != nullptr || std::strstr(name, "libLLVM") != nullptr))
                static_cast<std::vector<std::string>*>(found)->emplace_back(name);
            return 0;
        },
        &driverLibraries);
    // Takes a reference that is never given back, and marks the library as never to be unloaded.
    for (const std::string& name : driverLibraries)
        dlopen(name.c_str(), RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
}
