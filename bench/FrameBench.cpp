// Whole frames, swap to swap, in a real 1920 by 1080 window: the game's logo scene and a fixture
// level (a lit tiled floor, 400 props, 100 animated characters, 50 walls of 200 segments and 20
// lights), each run by the game exactly as the entry runs it (the frame update, whose renderer
// swaps the buffers just before it draws), beside the floor of what the machine can draw: one
// full-screen textured quad, cleared and swapped by the same program. Rounds take turns over the
// three; each gives the median of its frames, and the counters give the median of the rounds in
// milliseconds and the logo scene's frame over the floor's.
// Run under Xvfb from a Release build folder (the game's assets are read from it):
//   xvfb-run -a -s "-screen 0 1920x1080x24" ./bench/bench_FrameBench
#include "engine/core/Coordinator.h"
#include "engine/core/FrameClock.h"
#include "engine/core/GameStartUp.h"
#include "engine/platform/Window.h"
#include "engine/platform/WindowState.h"
#include "engine/platform/audio/AudioOutputMode.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : 0.5 * (values[middle - 1] + values[middle]);
}

// One full-screen textured quad: the least a frame of this size can cost here.
class Floor
{
public:
    Floor()
    {
        const char* vertex = R"(#version 450 core
            const vec2 corners[4] = vec2[](vec2(-1, -1), vec2(1, -1), vec2(-1, 1), vec2(1, 1));
            out vec2 uv;
            void main()
            {
                uv = corners[gl_VertexID] * 0.5 + 0.5;
                gl_Position = vec4(corners[gl_VertexID], 0.0, 1.0);
            })";
        const char* fragment = R"(#version 450 core
            layout(binding = 0) uniform sampler2D picture;
            in vec2 uv;
            out vec4 colour;
            void main() { colour = texture(picture, uv); })";
        program = glCreateProgram();
        for (const auto& [stage, source] : {std::pair{GL_VERTEX_SHADER, vertex}, std::pair{GL_FRAGMENT_SHADER, fragment}})
        {
            const GLuint shader = glCreateShader(stage);
            glShaderSource(shader, 1, &source, nullptr);
            glCompileShader(shader);
            glAttachShader(program, shader);
            glDeleteShader(shader);
        }
        glLinkProgram(program);
        glCreateVertexArrays(1, &vertexArray);
        // A 1024 by 1024 picture of soft stripes.
        std::vector<unsigned char> pixels(1024 * 1024 * 4);
        for (std::size_t i = 0; i < 1024 * 1024; ++i)
        {
            pixels[i * 4 + 0] = static_cast<unsigned char>(i % 1024 / 4);
            pixels[i * 4 + 1] = static_cast<unsigned char>(i / 1024 / 4);
            pixels[i * 4 + 2] = 128;
            pixels[i * 4 + 3] = 255;
        }
        glCreateTextures(GL_TEXTURE_2D, 1, &texture);
        glTextureStorage2D(texture, 1, GL_RGBA8, 1024, 1024);
        glTextureSubImage2D(texture, 0, 0, 0, 1024, 1024, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        glTextureParameteri(texture, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTextureParameteri(texture, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    }

    void Draw() const
    {
        glViewport(0, 0, WindowState::width, WindowState::height);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
        glDisable(GL_CULL_FACE);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glUseProgram(program);
        glBindVertexArray(vertexArray);
        glBindTextureUnit(0, texture);
        glBindSampler(0, 0);
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    }

private:
    GLuint program = 0;
    GLuint vertexArray = 0;
    GLuint texture = 0;
};

// The game, started on the logo scene as the entry starts it, drawing into the benchmark's
// window; another scene is swapped in once every asset stage is loaded.
class Game
{
public:
    Game(const fs::path& folder, const std::string& name, const std::string& scene = {})
        : coordinator(std::make_unique<Coordinator>())
    {
        const fs::path settings = folder / (name + ".json");
        std::ofstream(settings) << R"({ "wWidth": 1920, "wHeight": 1080, "StartingLevel": "Resources/LogoScene.json",
                                      "PrefabJSON": "Resources/Prefab.json", "PeformanceOutput": false,
                                      "EnableFullScreen": false, "Mute": true })";
        RegisterEngine(*coordinator);
        StartGame(*coordinator, {settings, false});
        if (scene.empty())
            return;
        coordinator->ResourceManager.LoadStage2(*coordinator);
        coordinator->ResourceManager.LoadStage3(*coordinator);
        coordinator->PendingScene = scene;
        Frame();
    }
    ~Game() { coordinator->ShutDown(); }

    void Frame() { RunFrame(*coordinator, clock); }

