#include "support/FrontEndGame.h"
#include "support/SquadGame.h"

#include "engine/components/Transform.h"
#include "engine/systems/sRendererSystem.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bTransitionScreen.h"

#include <gtest/gtest.h>
#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <fstream>

namespace
{
const char* const SaveMark = "not written by the game";
}

std::string FrontEndSettings(const std::string& scene, const SettingsMembers& members)
{
    // A whole file, as the game writes it, with the progress of a first run.
    SettingsMembers all = {{"Unlocked Farmhouse", "false"},      {"Unlocked Warehouse", "false"},
                           {"Unlocked TownHall", "false"},       {"First Cutscene Cleared", "false"},
                           {"Second Cutscene Cleared", "false"}, {"Third Cutscene Cleared", "false"},
                           {"Fourth Cutscene Cleared", "false"}, {"Tutorial 1 Cleared", "false"},
                           {"Tutorial 2 Cleared", "false"},      {"Allow Cheats", "false"}};
    for (const auto& [key, text] : members)
        all[key] = text;
    rapidjson::Document settings;
    settings.Parse(TestGame::SettingsFor(scene, GamePrefabFile()).c_str());
    for (const auto& [key, text] : all)
    {
        rapidjson::Document value;
        value.Parse(text.c_str());
        settings.RemoveMember(key.c_str());
        settings.AddMember(rapidjson::Value(key.c_str(), settings.GetAllocator()),
                           rapidjson::Value(value, settings.GetAllocator()), settings.GetAllocator());
    }
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    settings.Accept(writer);
    return buffer.GetString();
}

std::unique_ptr<TestGame> StartFrontEnd(const std::string& scene, const SettingsMembers& members)
{
    auto game = TestGame::WithSettings(FrontEndSettings(scene, members));
    game->RunFrames(1);
    return game;
}

int RunUntilScene(TestGame& game, const std::string& scene, int limit)
{
    for (int frames = 0; frames <= limit; ++frames)
    {
        if (game.coordinator->CurrentScene == scene)
            return frames;
        game.RunFrames(1);
    }
    return -1;
}

void WaitForOpenDoors(TestGame& game)
{
    for (int frame = 0; frame < 120; ++frame)
    {
        const bTransitionScreen* screen = TransitionScreenInstance();
        if (screen == nullptr || screen->DoorMode == bTransitionScreen::DoorsIdle)
            return;
        game.RunFrames(1);
    }
}

void ClickOn(TestGame& game, const std::string& name)
{
    const Transform* place = game.Component<Transform>(name);
    ASSERT_NE(place, nullptr) << name;
    const CursorPoint pixel = game.WindowPointOf(place->position.x, place->position.y);
    game.ClickAndSettle(pixel.x, pixel.y);
}

bool IsDrawn(TestGame& game, const std::string& name)
{
    const Entity entity = game.Find(name);
    return entity != NO_ENTITY && game.coordinator->GetSystem<sRendererSystem>()->entities.count(entity) != 0;
}

bool SecondStageLoaded(const Coordinator& coordinator)
{
    return coordinator.ResourceManager.PendingSounds.empty();
}

bool ThirdStageLoaded(const Coordinator& coordinator)
{
    return coordinator.ResourceManager.PendingImages.empty();
}

std::string SettingsMember(const TestGame& game, const std::string& key)
{
    rapidjson::Document settings;
    settings.Parse(game.SettingsText().c_str());
    if (!settings.IsObject() || !settings.HasMember(key.c_str()))
        return "null";
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    settings[key.c_str()].Accept(writer);
    return buffer.GetString();
}

void SaveWatch::RunFrame()
{
    const std::string before = game.SettingsText();
    std::ofstream(game.SettingsFile(), std::ios::binary | std::ios::trunc) << SaveMark;
    game.RunFrames(1);
    if (game.SettingsText() != SaveMark)
        ++saves;
    else
        std::ofstream(game.SettingsFile(), std::ios::binary | std::ios::trunc) << before;
}

void SaveWatch::RunFrames(int count)
{
    for (int i = 0; i < count; ++i)
        RunFrame();
}
