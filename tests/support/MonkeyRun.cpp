#include "support/MonkeyRun.h"
#include "support/FrontEndGame.h"
#include "support/MonkeyPlayer.h"
#include "support/SettingsValidity.h"
#include "support/WorldSanity.h"

#include "engine/core/Assert.h"
#include "engine/platform/WindowState.h"

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <malloc.h>
#include <memory>
#include <vector>

namespace
{
// Growth of the heap in use that still counts as flat: the difference between two moments of
// the same scenes (pop-ups, markers and queues in use) stays well under this.
constexpr std::size_t FlatHeapBytes = 24u << 20;

std::size_t HeapInUse()
{
    const struct mallinfo2 heap = mallinfo2();
    return heap.uordblks + heap.hblkhd;
}

std::unique_ptr<TestGame> StartWithEveryStage(const std::string& settings)
{
    auto game = TestGame::WithSettings(settings);
    game->coordinator->ResourceManager.LoadStage2(*game->coordinator);
    game->coordinator->ResourceManager.LoadStage3(*game->coordinator);
    game->RasteriseSmall();
    return game;
}

int FromEnvironment(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value != nullptr && std::atoi(value) > 0 ? std::atoi(value) : fallback;
}
}

int MonkeyFrames(int fallback)
{
    return FromEnvironment("DUSKVANE_MONKEY_FRAMES", fallback);
}

std::uint32_t MonkeySeed(std::uint32_t fallback)
{
    return static_cast<std::uint32_t>(FromEnvironment("DUSKVANE_MONKEY_SEED", static_cast<int>(fallback)));
}

testing::AssertionResult MonkeyRun::Play() const
{
    const bool errorBefore = ErrorFlag();
    auto game = StartWithEveryStage(FrontEndSettings(scene, {{"Allow Cheats", cheats ? "true" : "false"}}));
    MonkeyPlayer monkey(seed);
    std::vector<std::pair<int, std::size_t>> heap;
    int played = 0;
    int restarts = 0;
    std::uint16_t mostEntities = 0;
    const auto where = [&] {
        return " (seed " + std::to_string(seed) + ", frame " + std::to_string(played) + ", scene " +
               game->coordinator->CurrentScene + ", after " + monkey.LastAction() + ")";
    };
    while (played < frames)
    {
        try
        {
            played += monkey.Act(*game);
        }
        catch (const std::exception& error)
        {
            return testing::AssertionFailure() << "assert \"" << error.what() << "\"" << where();
        }
        if ((ErrorFlag() && !errorBefore) || !game->platform.messageBoxes.empty())
            return testing::AssertionFailure() << "an assert was reported" << where();
        if (const testing::AssertionResult sane = WorldIsSane(*game->coordinator); !sane)
            return testing::AssertionFailure() << sane.message() << where();
        const std::uint16_t living = game->coordinator->EntityManager.LivingCount();
        mostEntities = std::max(mostEntities, living);
        if (living >= MAX_ENTITIES)
            return testing::AssertionFailure() << living << " entities live" << where();
        if (const testing::AssertionResult valid = SettingsFileIsValid(game->SettingsText()); !valid)
            return testing::AssertionFailure() << valid.message() << where();
        if (WindowState::closeRequested)
        {
            // The player quit: the game ends as the entry ends it and starts again on its file.
            if (!game->ShutDown())
                return testing::AssertionFailure() << "the shut-down failed" << where();
            const std::string saved = game->SettingsText();
            if (const testing::AssertionResult valid = SettingsFileIsValid(saved); !valid)
                return testing::AssertionFailure() << valid.message() << where();
            game.reset();
            game = StartWithEveryStage(saved);
            ++restarts;
            heap.clear();
        }
        heap.emplace_back(played, HeapInUse());
        if (std::getenv("DUSKVANE_MONKEY_TRACE") != nullptr)
            std::printf("%6d %8zu kB %s | %s\n", played, heap.back().second >> 10, game->coordinator->CurrentScene.c_str(),
                        monkey.LastAction().c_str());
    }
    if (!game->ShutDown())
        return testing::AssertionFailure() << "the shut-down failed" << where();
    if (const testing::AssertionResult valid = SettingsFileIsValid(game->SettingsText()); !valid)
        return testing::AssertionFailure() << valid.message() << where();

    // Flat: the most the heap held in the run's last half over the most in its first half (since
    // the last restart; the first tenth is the scenes settling in).
    if (heap.size() >= 10)
    {
        const std::size_t settled = heap.size() / 10;
        const std::size_t middle = settled + (heap.size() - settled) / 2;
        std::size_t early = 0;
        std::size_t late = 0;
        for (std::size_t i = settled; i < heap.size(); ++i)
            (i < middle ? early : late) = std::max(i < middle ? early : late, heap[i].second);
        if (late > early + FlatHeapBytes)
            return testing::AssertionFailure() << "the heap grew from " << (early >> 10) << " kB to " << (late >> 10)
                                               << " kB" << where();
    }
    std::printf("monkey from %s: %d frames, %d restarts, at most %u entities\n", scene.c_str(), played, restarts,
                static_cast<unsigned>(mostEntities));
    return testing::AssertionSuccess();
}
