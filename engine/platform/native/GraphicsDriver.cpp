#include "engine/platform/native/GraphicsDriver.h"

#include <dlfcn.h>
#include <link.h>

#include <cstring>

void KeepGraphicsDriverLoaded()
{
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void*) {
            const char* name = info->dlpi_name;
            if (name != nullptr && (std::strstr(name, "_dri.so") != nullptr || std::strstr(name, "libLLVM") != nullptr))
            {
                // Takes a reference that is never given back, and marks the library as never to
                // be unloaded.
                dlopen(name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
            }
            return 0;
        },
        nullptr);
}
