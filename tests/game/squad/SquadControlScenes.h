#pragma once
#include "support/SquadControlGame.h"
#include "support/TestGame.h"
#include "support/WorldSanity.h"

#include "engine/components/Identifier.h"
#include "engine/components/Transform.h"
#include "engine/platform/sSoundSystem.h"
#include "engine/systems/sIdentifierSystem.h"
#include "engine/systems/sRendererSystem.h"
#include "game/squad/bGameController.h"
#include "game/squad/bPlayerBehaviour.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// What the squad controller's tests share: a game on a fixture scene of
// tests/fixtures/scenes/squad, input given at world points (the fixtures' camera shows the world
// one to one, y flipped), and readers for the selection; every test ends with a sane world.
class SquadControlTest : public testing::Test
{
protected:
    static constexpr int LeftButton = 1;
    static constexpr int RightButton = 2;

    void Start(const std::string& scene)
    {
        game = SquadControlGame(scene);
        controller = game->Behaviour<bGameController>("GameController");
        ASSERT_NE(controller, nullptr);
    }

    void TearDown() override
    {
        if (game)
        {
            EXPECT_TRUE(WorldIsSane(*game->coordinator));
        }
    }

    Coordinator& World() { return *game->coordinator; }
    Entity Soldier(int number) { return game->Find("Player_" + std::to_string(number)); }
    std::shared_ptr<bPlayerBehaviour> SoldierBehaviour(int number)
    {
        return World().GetBehaviourAs<bPlayerBehaviour>(Soldier(number));
    }
    Vector2 PositionOf(Entity entity) { return World().GetComponent<Transform>(entity)->position; }
    bool IsDrawn(Entity entity) { return World().GetSystem<sRendererSystem>()->entities.count(entity) != 0; }

    // The numbers of the selected soldiers, ascending.
    std::vector<int> Selection()
    {
        std::vector<int> numbers;
        for (int number = 1; number <= 4; ++number)
        {
            const auto found = controller->Players.find(Soldier(number));
            if (found != controller->Players.end() && found->second)
                numbers.push_back(number);
        }
        return numbers;
    }

    // The window pixel at which the input reads exactly this world point (it truncates to whole
    // units, so the nearest pixel may read one unit less and a few points are read by no pixel:
    // a test failure names them).
    CursorPoint PixelOf(Vector2 point)
    {
        const CursorPoint nearest = game->WindowPointOf(point.x, point.y);
        const Transform* camera = World().GetComponent<Transform>(World().CameraEntity);
        const float cameraX = camera != nullptr ? camera->position.x : 0.0f;
        const float cameraY = camera != nullptr ? camera->position.y : 0.0f;
        const float viewHeight = World().ViewHeight;
        const float viewWidth = World().AspectRatio * viewHeight;
        const float width = static_cast<float>(World().WindowWidth);
        const float height = static_cast<float>(World().WindowHeight);
        // Rounded as the input rounds it: each product stored before the sum (no fused multiply-add).
        const auto reads = [&](long x, long y) {
            volatile float scaledX = static_cast<float>(x) / width * viewWidth;
            volatile float scaledY = static_cast<float>(World().WindowHeight - y) / height * viewHeight;
            const long worldX = static_cast<long>(scaledX + (cameraX - viewWidth * 0.5f));
            const long worldY = static_cast<long>(scaledY + (cameraY - viewHeight * 0.5f));
            return static_cast<float>(worldX) == point.x && static_cast<float>(worldY) == point.y;
        };
        for (long dy : {0L, -1L, 1L, -2L, 2L})
            for (long dx : {0L, -1L, 1L, -2L, 2L})
                if (reads(nearest.x + dx, nearest.y + dy))
                    return {nearest.x + dx, nearest.y + dy};
        ADD_FAILURE() << "no window pixel reads the world point (" << point.x << ", " << point.y << ")";
        return nearest;
    }
    void MoveCursorTo(Vector2 point)
    {
        const CursorPoint pixel = PixelOf(point);
        game->MoveCursor(pixel.x, pixel.y);
    }
    void DragWorld(int button, Vector2 from, Vector2 to, int steps = 10)
    {
        const CursorPoint a = PixelOf(from);
        const CursorPoint b = PixelOf(to);
        game->Drag(button, a.x, a.y, b.x, b.y, steps);
        game->RunFrames(1);
    }
    // A short right click; the key is up again afterwards, ready for the next press.
    void RightClickWorld(Vector2 point)
    {
        const CursorPoint pixel = PixelOf(point);
        game->RightClick(pixel.x, pixel.y);
        game->RunFrames(1);
    }
    // A key tapped (pressed, released, settled) and up again afterwards: a key pressed in the
    // frame right after its settled state is not seen as a new press.
    void Key(int key)
    {
        game->Tap(key);
        game->RunFrames(1);
    }
    // Puts a soldier at a point as if it had always stood there (no sweep from its old place).
    void StandAt(Entity soldier, Vector2 point)
    {
        Transform* transform = World().GetComponent<Transform>(soldier);
        transform->position = point;
        transform->previousPosition = point;
    }

    // The voice of the sound's latest play (null when it never played).
    VoiceHandle LatestPlay(const std::string& soundId)
    {
        for (const SoundChannelEntry& entry : game->Sound().SfxTable)
            if (entry.id == soundId)
                return entry.channel;
        return {};
    }

    std::unique_ptr<TestGame> game;
    std::shared_ptr<bGameController> controller;
};
