#include "engine/platform/audio/AudioDecoding.h"
#include "engine/platform/audio/AudioSystem.h"
#include "support/SoundFiles.h"

#include <sndfile.h>

#include <gtest/gtest.h>

#include <cmath>
#include <span>
#include <vector>

namespace
{
// A tone with every 16-bit step of a small range, so any rounding would show.
std::vector<float> Ramp(std::size_t frames, int channels)
{
    std::vector<float> samples;
    for (std::size_t i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            samples.push_back(static_cast<float>(static_cast<int>(i % 512) - 256 + 97 * c) / 32768.0f);
    return samples;
}

std::vector<float> MixWhole(AudioSystem& audio, AudioSound& sound, std::size_t frames, float volume)
{
    AudioGroup* group = audio.CreateSoundGroup("effects");
    group->SetVolume(volume);
    sound.SetSoundGroup(group);
    VoiceHandle voice = audio.PlaySound(sound, false);
    voice.AddFadePoint(audio.GetClock() + frames / 2, 0.3f);
    const std::span<const float> out = audio.Mix(frames);
    return {out.begin(), out.end()};
}
}

// The compact layouts must sound exactly like interleaved stereo float of the same file.
TEST(CompactSound, LayoutFollowsTheFileAndMixesExactlyLikeStereoFloat)
{
    SoundFiles::Folder folder;
    struct Case
    {
        const char* name;
        int format;
        int channels;
        int rate;
        bool pcm16;
        int keptChannels;
    };
    const std::vector<Case> cases = {
        {"mono16.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 48000, true, 1},
        {"stereo16.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 48000, true, 2},
        {"four16.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 4, 48000, true, 2},
        {"mono8.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 1, 48000, true, 1},
        {"monoFloat.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, 48000, false, 1},
        {"mono16at24k.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 24000, false, 1},
        {"stereo24bit.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 2, 48000, false, 2},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const std::string path = folder.Write(c.name, c.format, c.channels, c.rate, Ramp(1200, c.channels));
        for (bool loop : {false, true})
        {
            SoundSamples compact;
            std::string error;
            ASSERT_TRUE(DecodeSoundFile(path, loop, compact, error)) << error;
            EXPECT_EQ(compact.IsPcm16(), c.pcm16);
            EXPECT_EQ(compact.Channels(), c.keptChannels);

            std::vector<float> stereo;
            ASSERT_TRUE(DecodeAudioFile(path, loop, stereo, error)) << error;
            ASSERT_EQ(compact.FrameCount() * 2, stereo.size());
            EXPECT_LE(compact.ByteSize(), stereo.size() * sizeof(float) / static_cast<std::size_t>(3 - c.keptChannels));

            auto audio = AudioSystem::Create(2, AudioOutputMode::Manual);
            auto compactSound = audio->CreateSound(std::move(compact), loop);
            const std::vector<float> heard = MixWhole(*audio, *compactSound, 3000, 0.7f);
            auto reference = AudioSystem::Create(2, AudioOutputMode::Manual);
            auto floatSound = reference->CreateSound(stereo, loop);
            EXPECT_EQ(heard, MixWhole(*reference, *floatSound, 3000, 0.7f));
        }
    }
}

TEST(CompactSound, SixteenBitSamplesReadBackAsTheDecodersFloats)
{
    for (int value : {-32768, -1, 0, 1, 12345, 32767})
    {
        const auto sample = static_cast<std::int16_t>(value);
        const std::vector<float> stereo = SoundSamples::FromPcm16({sample}, 1).ToStereoFloat();
        EXPECT_EQ(stereo, (std::vector<float>{static_cast<float>(value) / 32768.0f, static_cast<float>(value) / 32768.0f}));
    }
}
