#include "engine/platform/audio/AudioMixer.h"

#include "engine/platform/audio/AudioFormat.h"
#include "engine/platform/audio/AudioGroup.h"
#include "engine/platform/audio/AudioSound.h"

#include <algorithm>

namespace
{
// The envelope's value at a clock: held before the first and after the last point, linear
// between neighbours. No points means full volume.
float FadeAt(const std::vector<FadePoint>& fades, std::uint64_t now)
{
    if (fades.empty())
        return 1.0f;
    if (now <= fades.front().clock)
        return fades.front().volume;
    if (now >= fades.back().clock)
        return fades.back().volume;
    std::size_t next = 1;
    while (fades[next].clock <= now)
        ++next;
    const FadePoint& a = fades[next - 1];
    const FadePoint& b = fades[next];
    const double along = static_cast<double>(now - a.clock) / static_cast<double>(b.clock - a.clock);
    return static_cast<float>(a.volume + (static_cast<double>(b.volume) - a.volume) * along);
}

// The ways a sound's frames are stored; each reads one frame as the stereo pair the mix adds.
struct FloatStereoFrames
{
    const float* data;
    void Read(std::uint64_t f, float& left, float& right) const
    {
        left = data[2 * f];
        right = data[2 * f + 1];
    }
};

struct FloatMonoFrames
{
    const float* data;
    void Read(std::uint64_t f, float& left, float& right) const { left = right = data[f]; }
};

struct Pcm16StereoFrames
{
    const std::int16_t* data;
    void Read(std::uint64_t f, float& left, float& right) const
    {
        left = Pcm16ToFloat(data[2 * f]);
        right = Pcm16ToFloat(data[2 * f + 1]);
    }
};

struct Pcm16MonoFrames
{
    const std::int16_t* data;
    void Read(std::uint64_t f, float& left, float& right) const { left = right = Pcm16ToFloat(data[f]); }
};

// Adds `count` frames of the voice to `out`, starting at the mixer clock `clock`. Returns true
// when the voice has ended inside this block (stopped, or a one-shot past its last frame).
template <class Frames>
bool MixFrames(AudioVoice& voice, const Frames& frames, std::uint64_t length, bool loops, float groupVolume,
               std::uint64_t clock, float* out, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
    {
        const std::uint64_t now = clock + i;
        if (voice.hasStop && now >= voice.stopClock)
            return true;
        if (voice.paused)
            continue;
        if (voice.position >= length)  // a sound without frames ends as soon as it is mixed
            return true;
        const float gain = voice.volume * FadeAt(voice.fades, now) * groupVolume;
        float left = 0.0f;
        float right = 0.0f;
        frames.Read(voice.position, left, right);
        out[2 * i] += left * gain;
        out[2 * i + 1] += right * gain;
        if (++voice.position >= length)
        {
            if (!loops)
                return true;
            voice.position = 0;
        }
    }
    return false;
}
}

AudioMixer::AudioMixer(std::size_t voiceCount) : voices(voiceCount) {}

AudioVoice* AudioMixer::Find(VoiceId id)
{
    if (id.generation == 0 || id.slot >= voices.size())
        return nullptr;
    AudioVoice& voice = voices[id.slot];
    return voice.active && voice.generation == id.generation ? &voice : nullptr;
}

const AudioVoice* AudioMixer::Find(VoiceId id) const
{
    return const_cast<AudioMixer*>(this)->Find(id);
}

void AudioMixer::End(AudioVoice& voice)
{
    voice.active = false;
    voice.sound = nullptr;
    voice.fades.clear();
    voice.hasStop = false;
    voice.paused = false;
}

VoiceId AudioMixer::Start(const AudioSound& sound, bool paused)
{
    for (std::size_t slot = 0; slot < voices.size(); ++slot)
    {
        AudioVoice& voice = voices[slot];
        if (voice.active)
            continue;
        // Generation 0 is reserved for "no voice", so a wrapped counter skips it.
        if (++voice.generation == 0)
            voice.generation = 1;
        voice.sound = &sound;
        voice.position = 0;
        voice.fades.clear();
        voice.hasStop = false;
        voice.volume = 1.0f;
        voice.paused = paused;
        voice.active = true;
        return VoiceId{static_cast<std::uint32_t>(slot), voice.generation};
    }
    return VoiceId{};
}

