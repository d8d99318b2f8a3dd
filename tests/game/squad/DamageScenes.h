#pragma once
#include "support/SquadGame.h"
#include "support/TestCharacter.h"
#include "support/TestGame.h"
#include "support/WorldSanity.h"

#include "engine/components/Identifier.h"
#include "engine/core/sBehaviourSystem.h"
#include "engine/components/Transform.h"
#include "engine/platform/sSoundSystem.h"
#include "engine/systems/sIdentifierSystem.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// What the damage tests share: a game on a fixture scene of tests/fixtures/scenes/damage with
// the real prefab file and TestCharacter for the scenes to use, checked after every test for NaN
// and for the free-id queue.
class DamageGameTest : public testing::Test
{
protected:
    void Start(const std::string& scene)
    {
        game = std::make_unique<TestGame>(TestGame::Fixture("scenes/damage/" + scene), GamePrefabFile(),
                                          [](Coordinator& coordinator) {
                                              coordinator.ResolveBehaviourSystem();
                                              coordinator.BehaviourSystem->RegisterBehaviour<TestCharacter>();
                                          });
        // The level stages hold the squad's sounds and sprite sheets.
        World().ResourceManager.LoadStage3(World());
        // A new game's first frame runs no fixed step and sees every key as unknown.
        game->RunFrames(1);
    }

    void TearDown() override
    {
        if (game)
        {
            EXPECT_TRUE(WorldIsSane(*game->coordinator));
        }
    }

    Coordinator& World() { return *game->coordinator; }

    // Every entity whose name is the prefab's or one of its numbered copies ("Explosion_AOE",
    // "Explosion_AOE1", ...), ascending.
    std::vector<Entity> Instances(const std::string& prefab)
    {
        std::vector<Entity> found;
        for (Entity entity : World().GetSystem<sIdentifierSystem>()->entities)
        {
            const std::string& name = World().GetComponent<Identifier>(entity)->name;
            if (name.compare(0, prefab.size(), prefab) != 0)
                continue;
            const std::string rest = name.substr(prefab.size());
            if (rest.find_first_not_of("0123456789") == std::string::npos)
                found.push_back(entity);
        }
        return found;
    }

    Vector2 PositionOf(Entity entity) { return World().GetComponent<Transform>(entity)->position; }

    // The voice of the sound's latest play (null when it never played).
    VoiceHandle LatestPlay(const std::string& soundId)
    {
        for (const SoundChannelEntry& entry : game->Sound().SfxTable)
            if (entry.id == soundId)
                return entry.channel;
        return {};
    }

    std::unique_ptr<TestGame> game;
};
