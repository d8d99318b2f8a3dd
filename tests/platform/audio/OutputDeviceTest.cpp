#include "engine/platform/audio/AudioMixer.h"
#include "engine/platform/audio/AudioSystem.h"
#include "engine/platform/audio/NullAudioDevice.h"
#include "support/SoundFiles.h"

#include <gtest/gtest.h>

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
