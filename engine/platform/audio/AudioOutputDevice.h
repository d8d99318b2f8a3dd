#pragma once

// Where the mixer's output goes. A real device pulls the mix from its own thread and guards the
// mixer with its lock; a device without a sound card runs on the game thread.
class AudioOutputDevice
{
public:
    virtual ~AudioOutputDevice() = default;

    virtual bool IsReal() const = 0;
    // Held by the game thread around every touch of the mixer, so the device never mixes
    // half-changed voices.
    virtual void Lock() {}
    virtual void Unlock() {}
    // Called once per game frame; a device without a sound card keeps the clock running here.
    virtual void Pump() {}
};
