#include "support/GeneratedAssets.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <regex>
#include <set>

namespace fs = std::filesystem;

namespace
{
struct Sound
{
    std::string id;
    fs::path path;
};

std::vector<Sound> ScanSounds(const fs::path& root)
{
    std::vector<Sound> sounds;
    for (const fs::path& folder : ScanListing(root / "Resources/audio"))
        for (const fs::path& file : ScanListing(folder))
            sounds.push_back({file.stem().string(), file});
    return sounds;
}

struct Pcm
{
    int rate = 0, channels = 0, format = 0;
    std::vector<float> samples;  // interleaved
};

Pcm Read(const fs::path& path)
{
    Pcm pcm;
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr)
        return pcm;
    pcm.rate = info.samplerate;
    pcm.channels = info.channels;
    pcm.format = info.format;
    pcm.samples.resize(static_cast<size_t>(info.frames) * info.channels);
    sf_readf_float(file, pcm.samples.data(), info.frames);
    sf_close(file);
    return pcm;
}
}

TEST(AssetgenSound, FileNamesAreSoundIds)
{
    const std::regex form("[A-Za-z0-9]+_(true|false)_(SFX|gameBGM)_");
    std::set<std::string> ids;
    for (const Sound& s : ScanSounds(SharedGeneratedAssets()))
    {
        EXPECT_TRUE(std::regex_match(s.id, form)) << s.path;
        EXPECT_EQ(s.path.extension(), ".wav") << s.path;
        EXPECT_TRUE(ids.insert(s.id).second) << "id twice: " << s.id;
    }
}

TEST(AssetgenSound, EveryIdTheGamePlaysExists)
{
    std::set<std::string> ids;
    for (const Sound& s : ScanSounds(SharedGeneratedAssets()))
        ids.insert(s.id);
    for (const char* id :
         {"Click9_false_SFX_", "Click1_false_SFX_", "BrushStroke_false_SFX_", "Sliding_false_SFX_",
          "SlidingReverse_false_SFX_", "Slam_false_SFX_", "Rifle_false_SFX_", "Pistol_false_SFX_",
          "ReloadRifle_false_SFX_", "PistolReload_false_SFX_", "EmptyGun_false_SFX_", "MedKit_false_SFX_",
          "Damage_false_SFX_", "PlayerDie_false_SFX_", "footsteps_false_SFX_", "ZombieGrunt_false_SFX_",
          "ZombieSplat_false_SFX_", "ChargerAlert_false_SFX_", "ChargerDeath_false_SFX_", "ChargerNearby_true_SFX_",
          "ChargerScream_false_SFX_", "SpitterAlert_false_SFX_", "SpitterNearby_true_SFX_", "SpitterScream_false_SFX_",
          "DoorKick_false_SFX_", "typing_false_SFX_", "screaming_false_SFX_", "BGM1_true_gameBGM_",
          "Ambient2_true_gameBGM_", "Ambient3_true_gameBGM_", "winbgm_true_gameBGM_"})
        EXPECT_TRUE(ids.count(id)) << id;
}

TEST(AssetgenSound, TheFrontEndsSoundsAreInTheFirstTen)
{
    std::vector<Sound> sounds = ScanSounds(SharedGeneratedAssets());
    ASSERT_GT(sounds.size(), 10u);
    std::set<std::string> firstTen;
    for (size_t i = 0; i < 10; ++i)
        firstTen.insert(sounds[i].id);
    for (const char* id : {"Click9_false_SFX_", "BGM1_true_gameBGM_", "Sliding_false_SFX_", "SlidingReverse_false_SFX_",
                           "Slam_false_SFX_"})
        EXPECT_TRUE(firstTen.count(id)) << id;
}

TEST(AssetgenSound, FilesAreSmallAudibleAndSeamless)
{
    for (const Sound& s : ScanSounds(SharedGeneratedAssets()))
    {
        SCOPED_TRACE(s.id);
        Pcm pcm = Read(s.path);
        ASSERT_EQ(pcm.rate, 48000);
        ASSERT_TRUE(pcm.channels == 1 || pcm.channels == 2);
        EXPECT_EQ(pcm.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
        size_t frames = pcm.samples.size() / pcm.channels;
        float seconds = static_cast<float>(frames) / pcm.rate;
        bool loop = s.id.find("_true_") != std::string::npos;
        bool music = s.id.find("_gameBGM_") != std::string::npos;
        EXPECT_LE(seconds, music ? 20.5f : 5.0f);
        EXPECT_GE(seconds, music ? 2.0f : 0.05f);
        if (music)
        {
            EXPECT_TRUE(loop) << "music loops";
        }
        for (int c = 0; c < pcm.channels; ++c)
        {
            float peak = 0;
            std::vector<float> steps;
            for (size_t i = 0; i < frames; ++i)
            {
                float v = pcm.samples[i * pcm.channels + c];
                peak = std::max(peak, std::fabs(v));
                if (i > 0)
                    steps.push_back(std::fabs(v - pcm.samples[(i - 1) * pcm.channels + c]));
            }
            EXPECT_GT(peak, 0.1f) << "channel " << c << " is (nearly) silent";
            float first = pcm.samples[c], last = pcm.samples[(frames - 1) * pcm.channels + c];
            if (loop)
            {
                // Played again from the start, the last sample must lead into the first as any
                // sample leads into the next: no step larger than the sound's own.
                std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
                float typical = steps[steps.size() * 99 / 100];
                EXPECT_LE(std::fabs(last - first), std::max(typical, 0.002f)) << "loop seam on channel " << c;
                EXPECT_LE(std::fabs(last - first), 0.02f) << "loop seam on channel " << c;
            }
            else
            {
                EXPECT_LE(std::fabs(first), 0.002f) << "an effect starts at silence";
                EXPECT_LE(std::fabs(last), 0.002f) << "an effect ends at silence";
            }
        }
    }
}
