#include "support/FrontEndGame.h"
#include "support/SquadGame.h"

#include "engine/platform/sSoundSystem.h"
#include "game/flow/bCutsceneAudio.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

using testing::ElementsAre;

// A cutscene's sound against the audio layer (the real mixer on a silent output, stepped by
// hand): the fixtures' trigger texts type two letters each, one after another.

namespace
{
const std::string Typing = "typing_false_SFX_";
const std::string Scream = "screaming_false_SFX_";

// The typing and screaming sounds are of the second stage, which a cutscene is entered with.
std::unique_ptr<TestGame> StartCutscene(const std::string& fixture)
{
    auto game = std::make_unique<TestGame>(TestGame::Fixture("scenes/frontend/" + fixture), GamePrefabFile());
    game->coordinator->ResourceManager.LoadStage2(*game->coordinator);
    return game;
}

VoiceHandle VoiceOf(TestGame& game, const std::string& id)
{
    for (const SoundChannelEntry& entry : game.Sound().SfxTable)
        if (entry.id == id)
            return entry.channel;
    return {};
}

bool Sounding(TestGame& game, const std::string& id)
{
    return VoiceOf(game, id).IsPlaying();
}

// What is heard, frame by frame, with the phase; a repeat of the frame before is left out.
using Heard = std::tuple<bool, bool, int>;
std::vector<Heard> Listen(TestGame& game, int frames)
{
    std::vector<Heard> heard;
    const auto audio = game.Behaviour<bCutsceneAudio>("CutsceneAudio");
    for (int frame = 0; frame < frames; ++frame)
    {
        game.RunFrames(1);
        const Heard now{Sounding(game, Typing), Sounding(game, Scream), audio->AudioPhase};
        if (heard.empty() || heard.back() != now)
            heard.push_back(now);
    }
    return heard;
}
}

TEST(CutsceneAudio, TypingThenAScreamThenTypingUntilTheLastTextIsTypedOut)
{
    const auto game = StartCutscene("CutsceneAudio.json");
    // (typing, screaming, phase): the scream replaces the typing when the second text shows,
    // typing returns with the third and everything stops once the fourth has typed out.
    EXPECT_THAT(Listen(*game, 60), ElementsAre(Heard{true, false, 0}, Heard{false, true, 1}, Heard{true, false, 2},
                                               Heard{false, false, 2}));
}

TEST(CutsceneAudio, TypingOnlyRestartsTheTypingUntilItsTriggerIsTypedOut)
{
    const auto game = StartCutscene("CutsceneTypingOnly.json");
    game->RunFrames(3);
    const VoiceHandle first = VoiceOf(*game, Typing);
    ASSERT_TRUE(first.IsPlaying());

    // The typing sound runs out (1.8 s of mixing) while the texts still type: it starts anew.
    game->Sound().Audio->Mix(static_cast<std::size_t>(game->Sound().Audio->GetOutputRate()) * 2);
    EXPECT_FALSE(first.IsPlaying());
    game->RunFrames(1);
    const VoiceHandle second = VoiceOf(*game, Typing);
    EXPECT_FALSE(second == first);
    EXPECT_TRUE(second.IsPlaying());

    // Silent for good once the trigger (the last text) is complete.
    EXPECT_THAT(Listen(*game, 60), ElementsAre(Heard{true, false, 0}, Heard{false, false, 0}));
    EXPECT_FALSE(Sounding(*game, Scream));
}

TEST(CutsceneAudio, ACutsceneWithoutTheTextsItsFormFollowsStaysSilent)
{
    for (const char* fixture : {"CutsceneTooFewTriggers.json", "CutsceneImageTrigger.json"})
    {
        SCOPED_TRACE(fixture);
        const auto game = StartCutscene(fixture);
        EXPECT_THAT(Listen(*game, 60), ElementsAre(Heard{false, false, 0}));
    }
}
