#include "engine/core/Assert.h"
#include "engine/core/Coordinator.h"

#include <cstdio>
#include <memory>

int main()
{
    auto coordinator = std::make_unique<Coordinator>();
    try
    {
        // Start-up and the frame loop join here as the platform layer is built.
    }
    catch (const std::exception& error)
    {
        ReportToUser("ERROR", error.what());
        Log(error.what());
        return 1;
    }
    return 0;
}
