#include "engine/platform/audio/AudioSystem.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace
{
std::vector<float> Tone(std::size_t frames, float step)
{
    std::vector<float> samples;
    for (std::size_t i = 0; i < frames; ++i)
    {
        const float value = 0.1f * std::sin(step * static_cast<float>(i));
        samples.push_back(value);
        samples.push_back(-value);
    }
    return samples;
}

// One device block (1024 frames) of `voices` looping voices in a group, with or without fades.
void MixBlock(benchmark::State& state)
{
    const auto voices = static_cast<std::size_t>(state.range(0));
    const bool fading = state.range(1) != 0;
    auto audio = AudioSystem::Create(100, AudioOutputMode::Manual);
    AudioGroup* group = audio->CreateSoundGroup("sfxGroup");
    std::vector<std::unique_ptr<AudioSound>> sounds;
    for (std::size_t v = 0; v < voices; ++v)
    {
        sounds.push_back(audio->CreateSound(Tone(48000, 0.01f + 0.001f * static_cast<float>(v)), true));
        sounds.back()->SetSoundGroup(group);
        VoiceHandle voice = audio->PlaySound(*sounds.back(), false);
        if (fading)
        {
            voice.AddFadePoint(0, 0.0f);
            voice.AddFadePoint(1u << 30, 1.0f);
        }
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(audio->Mix(1024).data());
    state.SetItemsProcessed(state.iterations() * 1024);
}
BENCHMARK(MixBlock)->Args({32, 0})->Args({32, 1})->Args({100, 1});
}
