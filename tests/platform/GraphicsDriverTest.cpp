#include "engine/platform/native/GraphicsDriver.h"
#include "support/GlTestContext.h"

#include <gtest/gtest.h>

#include <atomic>
#include <dlfcn.h>
#include <thread>

// Keeping the driver loaded opens libraries of its own; another thread loading libraries at the
// same time must not deadlock it (under ThreadSanitizer the game hung so as its window opened).
TEST(GraphicsDriver, KeepingItLoadedFinishesWhileAnotherThreadLoadsLibraries)
{
    ASSERT_TRUE(GlTestContext::Get().Ready());
    std::atomic<bool> done{false};
    std::thread loader([&done] {
        while (!done.load())
        {
            if (void* library = dlopen("libm.so.6", RTLD_NOW))
                dlclose(library);
        }
    });
    for (int round = 0; round < 200; ++round)
        KeepGraphicsDriverLoaded();
    done.store(true);
    loader.join();
}
