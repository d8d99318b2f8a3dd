#include "engine/platform/native/Platform.h"

#include "engine/platform/native/GlfwPlatform.h"

static std::unique_ptr<Platform>& PlatformSlot()
{
    static std::unique_ptr<Platform> platform = std::make_unique<GlfwPlatform>();
    return platform;
}

Platform& CurrentPlatform()
{
    return *PlatformSlot();
}

void SetPlatform(std::unique_ptr<Platform> platform)
{
    PlatformSlot() = platform ? std::move(platform) : std::make_unique<GlfwPlatform>();
}

void ResetPlatform()
{
    SetPlatform(nullptr);
}
