// One frame of the renderer's CPU work (draw queue, sort, uniforms, light and wall packing, draw
// submission and the camera shake) for a level-sized scene: as many sprites as the entity limit
// leaves (989, a tenth of them animated), 20 ambient lights, 50 wall boxes (200 segments) and
// 300 glyphs of text, drawn into a small offscreen target so that rasterisation stays small. The
// GPU (Mesa llvmpipe under Xvfb) is waited for outside the measured time.
// Run: cd build && xvfb-run -a -s "-screen 0 1920x1080x24" ./bench/bench_RenderBench
#include "engine/platform/WindowState.h"
#include "tests/support/RenderWorld.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>

#include <filesystem>

#include <memory>
#include <random>

namespace
{
// A hidden window with an OpenGL 4.5 core context, current on this thread.
struct HiddenContext
{
    GLFWwindow* window = nullptr;
    HiddenContext()
    {
        if (glfwInit() != GLFW_TRUE)
            return;
        glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 5);
        glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
        glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
        window = glfwCreateWindow(320, 180, "RenderBench", nullptr, nullptr);
        if (window == nullptr)
            return;
        glfwMakeContextCurrent(window);
        glewExperimental = GL_TRUE;
        if (glewInit() != GLEW_OK)
        {
            glfwDestroyWindow(window);
            window = nullptr;
        }
        while (glGetError() != GL_NO_ERROR)
        {
        }
    }
    ~HiddenContext()
    {
        if (window != nullptr)
            glfwDestroyWindow(window);
        glfwTerminate();
    }
};

struct Scene
{
    RenderWorld world;
    std::mt19937 random{7};

    float Uniform(float low, float high) { return std::uniform_real_distribution<float>(low, high)(random); }

    Scene()
    {
        const char* textures[] = {"Btn_Back",  "Btn_No",      "Btn_Yes",       "Cursor",        "HTP_Next",
                                  "HTP_Prev",  "dvico",       "dvico2",        "MM_Continue",   "MM_Credits",
                                  "MM_Quit",   "Btn_Minus",   "Btn_Plus",      "Settings_Icon", "Slider_Knob",
                                  "Toggle_On", "Toggle_Off",  "Fade_Overlay",  "Btn_Breach",    "Btn_Heal"};
        const char* soldiers[] = {"Soldier1", "Soldier2", "Soldier3", "Soldier4"};
        // The entity limit is 1000: with the camera and ten texts that leaves 989 sprites, of
        // which 50 are walls (200 segments) and 20 carry the lights, as lamps do in a level.
        for (int i = 0; i < SpriteCount; ++i)
        {
            const Vector2 at = {Uniform(40, 1880), Uniform(40, 1040)};
            const float layer = static_cast<float>(i % 10);
            if (i % 10 == 0)
            {
                const char* soldier = soldiers[(i / 10) % 4];
                const Entity e = world.Sprite(soldier, at, {60, 60}, layer, {soldier, "ANIMATED", "PLAYER"});
                Animation* animation = world.coordinator.AddComponent<Animation>(e);
                animation->AnimationTag = soldier;
                animation->frameIndex = i % 8;
                world.coordinator.AddEntityToSystem<sAnimationSystem>(e);
                continue;
            }
            const Entity e = world.Sprite(textures[i % 20], at, {Uniform(10, 60), Uniform(10, 60)}, layer);
            world.TransformOf(e).rotation = Uniform(0.0f, 6.28f);
            world.RendererOf(e).tileMode = i % 37 == 0;
            world.RendererOf(e).tileSizeX = 3.0f;
            Identifier& identifier = *world.coordinator.GetComponent<Identifier>(e);
            if (i % 17 == 1 && walls < 50)
            {
                identifier.tags.push_back("WALL");
                ++walls;
            }
            else if (i % 23 == 2 && lights < 20)
            {
                identifier.tags.push_back("AMBIENTLIGHT");
                Lighting* light = world.coordinator.AddComponent<Lighting>(e);
                light->radius = Uniform(150, 400);
                for (float& v : light->baseIntensity)
                    v = 1.0f;
                ++lights;
            }
        }
        const float colour[3] = {1.0f, 0.9f, 0.6f};
        for (int i = 0; i < 10; ++i)
            world.Text("Thirty glyphs of texts, line " + std::to_string(i % 10), {100, 60.0f + 90.0f * static_cast<float>(i)},
                       0.5f, colour, 10, "DejaVuSans");
        world.Load();
        world.coordinator.DeltaTime = 1.0f / 60.0f;
    }

    static constexpr int SpriteCount = 989;
    int walls = 0;
    int lights = 0;
};

// The context and the scene are made once for every repetition; the assets come from the build
// folder.
struct Bench
{
    HiddenContext context;
    std::unique_ptr<Scene> scene;
    std::unique_ptr<OffscreenTarget> target;

    Bench()
    {
        if (context.window == nullptr)
            return;
        std::filesystem::current_path(DUSKVANE_BUILD_DIR);
        scene = std::make_unique<Scene>();
        target = std::make_unique<OffscreenTarget>();
        // Every drawing system runs once; from then on the renderer's frames are measured.
        scene->world.Frame();
        glFinish();
    }
};

Bench& TheBench()
{
    static Bench bench;
    return bench;
}

void RendererFrame(benchmark::State& state)
{
    Bench& bench = TheBench();
    if (!bench.scene)
    {
        state.SkipWithError("no OpenGL 4.5 core context (run under xvfb-run)");
        return;
    }
    RenderWorld& world = bench.scene->world;
    for (auto _ : state)
    {
        world.renderer->Update(world.coordinator);
        state.PauseTiming();
        glFinish();
        state.ResumeTiming();
    }
    std::size_t glyphs = 0;
    for (Entity e : world.fonts->entities)
        glyphs += world.coordinator.GetComponent<Font>(e)->message.size();
    state.counters["sprites"] = Scene::SpriteCount;
    state.counters["drawn"] = static_cast<double>(world.renderer->drawQueue.size());
    state.counters["glyphs"] = static_cast<double>(glyphs);
    state.counters["walls"] = world.renderer->wallCount;
    state.counters["lights"] = world.renderer->ambientCount;
}
BENCHMARK(RendererFrame)->Unit(benchmark::kMillisecond)->Repetitions(5)->Iterations(200);
}
