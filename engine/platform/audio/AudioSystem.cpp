#include "engine/platform/audio/AudioSystem.h"

#include "engine/platform/audio/AudioDecoding.h"
#include "engine/platform/audio/AudioFormat.h"
#include "engine/platform/audio/NullAudioDevice.h"
#include "engine/platform/audio/SdlAudioDevice.h"

namespace
{
std::unique_ptr<AudioOutputDevice> OpenOutput(AudioMixer& mixer, AudioOutputMode mode)
{
    switch (mode)
    {
    case AudioOutputMode::Automatic:
        if (std::unique_ptr<SdlAudioDevice> card = SdlAudioDevice::Open(mixer))
            return card;
        return std::make_unique<NullAudioDevice>(mixer, NullAudioDevice::WallClock());
    case AudioOutputMode::Silent:
        return std::make_unique<NullAudioDevice>(mixer, NullAudioDevice::WallClock());
    case AudioOutputMode::Manual:
        break;
    }
    return std::make_unique<NullAudioDevice>(mixer, nullptr);
}
}

std::shared_ptr<AudioSystem> AudioSystem::Create(std::size_t voiceCount, AudioOutputMode mode)
{
    std::shared_ptr<AudioSystem> system(new AudioSystem(voiceCount));
    system->device = OpenOutput(system->mixer, mode);
    return system;
}

AudioSystem::AudioSystem(std::size_t voiceCount) : mixer(voiceCount) {}

AudioSystem::~AudioSystem()
{
    Release();
}

AudioGroup* AudioSystem::CreateSoundGroup(const std::string& name)
{
    groups.push_back(std::make_unique<AudioGroup>(*this, name));
    return groups.back().get();
}

std::unique_ptr<AudioSound> AudioSystem::CreateSound(const std::string& path, bool loop, std::string& error)
{
    SoundSamples samples;
    if (!DecodeSoundFile(path, loop, samples, error))
        return nullptr;
    return CreateSound(std::move(samples), loop);
}

std::unique_ptr<AudioSound> AudioSystem::CreateSound(SoundSamples samples, bool loop)
{
    return std::make_unique<AudioSound>(std::move(samples), loop, weak_from_this());
}

std::unique_ptr<AudioSound> AudioSystem::CreateSound(std::vector<float> stereo, bool loop)
{
    return std::make_unique<AudioSound>(std::move(stereo), loop, weak_from_this());
}

VoiceHandle AudioSystem::PlaySound(AudioSound& sound, bool paused)
{
    if (released)
        return {};
    VoiceId id;
    Locked([&] { id = mixer.Start(sound, paused); });
    if (id.generation == 0)
        return {};
    return VoiceHandle(weak_from_this(), id);
}

int AudioSystem::GetOutputRate() const
{
    return AudioFormat::OutputRate;
}

std::uint64_t AudioSystem::GetClock() const
{
    std::uint64_t clock = 0;
    Locked([&] { clock = mixer.Clock(); });
    return clock;
}

bool AudioSystem::HasRealDevice() const
{
    return device != nullptr && device->IsReal();
}

std::size_t AudioSystem::PlayingVoiceCount() const
{
    std::size_t count = 0;
    Locked([&] { count = mixer.PlayingCount(); });
    return count;
}

void AudioSystem::Update()
{
    if (device)
        device->Pump();
}

std::span<const float> AudioSystem::Mix(std::size_t frames)
{
    std::span<const float> out;
    Locked([&] { out = mixer.Mix(frames); });
    return out;
}

void AudioSystem::Release()
{
    if (released)
        return;
    released = true;
    device.reset();
    mixer.StopAll();
}
