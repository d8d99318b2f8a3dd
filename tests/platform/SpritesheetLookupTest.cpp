#include "engine/core/Coordinator.h"
#include "engine/platform/sSoundSystem.h"
#include "engine/platform/AssetScan.h"
#include "engine/platform/ResourceManager.h"
#include "support/GlTestContext.h"
#include "support/TempWorkingFolder.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
const char* FourFrames = R"([{"x":0,"y":0,"width":16,"height":16},{"x":16,"y":0,"width":16,"height":16},
                             {"x":32,"y":0,"width":16,"height":16},{"x":48,"y":0,"width":16,"height":16}])";
const char* SheetFormat = R"([{"frameDelay":0.125,"ssWidth":64,"ssHeight":16}])";

void WriteState(const std::string& tag, const std::string& state, const char* layout, const char* format,
                bool withSheet = true)
{
    const std::string folder = "Resources/animation/" + tag + "/" + state + "/";
    if (withSheet)
        TempWorkingFolder::WritePng(folder + state + ".png", 64, 16);
    TempWorkingFolder::WriteText(folder + "layout.json", layout);
    TempWorkingFolder::WriteText(folder + "format.json", format);
}

class SpritesheetLookup : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(GlTestContext::Get().Ready());
        WriteState("Player", "Run", FourFrames, SheetFormat);
        WriteState("ONESHOT", "Blood", FourFrames, SheetFormat);
        WriteState("Oneshot", "Blood", FourFrames, SheetFormat);
        WriteState("ONESHOTS", "Blood", FourFrames, SheetFormat);
        WriteState("Player", "Empty", "[]", SheetFormat);
        WriteState("Player", "Flat", FourFrames, R"([{"frameDelay":0.1,"ssWidth":64,"ssHeight":0}])");
        WriteState("Player", "NoSheet", FourFrames, SheetFormat, false);
        coordinator = std::make_unique<Coordinator>();
        coordinator->SystemManager.RegisterSystem<sSoundSystem>();
        ScanAssets(Resources());
        Resources().InitSoundAndLoad(*coordinator);
        Resources().LoadStage3(*coordinator);
    }
    void TearDown() override
    {
        if (coordinator)
            Resources().ReleaseAll();
    }
    ResourceManager& Resources() { return coordinator->ResourceManager; }

    TempWorkingFolder folder;
    std::unique_ptr<Coordinator> coordinator;
};
}

TEST_F(SpritesheetLookup, FramesWrapHoldOrFinishPastTheEnd)
{
    const struct
    {
        const char* tag;
        const char* state;
        int frameIn;
        bool finishedIn;
        bool hold;
        bool found;
        int frameOut;
        bool finishedOut;
    } cases[] = {
        {"Player", "Jump", 7, true, false, false, 7, true},   // not stored: untouched
        {"Player", "Run", 2, true, false, true, 2, true},     // inside: untouched
        {"Player", "Run", 4, true, false, true, 0, false},    // wraps
        {"Player", "Run", -1, true, false, true, 0, false},   // negative counts as past the end
        {"Player", "Run", 4, false, true, true, 3, true},     // held on the last frame
        {"Player", "Run", -1, false, true, true, 3, true},
        {"ONESHOT", "Blood", 4, false, true, true, 4, true},  // finishes and keeps its index
        {"ONESHOT", "Blood", -1, false, false, true, -1, true},
        {"Oneshot", "Blood", 4, true, false, true, 0, false}, // the tag is compared exactly
        {"ONESHOTS", "Blood", 5, false, true, true, 3, true},
        {"Player", "Empty", 0, false, true, false, 0, false}, // no frames: not found, no index -1
        {"Player", "Flat", 9, false, false, false, 9, false}, // no sheet size: not found
        {"Player", "NoSheet", 1, false, false, false, 1, false}, // its image did not load
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.tag) + "/" + c.state + " frame " + std::to_string(c.frameIn));
        int frame = c.frameIn;
        bool finished = c.finishedIn;
        const SpritesheetResult* result = Resources().GetSpritesheet({c.tag, c.state}, frame, finished, c.hold);
        ASSERT_NE(result, nullptr);
        EXPECT_EQ(result->found, c.found);
        EXPECT_EQ(frame, c.frameOut);
        EXPECT_EQ(finished, c.finishedOut);
    }
}

TEST_F(SpritesheetLookup, TheAnswerCarriesTheSheetAndItsFrames)
{
    int frame = 1;
    bool finished = false;
    const SpritesheetResult* result = Resources().GetSpritesheet({"Player", "Run"}, frame, finished, false);
    ASSERT_TRUE(result->found);
    EXPECT_EQ(result->texture, Resources().SpritesheetKeys().at({"Player", "Run"}));
    EXPECT_NE(result->texture, 0u);
    ASSERT_EQ(result->data.frames.size(), 4u);
    EXPECT_EQ(result->data.frames[3].x, 48.0f);
    EXPECT_EQ(result->data.frameDelay, 0.125f);
    EXPECT_EQ(result->data.ssWidth, 64.0f);

    // One answer record, overwritten by every call.
    const SpritesheetResult* again = Resources().GetSpritesheet({"Player", "Missing"}, frame, finished, false);
    EXPECT_EQ(again, result);
    EXPECT_FALSE(result->found);
}
