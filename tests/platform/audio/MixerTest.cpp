#include "engine/platform/audio/AudioSystem.h"
#include "support/SoundFiles.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
using SoundFiles::Constant;

// One left/right pair per mixed frame.
struct Frame
{
    float left;
    float right;
};

struct MixerTest : testing::Test
{
    std::shared_ptr<AudioSystem> audio = AudioSystem::Create(8, AudioOutputMode::Manual);

    std::unique_ptr<AudioSound> Sound(std::vector<float> stereo, bool loop)
    {
        return audio->CreateSound(std::move(stereo), loop);
    }

    std::vector<Frame> Mix(std::size_t frames)
    {
        std::span<const float> out = audio->Mix(frames);
        std::vector<Frame> result;
        for (std::size_t i = 0; i < frames; ++i)
            result.push_back({out[2 * i], out[2 * i + 1]});
        return result;
    }

    std::vector<float> Lefts(std::size_t frames)
    {
        std::vector<float> lefts;
        for (const Frame& frame : Mix(frames))
            lefts.push_back(frame.left);
        return lefts;
    }
};

// Frames 1, 2, 3, ... on the left (scaled) and their negatives on the right.
std::vector<float> Ramp(std::size_t frames)
{
    std::vector<float> samples;
    for (std::size_t i = 0; i < frames; ++i)
    {
        samples.push_back(static_cast<float>(i + 1) / 64.0f);
        samples.push_back(-static_cast<float>(i + 1) / 64.0f);
    }
    return samples;
}
}

TEST_F(MixerTest, FadePointAtNowDropsToHalfAtOnce)
{
    auto sound = Sound(Constant(16, 0.5f, -0.5f), true);
    VoiceHandle voice = audio->PlaySound(*sound, false);
    EXPECT_EQ(Lefts(3), (std::vector<float>{0.5f, 0.5f, 0.5f}));

    voice.AddFadePoint(voice.GetParentClock(), 0.5f);
    for (const Frame& frame : Mix(5))
    {
        EXPECT_EQ(frame.left, 0.25f);
        EXPECT_EQ(frame.right, -0.25f);
    }
}

