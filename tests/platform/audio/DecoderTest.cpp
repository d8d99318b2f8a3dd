#include "engine/platform/audio/AudioDecoding.h"
#include "engine/platform/audio/AudioSystem.h"
#include "support/SoundFiles.h"

#include <sndfile.h>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace
{
struct DecoderTest : testing::Test
{
    SoundFiles::Folder folder;

    std::vector<float> Decode(const std::string& path, bool loop = false)
    {
        std::vector<float> stereo;
        std::string error;
        EXPECT_TRUE(DecodeAudioFile(path, loop, stereo, error)) << error;
        return stereo;
    }
};

std::vector<float> Sine(std::size_t frames, int channels, int rate, double hertz, float amplitude)
{
    std::vector<float> samples;
    for (std::size_t i = 0; i < frames; ++i)
    {
        const double t = static_cast<double>(i) / rate;
        for (int c = 0; c < channels; ++c)
            samples.push_back(amplitude * static_cast<float>(std::sin(2.0 * std::numbers::pi * hertz * t)));
    }
    return samples;
}
}

TEST_F(DecoderTest, StereoWavAtOutputRateIsReadExactly)
{
    const std::vector<float> written = {0.5f, -0.5f, 0.25f, -0.25f, 0.125f, 1.0f};
    const std::string path = folder.Write("a.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, 48000, written);
    EXPECT_EQ(Decode(path), written);
}

TEST_F(DecoderTest, MonoIsDoubledAndHalfRateIsInterpolated)
{
    // 24 kHz mono 16-bit: every source frame becomes two output frames, the second halfway to
    // the next source frame.
    const std::string path = folder.Write("m.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 24000, {0.5f, 0.25f, -0.5f});
    EXPECT_EQ(Decode(path, false),
              (std::vector<float>{0.5f, 0.5f, 0.375f, 0.375f, 0.25f, 0.25f, -0.125f, -0.125f, -0.5f, -0.5f,
                                  -0.5f, -0.5f}))
        << "a one-shot holds its last frame";
    EXPECT_EQ(Decode(path, true),
              (std::vector<float>{0.5f, 0.5f, 0.375f, 0.375f, 0.25f, 0.25f, -0.125f, -0.125f, -0.5f, -0.5f, 0.0f,
                                  0.0f}))
        << "a loop leans its last frame towards its first";
}

TEST_F(DecoderTest, OtherRatesAndChannelCountsReachTheOutputFormat)
{
    struct Case
    {
        int rate;
        int channels;
        std::size_t frames;
        std::size_t expectedFrames;
    };
    for (const Case& c : {Case{44100, 2, 44100, 48000}, Case{22050, 1, 2205, 4800}, Case{96000, 4, 960, 480},
                          Case{8000, 1, 1, 6}})
    {
        SCOPED_TRACE(c.rate);
        std::vector<float> samples(c.frames * static_cast<std::size_t>(c.channels), 0.25f);
        const std::string path = folder.Write("r" + std::to_string(c.rate) + ".wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT,
                                              c.channels, c.rate, samples);
        const std::vector<float> stereo = Decode(path);
        ASSERT_EQ(stereo.size(), c.expectedFrames * 2);
        for (float value : stereo)
            ASSERT_EQ(value, 0.25f) << "a constant stays constant through resampling";
    }
}

TEST_F(DecoderTest, OggVorbisDecodesToTheSameTone)
{
    const std::vector<float> tone = Sine(4800, 2, 48000, 440.0, 0.5f);
    const std::string path = folder.Write("tone.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 2, 48000, tone);
    const std::vector<float> stereo = Decode(path, true);
    ASSERT_EQ(stereo.size(), tone.size());
    // Lossy, but close to the written tone in the middle of the file.
    double error = 0.0;
    for (std::size_t i = 1000; i < 8000; ++i)
        error = std::max(error, static_cast<double>(std::fabs(stereo[i] - tone[i])));
    EXPECT_LT(error, 0.05);
}

TEST_F(DecoderTest, DamagedOrMissingFilesFailClearly)
{
    struct Case
    {
        const char* name;
        std::string path;
    };
    const std::vector<Case> cases = {
        {"garbage", folder.WriteBytes("garbage.wav", "RIFF\x10\x00\x00\x00WAVEjunkjunkjunk")},
        {"empty", folder.WriteBytes("empty.ogg", "")},
        {"text", folder.WriteBytes("text.ogg", "OggS but not really an ogg stream")},
        {"missing", folder.PathOf("missing.wav")},
        {"folder", folder.PathOf("")},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        std::vector<float> stereo = {1.0f};
        std::string error;
        EXPECT_FALSE(DecodeAudioFile(c.path, false, stereo, error));
        EXPECT_NE(error.find(c.path), std::string::npos) << error;
        EXPECT_EQ(stereo, std::vector<float>{1.0f}) << "nothing is written on failure";

        auto audio = AudioSystem::Create(1, AudioOutputMode::Manual);
        std::string reason;
        EXPECT_EQ(audio->CreateSound(c.path, false, reason), nullptr);
        EXPECT_FALSE(reason.empty());
    }
}

TEST_F(DecoderTest, TruncatedFileKeepsWhatCouldBeRead)
{
    const std::string path =
        folder.Write("long.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 48000, std::vector<float>(2000 * 2, 0.5f));
    std::filesystem::resize_file(path, 44 + 100 * 4);  // header plus 100 frames
    const std::vector<float> stereo = Decode(path);
    EXPECT_EQ(stereo.size(), 200u);
}

namespace
{
std::string LittleEndian(std::uint32_t value, int bytes)
{
    std::string text;
    for (int i = 0; i < bytes; ++i)
        text.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return text;
}

// A 16-bit stereo 48 kHz WAV header whose data chunk claims `dataBytes`, followed by `data`.
std::string WavClaiming(std::uint32_t dataBytes, const std::string& data)
{
    return "RIFF" + LittleEndian(36 + static_cast<std::uint32_t>(data.size()), 4) + "WAVEfmt " + LittleEndian(16, 4) +
           LittleEndian(1, 2) + LittleEndian(2, 2) + LittleEndian(48000, 4) + LittleEndian(192000, 4) +
           LittleEndian(4, 2) + LittleEndian(16, 2) + "data" + LittleEndian(dataBytes, 4) + data;
}
}

TEST_F(DecoderTest, HostileFilesFailWithTheirReasonInsteadOfGrowingWithoutBound)
{
    struct Case
    {
        const char* name;
        std::string path;
        const char* reason;
    };
    const std::vector<Case> cases = {
        // Resampled to the output rate, one frame a second would become hours of audio.
        {"1 Hz", folder.Write("slow.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 1, 1, std::vector<float>(60, 0.5f)),
         "sample rate 1 Hz is below 8000 Hz"},
        {"7999 Hz", folder.Write("low.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 7999, std::vector<float>(60, 0.5f)),
         "below 8000 Hz"},
        {"billions of frames claimed, none there", folder.WriteBytes("claims.wav", WavClaiming(0xFFFFFFF0u, "")),
         "holds no sound frames"},
        {"no frames", folder.Write("none.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 48000, {}), "holds no sound frames"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        std::vector<float> stereo;
        std::string error;
        EXPECT_FALSE(DecodeAudioFile(c.path, false, stereo, error));
        EXPECT_NE(error.find(c.path), std::string::npos) << error;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
    // The lowest accepted rate still decodes, and a few frames after a header claiming billions
    // are all there is.
    EXPECT_EQ(Decode(folder.Write("floor.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 8000, std::vector<float>(80, 0.5f)))
                  .size(),
              480u * 2);
    EXPECT_EQ(Decode(folder.WriteBytes("few.wav", WavClaiming(0xFFFFFFF0u, std::string(4 * 10, '\x01')))).size(), 20u);
}
