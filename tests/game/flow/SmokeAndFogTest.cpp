#include "support/AssertCapture.h"
#include "support/FlowFixtureGame.h"
#include "support/SquadGame.h"
#include "support/WorldSanity.h"

#include "engine/components/Identifier.h"
#include "engine/components/Transform.h"
#include "engine/core/TypeName.h"
#include "engine/core/sBehaviourSystem.h"
#include "game/flow/bCameraBehaviour.h"
#include "game/flow/bSmokeEmitter.h"
#include "game/flow/bSmokeFill.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

namespace
{
Vector2 PositionOf(TestGame& game, Entity entity)
{
    return game.coordinator->GetComponent<Transform>(entity)->position;
}

std::vector<Vector2> PositionsOf(TestGame& game, const std::vector<Entity>& entities)
{
    std::vector<Vector2> positions;
    for (Entity entity : entities)
        positions.push_back(PositionOf(game, entity));
    return positions;
}

void MoveTo(TestGame& game, Entity entity, Vector2 point)
{
    Transform* transform = game.coordinator->GetComponent<Transform>(entity);
    transform->previousPosition = transform->position;
    transform->position = point;
}
}

// Two emitters: one at (0, 0), one at (3000, 100), beyond the point where puffs go back.
TEST(SmokeEmitter, ScattersTwentyFivePuffsTheSameWayEachTimeAndSendsThemBack)
{
    auto game = FlowFixtureGame("Smoke.json");
    const auto near = game->Behaviour<bSmokeEmitter>("Emitter_Near");
    const auto far = game->Behaviour<bSmokeEmitter>("Emitter_Far");
    ASSERT_TRUE(near && far);
    ASSERT_EQ(near->Puffs.size(), 25u);
    const std::vector<Vector2> layout = PositionsOf(*game, near->Puffs);
    for (const Vector2& puff : layout)
    {
        EXPECT_TRUE(puff.x >= 0.0f && puff.x <= 2399.0f && puff.x == static_cast<int>(puff.x)) << puff.x;
        EXPECT_TRUE(puff.y >= 0.0f && puff.y <= 199.0f && puff.y == static_cast<int>(puff.y)) << puff.y;
    }
    const std::vector<Vector2> farLayout = PositionsOf(*game, far->Puffs);
    for (std::size_t i = 0; i < layout.size(); ++i)
        EXPECT_FLOAT_EQ(farLayout[i].y, layout[i].y + 100.0f) << "each start reseeds: the same draws";
    EXPECT_NE(layout[0].x, layout[1].x);

    // One frame: 0.5 to the right; a puff past 2400 goes back to its emitter's x.
    MoveTo(*game, near->Puffs[0], {2399.6f, 20.0f});
    MoveTo(*game, near->Puffs[1], {2399.5f, 30.0f});
    game->RunFrames(1);
    EXPECT_FLOAT_EQ(PositionOf(*game, near->Puffs[0]).x, 0.0f);
    EXPECT_FLOAT_EQ(PositionOf(*game, near->Puffs[0]).y, 20.0f);
    EXPECT_FLOAT_EQ(PositionOf(*game, near->Puffs[1]).x, 2400.0f) << "exactly 2400 is not past it";
    EXPECT_FLOAT_EQ(PositionOf(*game, near->Puffs[2]).x, layout[2].x + 0.5f);
    for (Entity puff : far->Puffs)
        EXPECT_FLOAT_EQ(PositionOf(*game, puff).x, 3000.0f) << "beyond 2400 the puffs stand at their emitter";

    // Another scene with an emitter lays the smoke out the same way.
    game->coordinator->PendingScene = game->coordinator->CurrentScene;
    game->RunFrames(1);
    const std::vector<Vector2> again = PositionsOf(*game, game->Behaviour<bSmokeEmitter>("Emitter_Near")->Puffs);
    for (std::size_t i = 0; i < layout.size(); ++i)
        EXPECT_FLOAT_EQ(again[i].y, layout[i].y);
    EXPECT_TRUE(WorldIsSane(*game->coordinator));
}

