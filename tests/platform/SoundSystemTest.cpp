#include "engine/core/Coordinator.h"
#include "engine/platform/SoundLoading.h"
#include "engine/platform/sSoundSystem.h"
#include "support/AssertCapture.h"
#include "support/SoundFiles.h"

#include <sndfile.h>

#include <gtest/gtest.h>

#include <map>

namespace
{
constexpr std::uint64_t Second = 48000;

// A sound system on the hand-stepped mixer, with sounds loaded from real files and looked up
// by id the way the resource store does.
struct SoundSystemTest : testing::Test
{
    Coordinator coordinator;
    sSoundSystem sound;
    SoundFiles::Folder folder;
    std::map<std::string, std::unique_ptr<AudioSound>> sounds;

    void SetUp() override
    {
        CreateAudioSystem(sound);
        ASSERT_FALSE(sound.Audio->HasRealDevice());
        sound.FindSound = [this](const std::string& id) -> AudioSound* {
            auto found = sounds.find(id);
            return found == sounds.end() ? nullptr : found->second.get();
        };
    }

    // A sound of constant left and right values; the group word and loop flag are the file's.
    void Load(const std::string& id, bool loop, const std::string& group, float left, float right,
              std::size_t frames = 4800)
    {
        const std::string path =
            folder.Write(id + ".wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, 48000, SoundFiles::Constant(frames, left, right));
        sounds[id] = LoadSoundRecord(sound, id, path, loop, group);
    }

    std::span<const float> Mix(std::uint64_t frames) { return sound.Audio->Mix(static_cast<std::size_t>(frames)); }
    float LeftAfter(std::uint64_t frames)
    {
        if (frames > 0)
            Mix(frames);
        return Mix(1)[0];
    }
    float NextLeft() { return Mix(1)[0]; }
};
}

TEST_F(SoundSystemTest, OverlappingEffectsAndStopSfxStopsOnlyTheLatest)
{
    Load("Click9_false_SFX_", false, "SFX", 0.25f, 0.25f);
    VoiceHandle first = sound.PlaySfx("Click9_false_SFX_", coordinator);
    Mix(10);
    VoiceHandle second = sound.PlaySfx("Click9_false_SFX_", coordinator);
    EXPECT_TRUE(first.IsPlaying());
    EXPECT_TRUE(second.IsPlaying());
    EXPECT_EQ(NextLeft(), 0.5f) << "two copies overlap";

    sound.StopSfx("Click9_false_SFX_");
    EXPECT_TRUE(first.IsPlaying());
    EXPECT_FALSE(second.IsPlaying());
    EXPECT_EQ(NextLeft(), 0.25f);

    sound.StopSfx("Click9_false_SFX_", first);
    EXPECT_FALSE(first.IsPlaying());
}

TEST_F(SoundSystemTest, UnknownIdsPlayNothingButAMissingSoundAsserts)
{
    Load("Door_false_SFX_", false, "SFX", 0.25f, 0.25f);
    EXPECT_TRUE(sound.PlaySfx("Nope_false_SFX_", coordinator).IsNull());
    EXPECT_TRUE(sound.PlaySfxIfNotPlaying("Nope_false_SFX_", coordinator).IsNull());
    EXPECT_TRUE(sound.RestartSfxWithFade("Nope_false_SFX_", coordinator).IsNull());
    sound.StopSfx("Nope_false_SFX_");
    EXPECT_FALSE(sound.IsBgmPlaying("Nope_true_gameBGM_"));
    EXPECT_EQ(sound.Audio->PlayingVoiceCount(), 0u);

    // In the table, but not among the loaded sounds.
    sound.SfxTable.push_back({"Ghost_false_SFX_", {}});
    EXPECT_EQ(AssertMessageOf([&] { sound.PlaySfx("Ghost_false_SFX_", coordinator); }), "Failed to get audio");
    sound.FindSound = nullptr;
    EXPECT_EQ(AssertMessageOf([&] { sound.PlaySfx("Door_false_SFX_", coordinator); }), "Failed to get audio");
}

TEST_F(SoundSystemTest, PlaySfxIfNotPlayingWaitsForTheLatestPlayToEnd)
{
    Load("Slam_false_SFX_", false, "SFX", 0.25f, 0.25f, 100);
    VoiceHandle first = sound.PlaySfxIfNotPlaying("Slam_false_SFX_", coordinator);
    EXPECT_TRUE(first.IsPlaying());
    Mix(50);
    EXPECT_EQ(sound.PlaySfxIfNotPlaying("Slam_false_SFX_", coordinator), first);
    EXPECT_EQ(sound.Audio->PlayingVoiceCount(), 1u);
    Mix(50);
    VoiceHandle again = sound.PlaySfxIfNotPlaying("Slam_false_SFX_", coordinator);
    EXPECT_FALSE(again == first);
    EXPECT_TRUE(again.IsPlaying());
}

TEST_F(SoundSystemTest, RestartSfxWithFadeFadesTheOldPlayOutAndTheNewOneIn)
{
    Load("ChargerNearby_true_SFX_", true, "SFX", 0.5f, 0.5f, 480);

    // Not playing: it simply starts, rising from silence over one second.
    VoiceHandle first = sound.RestartSfxWithFade("ChargerNearby_true_SFX_", coordinator);
    EXPECT_EQ(NextLeft(), 0.0f);
    EXPECT_EQ(LeftAfter(Second / 2 - 1), 0.25f);
    Mix(Second / 2 - 1);
    EXPECT_EQ(NextLeft(), 0.5f);
    ASSERT_EQ(sound.Audio->GetClock(), Second + 1);

    // Playing: the old play drops to half at once and is gone a quarter second later; the new
    // one rises over a second.
    VoiceHandle second = sound.RestartSfxWithFade("ChargerNearby_true_SFX_", coordinator);
    EXPECT_FALSE(second == first);
    EXPECT_EQ(NextLeft(), 0.25f) << "old at half, new at zero";
    EXPECT_EQ(LeftAfter(Second / 8 - 1), 0.5f * 0.25f + 0.5f * 0.125f);
    Mix(Second / 8 - 1);
    EXPECT_FALSE(first.IsPlaying());
    EXPECT_TRUE(second.IsPlaying());
    EXPECT_EQ(NextLeft(), 0.5f * 0.25f) << "only the new play, a quarter of the way up";
    EXPECT_EQ(sound.Audio->PlayingVoiceCount(), 1u);
}

TEST_F(SoundSystemTest, PlayBgmCrossFadesOverOneSecond)
{
    Load("BGM1_true_gameBGM_", true, "gameBGM", 0.5f, 0.0f, 480);
    Load("winbgm_true_gameBGM_", true, "gameBGM", 0.0f, 0.5f, 480);
    sound.PlayBgm("BGM1_true_gameBGM_", coordinator);
    EXPECT_TRUE(sound.IsBgmPlaying("BGM1_true_gameBGM_"));
    EXPECT_EQ(NextLeft(), 0.0f);
    Mix(Second);

    sound.PlayBgm("winbgm_true_gameBGM_", coordinator);
    struct Point
    {
        std::uint64_t at;
        float left;
        float right;
    };
    std::uint64_t mixed = 0;
    for (const Point& p : {Point{0, 0.5f, 0.0f}, Point{Second / 4, 0.375f, 0.125f}, Point{Second / 2, 0.25f, 0.25f},
                           Point{Second - 1, 0.5f / Second, 0.5f - 0.5f / Second}})
    {
        Mix(p.at - mixed);
        std::span<const float> frame = Mix(1);
        mixed = p.at + 1;
        EXPECT_FLOAT_EQ(frame[0], p.left) << p.at;
        EXPECT_FLOAT_EQ(frame[1], p.right) << p.at;
    }
    EXPECT_FALSE(sound.IsBgmPlaying("BGM1_true_gameBGM_")) << "the old track has ended";
    EXPECT_TRUE(sound.IsBgmPlaying("winbgm_true_gameBGM_"));
    std::span<const float> frame = Mix(1);
    EXPECT_EQ(frame[0], 0.0f);
    EXPECT_EQ(frame[1], 0.5f);
}

TEST_F(SoundSystemTest, PlayBgmOfTheRunningTrackStartsASecondCopy)
{
    Load("BGM1_true_gameBGM_", true, "gameBGM", 0.25f, 0.0f, 480);
    sound.PlayBgm("BGM1_true_gameBGM_", coordinator);
    Mix(Second);
    sound.PlayBgm("BGM1_true_gameBGM_", coordinator);
    EXPECT_EQ(sound.Audio->PlayingVoiceCount(), 2u);
    EXPECT_EQ(LeftAfter(Second / 2), 0.25f + 0.125f);

    // An id that is not music only fades the playing tracks out: the latest copy here.
    sound.PlayBgm("Nothing_true_gameBGM_", coordinator);
    Mix(Second);
    EXPECT_FALSE(sound.IsBgmPlaying("BGM1_true_gameBGM_"));
    EXPECT_EQ(sound.Audio->PlayingVoiceCount(), 1u);
}

TEST_F(SoundSystemTest, MuteAndUnmuteByUserAndByFocus)
{
    enum Step
    {
        UserMute,
        UserUnmute,
        FocusLost,
        FocusBack,
    };
    struct Case
    {
        const char* name;
        float master;
        std::vector<Step> steps;
        bool muted;
        bool mutedByUser;
        float masterAfter;
    };
    const std::vector<Case> cases = {
        {"user mute", 0.5f, {UserMute}, true, true, 0.0f},
        {"user mute and unmute restores the master", 0.5f, {UserMute, UserUnmute}, false, false, 0.5f},
        {"focus loss mutes", 0.5f, {FocusLost}, true, false, 0.0f},
        {"focus return restores", 0.5f, {FocusLost, FocusBack}, false, false, 0.5f},
        {"the user's mute survives focus changes", 0.5f, {UserMute, FocusLost, FocusBack}, true, true, 0.0f},
        {"a user mute on a focus mute changes nothing", 0.5f, {FocusLost, UserMute}, true, false, 0.0f},
        {"...so the focus return unmutes", 0.5f, {FocusLost, UserMute, FocusBack}, false, false, 0.5f},
        {"the user may end a focus mute", 0.5f, {FocusLost, UserUnmute}, false, false, 0.5f},
        {"a master of 0 is never remembered", 0.0f, {UserMute, UserUnmute}, false, false, 1.0f},
        {"unmute without a mute still restores", 0.5f, {UserUnmute}, false, false, 1.0f},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        sSoundSystem system;
        CreateAudioSystem(system);
        system.SetMusicVolume(0.5f);
        system.SetEffectsVolume(0.25f);
        system.SetMasterVolume(c.master);
        for (Step step : c.steps)
        {
            if (step == UserMute)
                system.Mute(true);
            else if (step == UserUnmute)
                system.Unmute(true);
            else if (step == FocusLost)
                system.Mute(false);
            else
                system.Unmute(false);
        }
        EXPECT_EQ(system.Muted, c.muted);
        EXPECT_EQ(system.MutedByUser, c.mutedByUser);
        EXPECT_EQ(system.MasterVolume, c.masterAfter);
        EXPECT_EQ(system.gameGroup->GetVolume(), c.masterAfter * 0.5f);
        EXPECT_EQ(system.sfxGroup->GetVolume(), c.masterAfter * 0.25f);
    }
}

TEST_F(SoundSystemTest, UnmuteSetsVolumesRestoredUnlessRefused)
{
    sound.Mute(true);
    sound.Unmute(false);
    EXPECT_FALSE(sound.VolumesRestored) << "a focus return does not undo the user's mute";
    sound.Unmute(true);
    EXPECT_TRUE(sound.VolumesRestored);
    sound.Mute(false);
    sound.Unmute(false);
    EXPECT_TRUE(sound.VolumesRestored);
}

TEST_F(SoundSystemTest, GroupVolumesAreProductsOfTheSettings)
{
    sound.SetMasterVolume(0.5f);
    sound.SetMusicVolume(0.75f);
    sound.SetEffectsVolume(0.25f);
    EXPECT_EQ(sound.gameGroup->GetVolume(), 0.375f);
    EXPECT_EQ(sound.sfxGroup->GetVolume(), 0.125f);
    sound.SetMasterVolume(2.0f);  // not clamped
    EXPECT_EQ(sound.gameGroup->GetVolume(), 1.5f);
    EXPECT_EQ(sound.sfxGroup->GetVolume(), 0.5f);

    // The product reaches the mix.
    Load("Shot_false_SFX_", false, "SFX", 0.5f, 0.5f);
    sound.SetMasterVolume(0.5f);
    sound.PlaySfx("Shot_false_SFX_", coordinator);
    EXPECT_EQ(NextLeft(), 0.5f * 0.125f);
}

TEST_F(SoundSystemTest, SettingsBeforeTheGroupsExistWaitForInit)
{
    sSoundSystem early;
    early.SetMasterVolume(0.5f);
    early.SetMusicVolume(0.5f);
    early.SetEffectsVolume(0.25f);
    early.Mute(false);
    early.Unmute(false);
    EXPECT_EQ(early.MasterVolume, 0.5f);
    EXPECT_EQ(early.MusicVolume, 0.5f);
    EXPECT_EQ(early.EffectsVolume, 0.25f);

    CreateAudioSystem(early);
    EXPECT_EQ(early.gameGroup->GetVolume(), 1.0f);
    early.Init(coordinator);
    EXPECT_EQ(early.gameGroup->GetVolume(), 0.25f);
    EXPECT_EQ(early.sfxGroup->GetVolume(), 0.125f);

    // A start muted by the settings file is a user mute.
    sSoundSystem muted;
    muted.SetMasterVolume(0.5f);
    muted.StartMuted = true;
    CreateAudioSystem(muted);
    muted.Init(coordinator);
    EXPECT_TRUE(muted.Muted);
    EXPECT_TRUE(muted.MutedByUser);
    EXPECT_EQ(muted.gameGroup->GetVolume(), 0.0f);
    EXPECT_EQ(muted.sfxGroup->GetVolume(), 0.0f);
    muted.Unmute(true);
    EXPECT_EQ(muted.MasterVolume, 0.5f);
}

TEST_F(SoundSystemTest, SceneSwapStopsEffectsButNotMusic)
{
    Load("Shot_false_SFX_", false, "SFX", 0.25f, 0.25f);
    Load("Loop_true_SFX_", true, "SFX", 0.25f, 0.25f);
    Load("BGM1_true_gameBGM_", true, "gameBGM", 0.25f, 0.25f);
    VoiceHandle shot = sound.PlaySfx("Shot_false_SFX_", coordinator);
    VoiceHandle loop = sound.PlaySfx("Loop_true_SFX_", coordinator);
    sound.PlayBgm("BGM1_true_gameBGM_", coordinator);
    sound.entities.insert(3);
    sound.ClearEntities();
    EXPECT_TRUE(sound.entities.empty());
    EXPECT_FALSE(shot.IsPlaying());
    EXPECT_FALSE(loop.IsPlaying());
    EXPECT_TRUE(sound.IsBgmPlaying("BGM1_true_gameBGM_"));
}

TEST_F(SoundSystemTest, KeptChannelOfAnEndedEffectCannotStopItsVoicesNextSound)
{
    // A zombie keeps the channel of its nearby loop and stops it later; by then the scene swap
    // has ended the loop and its voice carries another effect.
    Load("ChargerNearby_true_SFX_", true, "SFX", 0.25f, 0.25f);
    Load("Shot_false_SFX_", false, "SFX", 0.5f, 0.5f);
    VoiceHandle nearby = sound.RestartSfxWithFade("ChargerNearby_true_SFX_", coordinator);
    Mix(100);
    sound.ClearEntities();
    VoiceHandle shot = sound.PlaySfx("Shot_false_SFX_", coordinator);
    ASSERT_EQ(sound.Audio->PlayingVoiceCount(), 1u);

    sound.StopSfx("ChargerNearby_true_SFX_", nearby);
    EXPECT_TRUE(shot.IsPlaying());
    EXPECT_EQ(NextLeft(), 0.5f);
}

TEST_F(SoundSystemTest, SoundGroupsByName)
{
    EXPECT_EQ(sound.GetSoundGroup("gameGroup")->GetName(), "gameGroup");
    EXPECT_EQ(sound.GetSoundGroup("sfxGroup")->GetName(), "sfxGroup");
    EXPECT_EQ(sound.GetSoundGroupSlot("sfxGroup"), &sound.sfxGroup);
    EXPECT_EQ(AssertMessageOf([&] { sound.GetSoundGroup("musicGroup"); }), "Trying to get non existing sound group");
    EXPECT_EQ(AssertMessageOf([&] { sound.GetSoundGroupSlot(""); }), "Trying to get non existing sound group");
}

TEST_F(SoundSystemTest, ExitReleasesTheAudioAndLeavesKeptHandlesInert)
{
    Load("Loop_true_SFX_", true, "SFX", 0.25f, 0.25f);
    VoiceHandle kept = sound.PlaySfx("Loop_true_SFX_", coordinator);
    sound.Update(coordinator);
    sound.Exit();
    EXPECT_EQ(sound.Audio, nullptr);
    EXPECT_EQ(sound.gameGroup, nullptr);
    EXPECT_EQ(sound.sfxGroup, nullptr);
    EXPECT_FALSE(kept.IsPlaying());
    sound.StopSfx("Loop_true_SFX_", kept);
    sound.StopSfx("Loop_true_SFX_");
    EXPECT_TRUE(sound.PlaySfx("Loop_true_SFX_", coordinator).IsNull());
    sound.SetMasterVolume(0.5f);
    sound.ClearEntities();
    sound.Update(coordinator);
    sound.Exit();
    sounds.clear();  // sounds released after the system: nothing to reach
}
