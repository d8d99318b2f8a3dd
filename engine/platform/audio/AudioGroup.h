#pragma once
#include <string>

class AudioSystem;

// A named set of sounds sharing a volume and a stop. Owned by its AudioSystem and valid as long
// as that object lives; once the system is released, volume changes only store the value and
// Stop finds nothing to stop.
class AudioGroup
{
public:
    AudioGroup(AudioSystem& owner, std::string name);
    AudioGroup(const AudioGroup&) = delete;
    AudioGroup& operator=(const AudioGroup&) = delete;

    const std::string& GetName() const { return name; }
    // Any value is taken as given (above 1 amplifies); the mix itself is clamped.
    void SetVolume(float value);
    float GetVolume() const { return volume; }
    // Ends every voice whose sound belongs to this group.
    void Stop();

private:
    AudioSystem& owner;
    std::string name;
    float volume = 1.0f;
};
