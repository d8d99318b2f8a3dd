// The libFuzzer program of one loader: DUSKVANE_FUZZ_TARGET names it (see LoaderFuzzing.h).
#include "fuzz/LoaderFuzzing.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const LoaderFuzzing::Target* target = [] {
        const LoaderFuzzing::Target* found = LoaderFuzzing::Find(DUSKVANE_FUZZ_TARGET);
        if (found == nullptr)
        {
            std::fprintf(stderr, "no fuzz target named %s\n", DUSKVANE_FUZZ_TARGET);
            std::abort();
        }
        return found;
    }();
    return target->entry(data, size);
}
