#include "engine/platform/audio/SdlAudioDevice.h"

#include "engine/platform/audio/AudioFormat.h"
#include "engine/platform/audio/AudioMixer.h"

#include <SDL2/SDL.h>

namespace
{
void FillFromMixer(void* mixer, Uint8* stream, int bytes)
{
    const std::size_t frameBytes = sizeof(float) * AudioFormat::OutputChannels;
    static_cast<AudioMixer*>(mixer)->MixInto(reinterpret_cast<float*>(stream),
                                             static_cast<std::size_t>(bytes) / frameBytes);
}
}

std::unique_ptr<SdlAudioDevice> SdlAudioDevice::Open(AudioMixer& mixer)
{
    // SDL keeps its error text in storage of the calling thread that only SDL's own threads
    // free when they end; the output may be opened on a thread of ours, which must free it.
    struct ThreadStorageRelease
    {
        ~ThreadStorageRelease() { SDL_TLSCleanup(); }
    } releaseOnReturn;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return nullptr;
    SDL_AudioSpec wanted{};
    wanted.freq = AudioFormat::OutputRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = AudioFormat::OutputChannels;
    wanted.samples = 1024;
    wanted.callback = FillFromMixer;
    wanted.userdata = &mixer;
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts to whatever the hardware wants.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device == 0)
    {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    SDL_PauseAudioDevice(device, 0);
    return std::unique_ptr<SdlAudioDevice>(new SdlAudioDevice(device));
}

SdlAudioDevice::SdlAudioDevice(std::uint32_t device) : device(device) {}

SdlAudioDevice::~SdlAudioDevice()
{
    // Closing waits for a running callback, so the mixer is never touched afterwards.
    SDL_CloseAudioDevice(device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlAudioDevice::Lock()
{
    SDL_LockAudioDevice(device);
}

void SdlAudioDevice::Unlock()
{
    SDL_UnlockAudioDevice(device);
}
