#include "engine/platform/audio/AudioMixer.h"
#include "engine/platform/audio/AudioSystem.h"
#include "engine/platform/audio/NullAudioDevice.h"
#include "support/SoundFiles.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

TEST(OutputDeviceTest, AutomaticUsesTheSoundCardOrFallsBackQuietly)
{
    // Under CI there is no sound card; on a desk there may be. Either way the system works.
    auto audio = AudioSystem::Create(4, AudioOutputMode::Automatic);
    RecordProperty("real_device", audio->HasRealDevice() ? "yes" : "no");
    auto sound = audio->CreateSound(SoundFiles::Constant(480, 0.0f, 0.0f), true);
    VoiceHandle voice = audio->PlaySound(*sound, false);
    EXPECT_TRUE(voice.IsPlaying());
    voice.Stop();
    EXPECT_FALSE(voice.IsPlaying());
    audio->Update();
    audio->Release();
    EXPECT_FALSE(audio->HasRealDevice());
}

TEST(OutputDeviceTest, DeviceThreadMixesWhileTheGameThreadChangesVoices)
{
    // SDL's dummy driver pulls the mix in real time from its own thread, like a sound card.
    SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
    auto audio = AudioSystem::Create(8, AudioOutputMode::Automatic);
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    ASSERT_TRUE(audio->HasRealDevice());

    AudioGroup* group = audio->CreateSoundGroup("sfxGroup");
    auto loop = audio->CreateSound(SoundFiles::Constant(480, 0.25f, 0.25f), true);
    auto shot = audio->CreateSound(SoundFiles::Constant(2400, 0.25f, 0.25f), false);
    loop->SetSoundGroup(group);
    VoiceHandle oneShot = audio->PlaySound(*shot, false);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    int rounds = 0;
    while (oneShot.IsPlaying() && std::chrono::steady_clock::now() < deadline)
    {
        VoiceHandle voice = audio->PlaySound(*loop, rounds % 2 == 0);
        const std::uint64_t now = voice.GetParentClock();
        voice.AddFadePoint(now, 0.0f);
        voice.AddFadePoint(now + 480, 1.0f);
        voice.SetPaused(false);
        voice.SetDelayedStop(now + 960);
        group->SetVolume(rounds % 3 == 0 ? 0.5f : 1.0f);
        if (rounds % 5 == 0)
            group->Stop();
        ++rounds;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_FALSE(oneShot.IsPlaying()) << "the device thread played the one-shot to its end";
    EXPECT_GE(audio->GetClock(), 2400u);
    loop.reset();  // released while the device may be mixing it
    audio->Release();
}

TEST(OutputDeviceTest, ForcedNullDeviceMovesOnlyWhenMixed)
{
    EXPECT_EQ(DefaultAudioOutputMode(), AudioOutputMode::Manual) << "the test harness forces the null device";
    auto audio = AudioSystem::Create(4);
    EXPECT_FALSE(audio->HasRealDevice());
    audio->Update();
    EXPECT_EQ(audio->GetClock(), 0u);
    audio->Mix(100);
    EXPECT_EQ(audio->GetClock(), 100u);
}

TEST(OutputDeviceTest, DefaultModeResetsToAutomatic)
{
    ResetDefaultAudioOutputMode();
    EXPECT_EQ(DefaultAudioOutputMode(), AudioOutputMode::Automatic);
    DefaultAudioOutputMode() = AudioOutputMode::Manual;
}

TEST(OutputDeviceTest, SilentDeviceKeepsTimeWithItsClock)
{
    AudioMixer mixer(2);
    double seconds = 10.0;
    NullAudioDevice device(mixer, [&] { return seconds; });
    EXPECT_FALSE(device.IsReal());

    seconds += 0.5;
    device.Pump();
    EXPECT_EQ(mixer.Clock(), 24000u);

    // Fractions of a frame are carried to the next pump, not lost.
    seconds += 1.0 / 96000.0;
    device.Pump();
    EXPECT_EQ(mixer.Clock(), 24000u);
    seconds += 1.0 / 96000.0;
    device.Pump();
    EXPECT_EQ(mixer.Clock(), 24001u);

    // A long stall is not made up for; a clock going backwards moves nothing.
    seconds += 30.0;
    device.Pump();
    EXPECT_EQ(mixer.Clock(), 24001u + 48000u);
    seconds -= 5.0;
    device.Pump();
    EXPECT_EQ(mixer.Clock(), 72001u);
}

TEST(OutputDeviceTest, SilentSoundsStillEndOnTime)
{
    AudioMixer mixer(2);
    double seconds = 0.0;
    NullAudioDevice device(mixer, [&] { return seconds; });
    auto owner = AudioSystem::Create(1, AudioOutputMode::Manual);
    auto sound = owner->CreateSound(SoundFiles::Constant(4800, 0.5f, 0.5f), false);
    const VoiceId id = mixer.Start(*sound, false);
    seconds = 0.05;
    device.Pump();
    EXPECT_TRUE(mixer.IsPlaying(id));
    seconds = 0.1;
    device.Pump();
    EXPECT_FALSE(mixer.IsPlaying(id));
}
