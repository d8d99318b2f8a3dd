#include "engine/platform/AssetDecodeQueue.h"
#include "support/TempWorkingFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
std::string Image(int index)
{
    return "Resources/images/G/S/img" + std::to_string(index) + ".png";
}
}

// Results come back whole, whichever thread decoded them and in whatever order they are taken.
TEST(AssetDecodeQueue, ResultsAreTakenOnceAndMatchTheFiles)
{
    TempWorkingFolder folder;
    for (int i = 0; i < 12; ++i)
        TempWorkingFolder::WritePng(Image(i), 3 + i, 2, 0xFF0000FFu);
    TempWorkingFolder::WriteSound("Resources/audio/Fx/s_false_SFX_.wav");

    for (std::size_t workers : {1u, 4u})
    {
        SCOPED_TRACE(workers);
        AssetDecodeQueue queue(workers);
        for (int i = 0; i < 12; ++i)
            queue.RequestImage(Image(i));
        queue.RequestImage(Image(0)); // asked twice: decoded once
        queue.RequestImage("Resources/images/G/S/missing.png");
        queue.RequestSound("Resources/audio/Fx/s_false_SFX_.wav", true);
        EXPECT_EQ(queue.Outstanding(), 14u);

        // Out of order: the last first, which no worker may have reached yet.
        for (int i : {11, 0, 5, 1, 2, 3, 4, 6, 7, 8, 9, 10})
        {
            std::optional<DecodedImage> image = queue.TakeImage(Image(i));
            ASSERT_TRUE(image.has_value()) << i;
            ASSERT_NE(image->pixels, nullptr);
            EXPECT_EQ(image->width, 3 + i);
            EXPECT_EQ(image->height, 2);
            EXPECT_EQ(image->pixels.get()[0], 0xFF) << "red, as written";
            EXPECT_FALSE(queue.TakeImage(Image(i)).has_value()) << "taken once";
        }
        std::optional<DecodedImage> missing = queue.TakeImage("Resources/images/G/S/missing.png");
        ASSERT_TRUE(missing.has_value());
        EXPECT_EQ(missing->pixels, nullptr);
        EXPECT_EQ(missing->width, 0);

        EXPECT_FALSE(queue.TakeSound("Resources/audio/Fx/s_false_SFX_.wav", false).has_value())
            << "a looping decode does not stand in for a one-shot";
        std::optional<DecodedSound> sound = queue.TakeSound("Resources/audio/Fx/s_false_SFX_.wav", true);
        ASSERT_TRUE(sound.has_value());
        EXPECT_TRUE(sound->decoded) << sound->error;
        EXPECT_GT(sound->samples.FrameCount(), 0u);
        EXPECT_FALSE(queue.TakeImage("Resources/images/G/S/never.png").has_value()) << "never asked for";
        EXPECT_EQ(queue.Outstanding(), 0u);
    }
}

// Results nobody takes are dropped at the end of a stage, and the queue works again afterwards.
TEST(AssetDecodeQueue, FinishDropsWhatWasNotTaken)
{
    TempWorkingFolder folder;
    TempWorkingFolder::WritePng(Image(0), 4, 4);
    AssetDecodeQueue queue(2);
    queue.RequestImage(Image(0));
    queue.RequestSound("Resources/audio/Fx/missing_false_SFX_.wav", false);
    queue.Finish();
    EXPECT_EQ(queue.Outstanding(), 0u);
    EXPECT_FALSE(queue.TakeImage(Image(0)).has_value());

    queue.RequestSound("Resources/audio/Fx/missing_false_SFX_.wav", false);
    std::optional<DecodedSound> sound = queue.TakeSound("Resources/audio/Fx/missing_false_SFX_.wav", false);
    ASSERT_TRUE(sound.has_value());
    EXPECT_FALSE(sound->decoded);
    EXPECT_NE(sound->error.find("missing_false_SFX_.wav"), std::string::npos) << sound->error;
}

// Raising the worker limit while files wait puts the new workers on them; every result stays whole.
TEST(AssetDecodeQueue, WorkerLimitCanChangeWhileFilesWait)
{
    TempWorkingFolder folder;
    for (int i = 0; i < 8; ++i)
        TempWorkingFolder::WritePng(Image(i), 2 + i, 3);
    AssetDecodeQueue queue(1);
    for (int i = 0; i < 8; ++i)
        queue.RequestImage(Image(i));
    queue.SetWorkerLimit(4);
    for (int i = 0; i < 8; ++i)
    {
        std::optional<DecodedImage> image = queue.TakeImage(Image(i));
        ASSERT_TRUE(image.has_value()) << i;
        EXPECT_EQ(image->width, 2 + i);
    }
    queue.SetWorkerLimit(0);
    queue.RequestImage(Image(0));
    EXPECT_TRUE(queue.TakeImage(Image(0)).has_value());
}
