// The first resource stage as start-up loads it: scan the generated assets, open the audio
// system (silent), decode and upload the first 92 images and 10 sounds, compile the shader
// programs and render the fonts. Runs on a hidden 1920x1080 window of its own (Mesa llvmpipe
// under Xvfb: xvfb-run -a -s "-screen 0 1920x1080x24" build/bench/bench_StartupBench) and reads
// the assets of the build folder it was built into.
#include "engine/core/Coordinator.h"
#include "engine/platform/AssetScan.h"
#include "engine/platform/ResourceManager.h"
#include "engine/platform/audio/AudioOutputMode.h"
#include "engine/platform/sSoundSystem.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>

namespace
{
// The build folder: the benchmark lives in its bench/ folder.
void EnterBuildFolder()
{
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
    std::filesystem::current_path(self.parent_path().parent_path());
}

GLFWwindow* OpenHiddenWindow()
{
    static GLFWwindow* window = [] {
        if (glfwInit() == GLFW_FALSE)
            return static_cast<GLFWwindow*>(nullptr);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 5);
        glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
        glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
        GLFWwindow* made = glfwCreateWindow(1920, 1080, "StartupBench", nullptr, nullptr);
        if (made != nullptr)
        {
            glfwMakeContextCurrent(made);
            glewInit();
        }
        return made;
    }();
    return window;
}

// One first stage from a fresh manager, `prefetch` as start-up does it (decoding begins
// before the scan), released again afterwards.
void LoadFirstStage(benchmark::State& state, bool prefetch)
{
    EnterBuildFolder();
    if (OpenHiddenWindow() == nullptr)
    {
        state.SkipWithError("no OpenGL 4.5 context (run under Xvfb)");
        return;
    }
    if (!std::filesystem::exists("Resources/images"))
    {
        state.SkipWithError("no generated assets in the build folder");
        return;
    }
    DefaultAudioOutputMode() = AudioOutputMode::Silent;
    std::size_t textures = 0;
    for (auto _ : state)
    {
        auto coordinator = std::make_unique<Coordinator>();
        coordinator->SystemManager.RegisterSystem<sSoundSystem>();
        ResourceManager& resources = coordinator->ResourceManager;
        if (prefetch)
            resources.PrefetchStage1();
        ScanAssets(resources);
        resources.InitSoundAndLoad(*coordinator);
        glFinish();
        textures = resources.Textures().size();
        state.PauseTiming();
        resources.ReleaseAll();
        coordinator.reset();
        state.ResumeTiming();
    }
    state.counters["textures"] = static_cast<double>(textures);
}

void Stage1Load(benchmark::State& state)
{
    LoadFirstStage(state, false);
}
BENCHMARK(Stage1Load)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

void Stage1LoadPrefetched(benchmark::State& state)
{
    LoadFirstStage(state, true);
}
BENCHMARK(Stage1LoadPrefetched)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
}