bool AudioMixer::IsPlaying(VoiceId id) const
{
    return Find(id) != nullptr;
}

void AudioMixer::Stop(VoiceId id)
{
    if (AudioVoice* voice = Find(id))
        End(*voice);
}

void AudioMixer::SetPaused(VoiceId id, bool paused)
{
    if (AudioVoice* voice = Find(id))
        voice->paused = paused;
}

void AudioMixer::AddFadePoint(VoiceId id, std::uint64_t at, float volume)
{
    AudioVoice* voice = Find(id);
    if (voice == nullptr)
        return;
    auto place = std::lower_bound(voice->fades.begin(), voice->fades.end(), at,
                                  [](const FadePoint& point, std::uint64_t value) { return point.clock < value; });
    if (place != voice->fades.end() && place->clock == at)
        place->volume = volume;
    else
        voice->fades.insert(place, FadePoint{at, volume});
}

void AudioMixer::StopAt(VoiceId id, std::uint64_t at)
{
    if (AudioVoice* voice = Find(id))
    {
        voice->hasStop = true;
        voice->stopClock = at;
    }
}

float AudioMixer::GetVolume(VoiceId id) const
{
    const AudioVoice* voice = Find(id);
    return voice != nullptr ? voice->volume : 0.0f;
}

void AudioMixer::StopGroup(const AudioGroup* group)
{
    for (AudioVoice& voice : voices)
        if (voice.active && voice.sound->GetSoundGroup() == group)
            End(voice);
}

void AudioMixer::StopSound(const AudioSound* sound)
{
    for (AudioVoice& voice : voices)
        if (voice.active && voice.sound == sound)
            End(voice);
}

void AudioMixer::StopAll()
{
    for (AudioVoice& voice : voices)
        if (voice.active)
            End(voice);
}

std::size_t AudioMixer::PlayingCount() const
{
    return static_cast<std::size_t>(
        std::count_if(voices.begin(), voices.end(), [](const AudioVoice& voice) { return voice.active; }));
}

void AudioMixer::MixVoice(AudioVoice& voice, float* out, std::size_t frames)
{
    const AudioSound& sound = *voice.sound;
    const SoundSamples& samples = sound.Samples();
    const std::uint64_t length = sound.FrameCount();
    const AudioGroup* group = sound.GetSoundGroup();
    const float groupVolume = group != nullptr ? group->GetVolume() : 1.0f;
    const bool loops = sound.Loops();
    const bool mono = samples.Channels() == 1;
    bool ended = false;
    if (samples.IsPcm16() && mono)
        ended = MixFrames(voice, Pcm16MonoFrames{samples.Pcm16Data()}, length, loops, groupVolume, clock, out, frames);
    else if (samples.IsPcm16())
        ended = MixFrames(voice, Pcm16StereoFrames{samples.Pcm16Data()}, length, loops, groupVolume, clock, out, frames);
    else if (mono)
        ended = MixFrames(voice, FloatMonoFrames{samples.FloatData()}, length, loops, groupVolume, clock, out, frames);
    else
        ended = MixFrames(voice, FloatStereoFrames{samples.FloatData()}, length, loops, groupVolume, clock, out, frames);
    if (ended)
        return End(voice);
    // A stop due exactly at the end of this block ends the voice now, so it reads as ended.
    if (voice.hasStop && clock + frames >= voice.stopClock)
        End(voice);
}

void AudioMixer::MixInto(float* out, std::size_t frames)
{
    std::fill(out, out + frames * AudioFormat::OutputChannels, 0.0f);
    for (AudioVoice& voice : voices)
        if (voice.active)
            MixVoice(voice, out, frames);
    // Voice and group volumes may exceed 1 and voices add up; only the sum is bounded.
    for (std::size_t i = 0; i < frames * AudioFormat::OutputChannels; ++i)
        out[i] = std::clamp(out[i], -1.0f, 1.0f);
    clock += frames;
}

std::span<const float> AudioMixer::Mix(std::size_t frames)
{
    scratch.resize(frames * AudioFormat::OutputChannels);
    MixInto(scratch.data(), frames);
    return {scratch.data(), scratch.size()};
}