private:
    std::unique_ptr<Coordinator> coordinator;
    FrameClock clock;
};

struct Stage
{
    fs::path folder;
    std::unique_ptr<Floor> floor;
    std::unique_ptr<Game> logo;
    std::unique_ptr<Game> level;
    std::string problem;

    Stage()
    {
        const fs::path self = fs::read_symlink("/proc/self/exe");
        fs::current_path(self.parent_path().parent_path());
        if (!fs::exists("Resources/images"))
        {
            problem = "no generated assets in the build folder";
            return;
        }
        folder = fs::temp_directory_path() / ("duskvane-frames-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        DefaultAudioOutputMode() = AudioOutputMode::Silent;
        WindowState::fullScreen = false;
        if (!CreateWindowContext(1920, 1080, "FrameBench"))
        {
            problem = "no window (run under Xvfb)";
            return;
        }
        // Frames are timed as fast as they come, not paced by the display.
        glfwSwapInterval(0);
        WindowState::showLastFrame = glfwSwapBuffers;
        floor = std::make_unique<Floor>();
        logo = std::make_unique<Game>(folder, "logo");
        // DUSKVANE_FRAME_SCENE names another scene to time in the fixture's place.
        const char* scene = std::getenv("DUSKVANE_FRAME_SCENE");
        level = std::make_unique<Game>(folder, "level",
                                       scene != nullptr ? std::string(scene)
                                                        : std::string(DUSKVANE_SOURCE_DIR) + "/tests/fixtures/scenes/FrameLevel.json");
    }

    ~Stage()
    {
        level.reset();
        logo.reset();
        if (!folder.empty())
            fs::remove_all(folder);
    }
};

// Frames of one kind, swap to swap, after a few to settle; the median in milliseconds. Each
// frame ends with, or (a game's) starts its drawing with, a buffer swap.
template <class Draw>
double MedianFrame(Draw&& draw, int frames)
{
    for (int i = 0; i < 3; ++i)
        draw();
    std::vector<double> times;
    Clock::time_point last = Clock::now();
    for (int i = 0; i < frames; ++i)
    {
        draw();
        const Clock::time_point now = Clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(now - last).count());
        last = now;
    }
    return Median(times);
}

// Rounds and frames per round: 9 and 15, or what DUSKVANE_FRAME_ROUNDS and DUSKVANE_FRAMES say.
int FromEnvironment(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value != nullptr && std::atoi(value) > 0 ? std::atoi(value) : fallback;
}

int FrameRounds()
{
    return FromEnvironment("DUSKVANE_FRAME_ROUNDS", 9);
}

void Frames(benchmark::State& state)
{
    static Stage stage;
    if (!stage.problem.empty())
    {
        state.SkipWithError(stage.problem.c_str());
        return;
    }
    const int frames = FromEnvironment("DUSKVANE_FRAMES", 15);
    std::vector<double> floors;
    std::vector<double> logos;
    std::vector<double> levels;
    std::vector<double> ratios;
    int round = 0;
    for (auto _ : state)
    {
        double floor = 0.0;
        double logo = 0.0;
        double level = 0.0;
        // The three take turns at going first. DUSKVANE_FRAME_ONLY (floor, logo or level) runs one
        // alone, for profiling.
        const char* only = std::getenv("DUSKVANE_FRAME_ONLY");
        for (int turn = 0; turn < 3; ++turn)
        {
            const int kind = (round + turn) % 3;
            if (only != nullptr && std::string(only) != (kind == 0 ? "floor" : kind == 1 ? "logo" : "level"))
                continue;
            switch (kind)
            {
            case 0:
                floor = MedianFrame(
                    [&] {
                        stage.floor->Draw();
                        glfwSwapBuffers(WindowState::window);
                    },
                    frames);
                break;
            case 1:
                logo = MedianFrame([&] { stage.logo->Frame(); }, frames);
                break;
            default:
                level = MedianFrame([&] { stage.level->Frame(); }, frames);
                break;
            }
        }
        ++round;
        floors.push_back(floor);
        logos.push_back(logo);
        levels.push_back(level);
        ratios.push_back(logo / floor);
    }
    state.counters["floor_ms"] = Median(floors);
    state.counters["logo_ms"] = Median(logos);
    state.counters["level_ms"] = Median(levels);
    state.counters["logo_over_floor"] = Median(ratios);
}
BENCHMARK(Frames)->Iterations(FrameRounds())->Unit(benchmark::kMillisecond);
}