// Fog laid along the camera bounds x 0 to 600, y -500 to 500; the strips' prefabs are 256 long
// along their edge.
TEST(SmokeFill, LaysStripsFromOnePieceBeforeTheBoundsToPastThemAndScrollsThem)
{
    const struct
    {
        const char* what;
        bool horizontal;
        bool top;
        Vector2 origin;
        std::size_t count;
        float wrap;
    } cases[] = {
        {"a row along the bottom", true, false, {-256.0f, -500.0f}, 5, 856.0f},
        {"a row along the top", true, true, {-256.0f, 500.0f}, 5, 856.0f},
        {"a column along the left", false, false, {0.0f, -756.0f}, 6, 756.0f},
        {"a column along the right", false, true, {600.0f, -756.0f}, 6, 756.0f},
    };
    auto game = FlowFixtureGame("Smoke.json");
    Coordinator& coordinator = *game->coordinator;
    // The bounds are set here too, so the layout does not wait on how the camera reads its file.
    auto camera = coordinator.GetBehaviourAs<bCameraBehaviour>(coordinator.CameraEntity);
    ASSERT_TRUE(camera);
    camera->minX = 0.0f;
    camera->maxX = 600.0f;
    camera->minY = -500.0f;
    camera->maxY = 500.0f;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        const Entity holder = coordinator.CreateEntity();
        coordinator.AddComponent<Transform>(holder);
        auto fog = std::dynamic_pointer_cast<bSmokeFill>(
            coordinator.BehaviourSystem->AddBehaviour(TypeName<bSmokeFill>(), holder, coordinator));
        ASSERT_TRUE(fog);
        // Added in play, it has laid a column already; this case's fog is laid anew.
        for (Entity strip : fog->Strips)
            coordinator.DestroyEntity(strip);
        fog->Horizontal = c.horizontal;
        fog->Top = c.top;
        fog->Start(coordinator);
        game->RunFrames(1);

        EXPECT_FLOAT_EQ(fog->PieceLength, 256.0f);
        EXPECT_FLOAT_EQ(fog->FillWidth, c.horizontal ? 600.0f : 1000.0f);
        EXPECT_FLOAT_EQ(fog->WrapLimit, c.wrap);
        ASSERT_EQ(fog->Strips.size(), c.count);
        EXPECT_FLOAT_EQ(PositionOf(*game, holder).x, c.origin.x);
        EXPECT_FLOAT_EQ(PositionOf(*game, holder).y, c.origin.y);
        // Laid out, then one frame of scrolling at 25 units a second.
        const float step = coordinator.DeltaTime * 25.0f;
        for (std::size_t i = 0; i < c.count; ++i)
        {
            const float along = static_cast<float>(i) * 256.0f + step;
            const Vector2 strip = PositionOf(*game, fog->Strips[i]);
            EXPECT_NEAR(strip.x, c.horizontal ? c.origin.x + along : c.origin.x, 1e-3) << i;
            EXPECT_NEAR(strip.y, c.horizontal ? c.origin.y : c.origin.y + along, 1e-3) << i;
        }
        // The strip nearest the end passes the limit and starts the row again.
        const Entity last = fog->Strips.back();
        const Vector2 nearEnd = c.horizontal ? Vector2{c.wrap - 0.1f, c.origin.y} : Vector2{c.origin.x, c.wrap - 0.1f};
        MoveTo(*game, last, nearEnd);
        game->RunFrames(1);
        EXPECT_FLOAT_EQ(PositionOf(*game, last).x, c.origin.x);
        EXPECT_FLOAT_EQ(PositionOf(*game, last).y, c.origin.y);
    }
    EXPECT_TRUE(WorldIsSane(coordinator));
}

TEST(SmokeFill, WithoutACameraBehaviourTheRowStartsAtTheOriginOverItsOwnWidth)
{
    auto game = FlowFixtureGame("FogRow.json");
    const auto fog = game->Behaviour<bSmokeFill>("Fog_Row");
    ASSERT_TRUE(fog);
    EXPECT_FLOAT_EQ(fog->FillWidth, 1000.0f);
    ASSERT_EQ(fog->Strips.size(), 6u);
    EXPECT_FLOAT_EQ(PositionOf(*game, fog->Strips[5]).x, 1280.0f);
    EXPECT_FLOAT_EQ(PositionOf(*game, fog->Strips[5]).y, 0.0f);
    EXPECT_FLOAT_EQ(fog->WrapLimit, 1512.0f);

    // Scrolling by the frame's time: 0.02 s is half a unit, 0.01 s a quarter.
    for (const float frame : {0.02f, 0.01f})
    {
        const float before = PositionOf(*game, fog->Strips[0]).x;
        game->coordinator->DeltaTime = frame;
        fog->Update(*game->coordinator);
        EXPECT_FLOAT_EQ(PositionOf(*game, fog->Strips[0]).x - before, frame * 25.0f);
    }
}

// A strip with no length along its edge, or one so short that the edge would need more strips
// than there are entities, is bad prefab data: the JSON error, naming the fog entity.
TEST(SmokeFill, AStripThatCannotCoverTheEdgeIsAJsonErrorNamingTheFog)
{
    for (const char* fog : {"Fog_Row", "Fog_Column"})
    {
        SCOPED_TRACE(fog);
        const std::string scene = std::string(fog) == "Fog_Row" ? "FogRow.json" : "FogColumn.json";
        testing::internal::CaptureStderr();
        const std::string message = AssertMessageOf([&] {
            TestGame game(TestGame::Fixture("scenes/tutorial/" + scene), TestGame::Fixture("scenes/tutorial/BadFogPrefab.json"));
        });
        const std::string reported = testing::internal::GetCapturedStderr();
        EXPECT_EQ(message, "JSON ERROR");
        EXPECT_THAT(reported, testing::HasSubstr(std::string("\"") + fog + "\""));
    }
}
