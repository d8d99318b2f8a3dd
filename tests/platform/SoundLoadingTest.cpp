#include "engine/platform/SoundLoading.h"
#include "engine/platform/sSoundSystem.h"
#include "support/AssertCapture.h"
#include "support/SoundFiles.h"

#include <sndfile.h>

#include <gtest/gtest.h>

namespace
{
struct SoundLoadingTest : testing::Test
{
    sSoundSystem sound;
    SoundFiles::Folder folder;

    std::string File(const std::string& name)
    {
        return folder.Write(name, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 22050, std::vector<float>(441, 0.5f));
    }
};
}

TEST_F(SoundLoadingTest, CreatesTheAudioSystemWithItsTwoGroups)
{
    CreateAudioSystem(sound);
    ASSERT_NE(sound.Audio, nullptr);
    EXPECT_EQ(sound.Audio->GetVoiceCount(), 100u);
    ASSERT_NE(sound.gameGroup, nullptr);
    ASSERT_NE(sound.sfxGroup, nullptr);
    EXPECT_EQ(sound.gameGroup->GetName(), "gameGroup");
    EXPECT_EQ(sound.sfxGroup->GetName(), "sfxGroup");
    EXPECT_EQ(sound.gameGroup->GetVolume(), 1.0f);

    const std::shared_ptr<AudioSystem> first = sound.Audio;
    CreateAudioSystem(sound);
    EXPECT_EQ(sound.Audio, first) << "a second start keeps the running system";
}

TEST_F(SoundLoadingTest, GroupWordChoosesGroupAndTable)
{
    CreateAudioSystem(sound);
    struct Case
    {
        std::string id;
        bool loop;
        std::string group;
        AudioGroup* expectedGroup;
        std::size_t sfx;
        std::size_t bgm;
    };
    const std::vector<Case> cases = {
        {"Click9_false_SFX_", false, "SFX", sound.sfxGroup, 1, 0},
        {"BGM1_true_gameBGM_", true, "gameBGM", sound.gameGroup, 1, 1},
        {"Door_true_SFX.wav", true, "SFX.wav", nullptr, 1, 1},
        {"Click9_false_SFX_", false, "SFX", sound.sfxGroup, 2, 1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.id);
        std::unique_ptr<AudioSound> loaded = LoadSoundRecord(sound, c.id, File(c.id + ".wav"), c.loop, c.group);
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ(loaded->GetSoundGroup(), c.expectedGroup);
        EXPECT_EQ(loaded->Loops(), c.loop);
        EXPECT_EQ(loaded->FrameCount(), 960u) << "decoded to 48 kHz";
        EXPECT_EQ(sound.SfxTable.size(), c.sfx);
        EXPECT_EQ(sound.BgmTable.size(), c.bgm);
    }
    EXPECT_EQ(sound.SfxTable.back().id, "Click9_false_SFX_");
    EXPECT_TRUE(sound.SfxTable.back().channel.IsNull());
    EXPECT_EQ(sound.BgmTable.front().id, "BGM1_true_gameBGM_");
}

TEST_F(SoundLoadingTest, UnreadableFileOrNoAudioSystemFailsToCreateTheSound)
{
    const std::string good = File("Good_false_SFX_.wav");
    EXPECT_EQ(AssertMessageOf([&] { LoadSoundRecord(sound, "Good_false_SFX_", good, false, "SFX"); }),
              "Failed to create sound");

    CreateAudioSystem(sound);
    const std::string bad = folder.WriteBytes("Bad_false_SFX_.wav", "not a sound at all");
    EXPECT_EQ(AssertMessageOf([&] { LoadSoundRecord(sound, "Bad_false_SFX_", bad, false, "SFX"); }),
              "Failed to create sound");
    EXPECT_EQ(AssertMessageOf([&] { LoadSoundRecord(sound, "Gone_false_SFX_", folder.PathOf("gone.ogg"), false, "SFX"); }),
              "Failed to create sound");
    EXPECT_TRUE(sound.SfxTable.empty()) << "a failed load adds no entry";
}

TEST_F(SoundLoadingTest, ReleaseWhenAudioNeverStartedDoesNothing)
{
    std::unique_ptr<AudioSound> none;
    ReleaseSound(none);
    ReleaseAudioSystem(sound);
    sound.Exit();
    EXPECT_EQ(sound.Audio, nullptr);
}

TEST_F(SoundLoadingTest, ReleaseInEitherOrderStopsVoicesFirst)
{
    for (bool soundsFirst : {true, false})
    {
        SCOPED_TRACE(soundsFirst ? "sounds, then system" : "system, then sounds");
        sSoundSystem system;
        CreateAudioSystem(system);
        std::unique_ptr<AudioSound> loop = LoadSoundRecord(system, "L_true_SFX_", File("L_true_SFX_.wav"), true, "SFX");
        VoiceHandle voice = system.Audio->PlaySound(*loop, false);
        system.Audio->Mix(10);
        if (soundsFirst)
        {
            ReleaseSound(loop);
            EXPECT_EQ(loop, nullptr);
            EXPECT_FALSE(voice.IsPlaying());
            system.Audio->Mix(10);
            ReleaseAudioSystem(system);
        }
        else
        {
            ReleaseAudioSystem(system);
            EXPECT_FALSE(voice.IsPlaying());
            ReleaseSound(loop);
        }
        EXPECT_EQ(system.Audio, nullptr);
        ReleaseAudioSystem(system);
    }
}