TEST_F(MixerTest, FadeEnvelopeIsExactPerSample)
{
    struct Case
    {
        const char* name;
        std::vector<FadePoint> points;  // clocks relative to the start of the mix
        std::vector<float> gains;       // expected envelope for the first frames
    };
    const std::vector<Case> cases = {
        {"fade in over 8 frames, then held", {{0, 0.0f}, {8, 1.0f}},
         {0.0f, 0.125f, 0.25f, 0.375f, 0.5f, 0.625f, 0.75f, 0.875f, 1.0f, 1.0f}},
        {"before the first point its volume holds", {{4, 1.0f}, {8, 0.0f}},
         {1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 0.75f, 0.5f, 0.25f, 0.0f, 0.0f}},
        {"three points", {{0, 0.5f}, {2, 1.0f}, {6, 0.0f}},
         {0.5f, 0.75f, 1.0f, 0.75f, 0.5f, 0.25f, 0.0f, 0.0f}},
        {"a point at the same clock replaces the earlier one", {{0, 1.0f}, {0, 0.25f}},
         {0.25f, 0.25f, 0.25f}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        auto sound = Sound(Constant(64, 0.5f, 0.5f), true);
        VoiceHandle voice = audio->PlaySound(*sound, false);
        const std::uint64_t now = voice.GetParentClock();
        for (const FadePoint& point : c.points)
            voice.AddFadePoint(now + point.clock, point.volume);
        std::vector<float> expected;
        for (float gain : c.gains)
            expected.push_back(0.5f * gain);
        EXPECT_EQ(Lefts(c.gains.size()), expected);
        voice.Stop();
    }
}

TEST_F(MixerTest, ScheduledStopEndsAtExactlyThatFrame)
{
    auto sound = Sound(Constant(4, 0.5f, 0.5f), true);
    VoiceHandle voice = audio->PlaySound(*sound, false);
    voice.SetDelayedStop(voice.GetParentClock() + 5);
    EXPECT_EQ(Lefts(8), (std::vector<float>{0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.0f, 0.0f, 0.0f}));
    EXPECT_FALSE(voice.IsPlaying());

    // A stop due exactly at the end of a block reads as ended right after that block.
    VoiceHandle second = audio->PlaySound(*sound, false);
    second.SetDelayedStop(second.GetParentClock() + 4);
    EXPECT_EQ(Lefts(4), (std::vector<float>{0.5f, 0.5f, 0.5f, 0.5f}));
    EXPECT_FALSE(second.IsPlaying());

    // A stop already in the past ends the voice at the next mix.
    VoiceHandle third = audio->PlaySound(*sound, false);
    third.SetDelayedStop(0);
    EXPECT_EQ(Lefts(2), (std::vector<float>{0.0f, 0.0f}));
    EXPECT_FALSE(third.IsPlaying());
}

TEST_F(MixerTest, PausedStartIsSilentAndKeepsItsPlace)
{
    auto sound = Sound(Ramp(8), false);
    VoiceHandle voice = audio->PlaySound(*sound, true);
    EXPECT_EQ(Lefts(4), (std::vector<float>{0, 0, 0, 0}));
    EXPECT_TRUE(voice.IsPlaying()) << "a paused voice still counts as playing";
    voice.SetPaused(false);
    const std::vector<Frame> frames = Mix(2);
    EXPECT_EQ(frames[0].left, 1.0f / 64.0f);
    EXPECT_EQ(frames[0].right, -1.0f / 64.0f);
    EXPECT_EQ(frames[1].left, 2.0f / 64.0f);
}

TEST_F(MixerTest, OneShotEndsWhileLoopWrapsSeamlessly)
{
    auto oneShot = Sound(Ramp(3), false);
    VoiceHandle once = audio->PlaySound(*oneShot, false);
    EXPECT_EQ(Lefts(5), (std::vector<float>{1 / 64.0f, 2 / 64.0f, 3 / 64.0f, 0.0f, 0.0f}));
    EXPECT_FALSE(once.IsPlaying());

    auto looping = Sound(Ramp(3), true);
    VoiceHandle loop = audio->PlaySound(*looping, false);
    EXPECT_EQ(Lefts(7), (std::vector<float>{1 / 64.0f, 2 / 64.0f, 3 / 64.0f, 1 / 64.0f, 2 / 64.0f, 3 / 64.0f,
                                             1 / 64.0f}));
    EXPECT_TRUE(loop.IsPlaying());

    // A one-shot whose last frame is the block's last reads as ended after that block.
    VoiceHandle exact = audio->PlaySound(*oneShot, false);
    Mix(3);
    EXPECT_FALSE(exact.IsPlaying());
}

TEST_F(MixerTest, SoundWithoutFramesEndsWithoutTrouble)
{
    for (bool loop : {false, true})
    {
        auto empty = Sound({}, loop);
        VoiceHandle voice = audio->PlaySound(*empty, false);
        EXPECT_EQ(Lefts(2), (std::vector<float>{0, 0}));
        EXPECT_FALSE(voice.IsPlaying());
    }
}

TEST_F(MixerTest, StaleHandleDoesNotTouchTheSlotsNextVoice)
{
    auto single = AudioSystem::Create(1, AudioOutputMode::Manual);
    auto shortSound = single->CreateSound(Constant(2, 0.25f, 0.25f), false);
    auto loopSound = single->CreateSound(Constant(2, 0.5f, 0.5f), true);

    VoiceHandle old = single->PlaySound(*shortSound, false);
    single->Mix(4);
    ASSERT_FALSE(old.IsPlaying());

    VoiceHandle newer = single->PlaySound(*loopSound, false);
    ASSERT_FALSE(newer.IsNull());
    EXPECT_FALSE(old == newer);
    old.Stop();
    old.SetPaused(true);
    old.AddFadePoint(0, 0.0f);
    old.SetDelayedStop(0);
    EXPECT_TRUE(newer.IsPlaying());
    EXPECT_FALSE(old.IsPlaying());
    EXPECT_EQ(old.GetVolume(), 0.0f);
    EXPECT_EQ(old.GetParentClock(), 0u);
    EXPECT_EQ(single->Mix(1)[0], 0.5f);

    // Handles outlive the whole system harmlessly.
    single->Release();
    EXPECT_FALSE(newer.IsPlaying());
    single.reset();
    newer.Stop();
    EXPECT_FALSE(newer.IsPlaying());
    EXPECT_EQ(newer.GetSystem(), nullptr);
    VoiceHandle none;
    none.Stop();
    EXPECT_TRUE(none.IsNull());
    EXPECT_FALSE(none.IsPlaying());
}

TEST_F(MixerTest, PlayWithEveryVoiceBusyStartsNothing)
{
    auto sound = Sound(Constant(4, 0.125f, 0.125f), true);
    for (int i = 0; i < 8; ++i)
        EXPECT_FALSE(audio->PlaySound(*sound, false).IsNull());
    EXPECT_TRUE(audio->PlaySound(*sound, false).IsNull());
    EXPECT_EQ(audio->PlayingVoiceCount(), 8u);
}

TEST_F(MixerTest, GroupVolumeScalesAndGroupStopEndsOnlyItsVoices)
{
    AudioGroup* music = audio->CreateSoundGroup("music");
    AudioGroup* effects = audio->CreateSoundGroup("effects");
    auto left = Sound(Constant(4, 0.5f, 0.0f), true);
    auto right = Sound(Constant(4, 0.0f, 0.5f), true);
    left->SetSoundGroup(music);
    right->SetSoundGroup(effects);
    VoiceHandle leftVoice = audio->PlaySound(*left, false);
    VoiceHandle rightVoice = audio->PlaySound(*right, false);

    music->SetVolume(0.5f);
    Frame frame = Mix(1)[0];
    EXPECT_EQ(frame.left, 0.25f);
    EXPECT_EQ(frame.right, 0.5f);
    EXPECT_EQ(music->GetName(), "music");
    EXPECT_EQ(music->GetVolume(), 0.5f);

    effects->Stop();
    frame = Mix(1)[0];
    EXPECT_EQ(frame.left, 0.25f);
    EXPECT_EQ(frame.right, 0.0f);
    EXPECT_TRUE(leftVoice.IsPlaying());
    EXPECT_FALSE(rightVoice.IsPlaying());
}

TEST_F(MixerTest, MixIsClampedButVolumesAreNot)
{
    AudioGroup* loud = audio->CreateSoundGroup("loud");
    auto sound = Sound(Constant(4, 0.25f, -0.25f), true);
    sound->SetSoundGroup(loud);
    loud->SetVolume(3.0f);
    audio->PlaySound(*sound, false);
    Frame frame = Mix(1)[0];
    EXPECT_EQ(frame.left, 0.75f);
    EXPECT_EQ(frame.right, -0.75f);
    EXPECT_EQ(loud->GetVolume(), 3.0f);

    audio->PlaySound(*sound, false);
    frame = Mix(1)[0];
    EXPECT_EQ(frame.left, 1.0f);
    EXPECT_EQ(frame.right, -1.0f);
}

TEST_F(MixerTest, ReleasingASoundStopsItsVoicesFirst)
{
    auto doomed = Sound(Constant(64, 0.5f, 0.5f), true);
    auto kept = Sound(Constant(64, 0.25f, 0.25f), true);
    VoiceHandle first = audio->PlaySound(*doomed, false);
    VoiceHandle second = audio->PlaySound(*doomed, true);
    VoiceHandle other = audio->PlaySound(*kept, false);
    doomed->Release();
    EXPECT_FALSE(first.IsPlaying());
    EXPECT_FALSE(second.IsPlaying());
    EXPECT_TRUE(other.IsPlaying());
    EXPECT_EQ(Lefts(2), (std::vector<float>{0.25f, 0.25f}));
    doomed->Release();  // twice is harmless
    doomed.reset();     // and so is the destructor afterwards

    // Destroying a playing sound releases it the same way.
    kept.reset();
    EXPECT_FALSE(other.IsPlaying());
    EXPECT_EQ(audio->PlayingVoiceCount(), 0u);
}

TEST_F(MixerTest, ReleasedSystemPlaysNothingAndOutlivesItsSounds)
{
    auto sound = Sound(Constant(8, 0.5f, 0.5f), true);
    AudioGroup* group = audio->CreateSoundGroup("g");
    sound->SetSoundGroup(group);
    VoiceHandle voice = audio->PlaySound(*sound, false);
    audio->Release();
    audio->Release();
    EXPECT_FALSE(voice.IsPlaying());
    EXPECT_TRUE(audio->PlaySound(*sound, false).IsNull());
    group->SetVolume(0.5f);
    group->Stop();
    audio.reset();
    sound.reset();  // the system is gone: releasing the sound must not reach for it
}
