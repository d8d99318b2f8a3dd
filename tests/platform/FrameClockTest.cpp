#include "engine/core/Coordinator.h"
#include "engine/core/FrameClock.h"

#include <gtest/gtest.h>
#include <vector>

namespace
{
// A clock and a coordinator; the first reading (at 0 s) starts the clock.
struct FrameClockTest : testing::Test
{
    Coordinator coordinator;
    FrameClock clock;
    double now = 0.0;

    void SetUp() override { clock.Tick(now, coordinator); }

    // Runs one frame of the given length and returns its step count.
    int Frame(double seconds)
    {
        now += seconds;
        clock.Tick(now, coordinator);
        return coordinator.StepCount;
    }
};
}

TEST(FrameClock, FirstFrameMeasuresFromItself)
{
    Coordinator coordinator;
    EXPECT_FLOAT_EQ(coordinator.DeltaTime, 1.0f / 60.0f);
    EXPECT_EQ(coordinator.StepAccumulator, 0.0);

    FrameClock clock;
    clock.Tick(1234.5, coordinator);
    EXPECT_EQ(coordinator.DeltaTime, 0.0f);
    EXPECT_EQ(coordinator.StepCount, 0);
    EXPECT_EQ(coordinator.StepAccumulator, 0.0);
}

TEST_F(FrameClockTest, QuarterFramesCarryTheRemainder)
{
    std::vector<int> steps;
    for (int i = 0; i < 4; ++i)
        steps.push_back(Frame(0.0125));
    EXPECT_EQ(steps, (std::vector<int>{0, 1, 1, 0}));
}

TEST_F(FrameClockTest, StallIsOneClampedFrame)
{
    EXPECT_EQ(Frame(0.5), 1);
    EXPECT_EQ(coordinator.DeltaTime, 0.02f);
    EXPECT_NEAR(coordinator.StepAccumulator, 0.02 - 1.0 / 60.0, 1e-6);
}

TEST_F(FrameClockTest, SlowFramesTakeADoubleStepEveryFifthOrSixth)
{
    int lastDouble = 0;
    int doubles = 0;
    for (int frame = 1; frame <= 120; ++frame)
    {
        const int steps = Frame(0.02);
        EXPECT_EQ(coordinator.DeltaTime, 0.02f);
        ASSERT_TRUE(steps == 1 || steps == 2) << "frame " << frame;
        if (steps == 2)
        {
            const int gap = frame - lastDouble;
            EXPECT_TRUE(gap == 5 || gap == 6) << "frame " << frame << " after " << lastDouble;
            lastDouble = frame;
            ++doubles;
        }
        EXPECT_LT(coordinator.StepAccumulator, static_cast<double>(FrameClock::FixedStep));
    }
    EXPECT_GE(doubles, 20);
}

TEST_F(FrameClockTest, ExactFixedStepFramesRunOneStepEach)
{
    const double step = static_cast<double>(1.0f / 60.0f);
    for (int frame = 1; frame <= 600; ++frame)
        ASSERT_EQ(Frame(step), 1) << "frame " << frame;
    EXPECT_EQ(coordinator.DeltaTime, 1.0f / 60.0f);
}
