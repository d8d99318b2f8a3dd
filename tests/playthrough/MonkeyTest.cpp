#include "support/MonkeyRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

// A seeded monkey over every scene of the game: thousands of frames of random clicks, drags,
// keys and waits from each scene on (wherever its clicks lead), with and without the cheat keys.
// scripts/monkey.sh runs the same with a hundred thousand frames and more.

namespace
{
struct MonkeyCase
{
    const char* scene;
    std::uint32_t seed;
    bool cheats;
};

class Monkey : public testing::TestWithParam<MonkeyCase>
{
};

TEST_P(Monkey, LeavesTheGameSane)
{
    const MonkeyCase& start = GetParam();
    if (!std::filesystem::exists(start.scene))
        GTEST_SKIP() << start.scene << " is not authored yet";
    MonkeyRun run;
    run.scene = start.scene;
    run.frames = MonkeyFrames(2000);
    run.seed = MonkeySeed(start.seed);
    run.cheats = start.cheats;
    EXPECT_TRUE(run.Play());
}

INSTANTIATE_TEST_SUITE_P(
    EveryScene, Monkey,
    testing::Values(MonkeyCase{"Resources/LogoScene.json", 11, false}, MonkeyCase{"Resources/mainMenu.json", 12, false},
                    MonkeyCase{"Resources/LevelSelect.json", 13, true}, MonkeyCase{"Resources/Cutscene.json", 14, false},
                    MonkeyCase{"Resources/CutsceneLevel1.json", 15, false},
                    MonkeyCase{"Resources/CutsceneLevel2.json", 16, false},
                    MonkeyCase{"Resources/CutsceneLevel3.json", 17, false}, MonkeyCase{"Resources/Credits.json", 18, false},
                    MonkeyCase{"Resources/Level_AbandonedHouse.json", 19, false},
                    MonkeyCase{"Resources/Level_Farmhouse.json", 20, true},
                    MonkeyCase{"Resources/Level_Warehouse.json", 21, false},
                    MonkeyCase{"Resources/Level_TownHall.json", 22, true}),
    [](const testing::TestParamInfo<MonkeyCase>& info) {
        std::string name = std::filesystem::path(info.param.scene).stem().string();
        return name + (info.param.cheats ? "_WithCheats" : "");
    });
}
