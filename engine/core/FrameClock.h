#pragma once

class Coordinator;

// Turns clock readings into each frame's delta time and its number of fixed simulation steps.
// A long frame is cut to MaxDelta, so after a stall the simulation runs one slow frame instead
// of catching up; the accumulator keeps what is less than one step for the next frame, so every
// frame runs 0, 1 or 2 steps.
class FrameClock
{
public:
    static constexpr float MaxDelta = 0.02f;
    // The accumulator is a double but is compared with and reduced by this float widened to
    // double, so that frames of exactly this length run exactly one step each.
    static constexpr float FixedStep = 1.0f / 60.0f;

    // Measures the frame that ends at `now` (seconds) and writes the coordinator's DeltaTime,
    // StepCount and StepAccumulator. The first reading starts the clock: its delta is 0.
    void Tick(double now, Coordinator& coordinator);

private:
    double previousFrameTime = 0.0;
    bool started = false;
};
