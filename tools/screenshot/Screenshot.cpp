// A picture of the real game: starts it as the entry does in a 1920 by 1080 window (read from the
// build folder it was built into), enters the scene as the level select's transition does (the
// later resource stages, then the swap), plays it on a steady 60 frames a second until its
// opening has played and the given seconds more have passed, and writes the last frame drawn as
// a PNG. Nothing is scripted inside the level: the squad stands where the level puts it and the
// zombies do what they do.
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/tools/screenshot/screenshot <scene> <out.png> [seconds]
#include "engine/core/Coordinator.h"
#include "engine/core/FrameClock.h"
#include "engine/core/GameStartUp.h"
#include "engine/platform/WindowState.h"
#include "engine/platform/audio/AudioOutputMode.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bGameLogic.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <stb_image_write.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace
{
constexpr int Width = 1920;
constexpr int Height = 1080;

// The frame just drawn, before the swap, top row first.
bool SaveFrame(const fs::path& file)
{
    std::vector<unsigned char> pixels(static_cast<std::size_t>(Width) * Height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, Width, Height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    stbi_flip_vertically_on_write(1);
    return stbi_write_png(file.string().c_str(), Width, Height, 3, pixels.data(), Width * 3) != 0;
}
}

int main(int argc, char** argv)
{
    if (argc < 3)
    {
        std::fprintf(stderr, "usage: %s <scene> <out.png> [seconds after the opening]\n", argv[0]);
        return 2;
    }
    const std::string scene = argv[1];
    const fs::path out = fs::absolute(argv[2]);
    const double seconds = argc > 3 ? std::atof(argv[3]) : 3.0;

    // The game reads its data beside the build's executables.
    const fs::path self = fs::read_symlink("/proc/self/exe");
    fs::current_path(self.parent_path().parent_path().parent_path());
    if (!fs::exists(scene))
    {
        std::fprintf(stderr, "no scene %s in %s\n", scene.c_str(), fs::current_path().c_str());
        return 2;
    }
    const fs::path settings = fs::temp_directory_path() / ("duskvane-screenshot-" + std::to_string(::getpid()) + ".json");
    std::ofstream(settings) << R"({ "wWidth": 1920, "wHeight": 1080, "StartingLevel": "Resources/LogoScene.json",
                                  "PrefabJSON": "Resources/Prefab.json", "EnableFullScreen": false, "Mute": true })";
    DefaultAudioOutputMode() = AudioOutputMode::Silent;

    int status = 1;
    try
    {
        auto coordinator = std::make_unique<Coordinator>();
        RegisterEngine(*coordinator);
        if (!StartGame(*coordinator, {settings, true}))
        {
            std::fprintf(stderr, "no window (run under Xvfb)\n");
            fs::remove(settings);
            return 1;
        }
        // As fast as frames come; the renderer swaps as in the game, and the last frame drawn is
        // still in the back buffer when it is saved.
        glfwSwapInterval(0);
        WindowState::showLastFrame = glfwSwapBuffers;
        coordinator->ResourceManager.LoadStage2(*coordinator);
        coordinator->ResourceManager.LoadStage3(*coordinator);
        coordinator->PendingScene = scene;

        FrameClock clock;
        double now = 1.0;
        const auto frame = [&] {
            clock.Tick(now, *coordinator);
            now += FrameClock::FixedStep;
            coordinator->Update();
        };
        frame();
        // The opening (doors, pan, titles) at most a minute, then the seconds asked for.
        for (int i = 0; i < 3600; ++i)
        {
            const bGameLogic* logic = GameLogicInstance();
            if (logic == nullptr || logic->CurrentState != GameState::Deploy)
                break;
            frame();
        }
        const int after = static_cast<int>(seconds * 60.0);
        for (int i = 0; i < after; ++i)
        {
            frame();
        }
        frame();
        glFinish();
        if (SaveFrame(out))
        {
            std::printf("%s\n", out.c_str());
            status = 0;
        }
        else
            std::fprintf(stderr, "could not write %s\n", out.c_str());
        coordinator->ShutDown();
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "the game stopped: %s\n", error.what());
    }
    fs::remove(settings);
    return status;
}
