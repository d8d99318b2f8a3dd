#include "engine/platform/audio/NullAudioDevice.h"

#include "engine/platform/audio/AudioFormat.h"
#include "engine/platform/audio/AudioMixer.h"

#include <algorithm>
#include <chrono>
#include <cmath>

NullAudioDevice::NullAudioDevice(AudioMixer& mixer, TimeSource time) : mixer(mixer), time(std::move(time))
{
    if (this->time)
        lastSeconds = this->time();
}

void NullAudioDevice::Pump()
{
    if (!time)
        return;
    const double now = time();
    const double elapsed = std::clamp(now - lastSeconds, 0.0, 1.0);
    lastSeconds = now;
    owedFrames += elapsed * AudioFormat::OutputRate;
    std::size_t frames = static_cast<std::size_t>(std::floor(owedFrames));
    owedFrames -= static_cast<double>(frames);
    constexpr std::size_t chunk = 4096;
    while (frames > 0)
    {
        const std::size_t step = std::min(frames, chunk);
        mixer.Mix(step);
        frames -= step;
    }
}

NullAudioDevice::TimeSource NullAudioDevice::WallClock()
{
    return [] {
        using Seconds = std::chrono::duration<double>;
        return std::chrono::duration_cast<Seconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
    };
}
