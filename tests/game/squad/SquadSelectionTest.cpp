#include "SquadControlScenes.h"

#include "engine/components/Renderer.h"
#include "game/flow/PublishedInstances.h"

#include <cmath>
#include <limits>

// Control.json: Player_1 at (400, 600), Player_2 at (600, 600), Player_3 at (1400, 300).

TEST_F(SquadControlTest, ALeftDragSelectsTheSoldiersInItsBoxAndShowsTheBoxWhileHeld)
{
    Start("Control.json");
    EXPECT_EQ(GameControllerInstance(), controller.get());
    EXPECT_TRUE(bGameController::SquadPresent());
    EXPECT_EQ(controller->Players.size(), 3u);
    EXPECT_FALSE(IsDrawn(controller->SelectionArea)) << "hidden until a drag";

    MoveCursorTo({350, 650});
    game->Hold(LeftButton);
    game->RunFrames(1);
    MoveCursorTo({650, 550});
    game->RunFrames(2);
    EXPECT_TRUE(IsDrawn(controller->SelectionArea));
    EXPECT_EQ(PositionOf(controller->SelectionArea).x, 500.0f);
    EXPECT_EQ(PositionOf(controller->SelectionArea).y, 600.0f);
    EXPECT_EQ(World().GetComponent<Renderer>(controller->SelectionArea)->scaleX, 150.0f);
    EXPECT_EQ(World().GetComponent<Renderer>(controller->SelectionArea)->scaleY, 50.0f);
    EXPECT_TRUE(Selection().empty()) << "nothing is selected before the release";
    const VoiceHandle before = LatestPlay("BrushStroke_false_SFX_");
    game->Release(LeftButton);
    game->RunFrames(1);
    EXPECT_TRUE(controller->MouseConsumed) << "the buttons do not also take this release";
    EXPECT_EQ(Selection(), (std::vector<int>{1, 2}));
    EXPECT_FALSE(LatestPlay("BrushStroke_false_SFX_") == before);
    game->RunFrames(1);
    EXPECT_FALSE(IsDrawn(controller->SelectionArea));
    EXPECT_FALSE(controller->MouseConsumed);

    // Each drag starts from the selection the one before it left.
    const struct
    {
        const char* what;
        Vector2 from;
        Vector2 to;
        std::vector<int> selection;
    } drags[] = {
        {"exactly 40 units is too short: the old selection stays", {1380, 280}, {1404, 312}, {1, 2}},
        {"just over 40 units selects, replacing the old selection", {1380, 281}, {1404, 314}, {3}},
        {"a box starting on world x 0 neither shows nor selects", {0, 650}, {650, 550}, {3}},
        {"a box ending on world x 0 neither shows nor selects", {650, 550}, {0, 650}, {3}},
        {"a long drag over empty ground deselects everyone", {800, 900}, {900, 1000}, {}},
        {"a box dragged from its other corner selects the same", {650, 550}, {350, 650}, {1, 2}},
    };
    for (const auto& drag : drags)
    {
        DragWorld(LeftButton, drag.from, drag.to);
        EXPECT_EQ(Selection(), drag.selection) << drag.what;
        EXPECT_FALSE(IsDrawn(controller->SelectionArea)) << drag.what;
    }

    // A plain click on a soldier is no drag: the selection stays.
    const CursorPoint onThird = game->WindowPointOf(1400, 300);
    game->ClickAndSettle(onThird.x, onThird.y);
    EXPECT_EQ(Selection(), (std::vector<int>{1, 2}));
}

TEST_F(SquadControlTest, NumberKeysSelectOneSoldierByTagOrEveryoneAndTheRingsFollow)
{
    Start("Control.json");
    const std::vector<Entity> rings(controller->SquadMarkers.begin(), controller->SquadMarkers.end());
    ASSERT_EQ(rings.size(), 3u);
    const float hidden = std::numeric_limits<float>::lowest();

    const struct
    {
        int key;
        std::vector<int> selection;
    } keys[] = {{'2', {2}}, {'1', {1}}, {'5', {1, 2, 3}}, {'3', {3}}, {'4', {}}, {'5', {1, 2, 3}}};
    for (const auto& key : keys)
    {
        Key(key.key);
        EXPECT_EQ(Selection(), key.selection) << "key " << char(key.key);
    }
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(PositionOf(rings[i]).x, PositionOf(Soldier(i + 1)).x) << "ring " << i;

    // A dead soldier drops out of the selection and cannot be picked again.
    auto second = SoldierBehaviour(2);
    second->TakeDamage(World(), 1000.0f, NO_ENTITY);
    game->RunFrames(2);
    ASSERT_FALSE(second->active);
    EXPECT_EQ(Selection(), (std::vector<int>{1, 3}));
    EXPECT_EQ(PositionOf(rings[1]).x, hidden);
    Key('2');
    EXPECT_TRUE(Selection().empty());
    Key('5');
    EXPECT_EQ(Selection(), (std::vector<int>{1, 3}));
}

TEST_F(SquadControlTest, ARightClickOrdersTheSelectedOnTheReleaseAndShowsAMarker)
{
    Start("Control.json");
    const Vector2 home1 = SoldierBehaviour(1)->MoveTarget;

    // Nobody selected: the click still sounds, shows a marker and takes the mouse.
    const VoiceHandle before = LatestPlay("Click9_false_SFX_");
    MoveCursorTo({800, 800});
    game->Press(RightButton);
    game->RunFrames(1);
    EXPECT_TRUE(controller->MouseConsumed);
    EXPECT_FALSE(LatestPlay("Click9_false_SFX_") == before);
    EXPECT_TRUE(controller->MoveMarkersInUse.test(0));
    EXPECT_EQ(PositionOf(controller->MoveMarkers[0]).x, 800.0f);
    EXPECT_EQ(PositionOf(controller->MoveMarkers[0]).y, 800.0f);
    game->RunFrames(1);
    EXPECT_TRUE(IsDrawn(controller->MoveMarkers[0]));
    for (int number = 1; number <= 3; ++number)
        EXPECT_FALSE(SoldierBehaviour(number)->IsMoving(World())) << number;

    // The press alone orders nothing; a held button that barely moved orders on its completion.
    Key('1');
    MoveCursorTo({1010, 704});
    game->Hold(RightButton);
    game->RunFrames(1);
    EXPECT_EQ(SoldierBehaviour(1)->MoveTarget.x, home1.x) << "pressed, not yet released";
    MoveCursorTo({1020, 704});
    game->RunFrames(5);
    EXPECT_EQ(SoldierBehaviour(1)->MoveTarget.x, home1.x) << "still held";
    EXPECT_FALSE(controller->MoveMarkersInUse.test(1));
    game->Release(RightButton);
    game->RunFrames(1);
    EXPECT_EQ(SoldierBehaviour(1)->MoveTarget.x, 1020.0f);
    EXPECT_EQ(SoldierBehaviour(1)->MoveTarget.y, 704.0f);
    EXPECT_TRUE(controller->MoveMarkersInUse.test(1));
    EXPECT_EQ(PositionOf(controller->MoveMarkers[1]).x, 1020.0f);
    game->RunFrames(10);
    EXPECT_TRUE(SoldierBehaviour(1)->IsMoving(World()));
    EXPECT_FALSE(SoldierBehaviour(2)->IsMoving(World())) << "only the selected soldier goes";
}

TEST_F(SquadControlTest, SixMoveMarkersShowAtOnceAndAFreedOneIsReused)
{
    Start("Control.json");
    for (int i = 0; i < 6; ++i)
        RightClickWorld({700.0f + 50.0f * i, 900});
    EXPECT_TRUE(controller->MoveMarkersInUse.all());
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(PositionOf(controller->MoveMarkers[i]).x, 700.0f + 50.0f * i) << i;

    // The seventh order in quick succession finds no free marker.
    RightClickWorld({1200, 950});
    for (Entity marker : controller->MoveMarkers)
        EXPECT_NE(PositionOf(marker).y, 950.0f);

    // Once the markers' displays have ended, the next order takes the first marker again.
    game->RunFrames(60);
    EXPECT_TRUE(controller->MoveMarkersInUse.none());
    RightClickWorld({1250, 960});
    EXPECT_EQ(controller->MoveMarkersInUse.to_ulong(), 1u);
    EXPECT_EQ(PositionOf(controller->MoveMarkers[0]).x, 1250.0f);
    EXPECT_EQ(PositionOf(controller->MoveMarkers[0]).y, 960.0f);
}

TEST_F(SquadControlTest, ARightDragTurnsTheSelectedSoldiersInsteadOfMovingThem)
{
    Start("Control.json");
    Key('1');
    RightClickWorld({1500, 600});
    game->RunFrames(5);
    ASSERT_TRUE(SoldierBehaviour(1)->IsMoving(World()));
    ASSERT_NEAR(World().GetComponent<Transform>(Soldier(1))->rotation, 0.0f, 1e-5f) << "walking right";

    // 150 pixels up the screen: the arrow shows ahead of the soldier while the button is held.
    const CursorPoint from = game->WindowPointOf(900, 300);
    game->MoveCursor(from.x, from.y);
    game->Hold(RightButton);
    game->RunFrames(1);
    game->MoveCursor(from.x, from.y - 150);
    game->RunFrames(1);
    EXPECT_TRUE(controller->ArrowShown);
    EXPECT_TRUE(IsDrawn(controller->ArrowBody));
    EXPECT_EQ(World().GetComponent<Renderer>(controller->ArrowBody)->scaleX, 75.0f);
    const Vector2 walker = PositionOf(Soldier(1));
    EXPECT_NEAR(PositionOf(controller->ArrowBody).x, walker.x, 3.0f);
    EXPECT_NEAR(PositionOf(controller->ArrowBody).y, walker.y + 75.0f, 3.0f);
    game->Release(RightButton);
    game->RunFrames(1);
    EXPECT_TRUE(controller->MouseConsumed);
    EXPECT_FALSE(controller->ArrowShown);
    EXPECT_EQ(SoldierBehaviour(1)->MoveTarget.x, 1500.0f) << "a facing order is no move order";
    EXPECT_EQ(controller->MoveMarkersInUse.to_ulong(), 1u) << "only the walk's marker";
    // The soldier walks on facing the dragged direction.
    game->RunFrames(20);
    EXPECT_TRUE(SoldierBehaviour(1)->IsMoving(World()));
    EXPECT_TRUE(SoldierBehaviour(1)->FacingLocked);
    EXPECT_NEAR(World().GetComponent<Transform>(Soldier(1))->rotation, 1.5707964f, 1e-5f);
    EXPECT_FALSE(IsDrawn(controller->ArrowBody)) << "the arrow's own timer ends its display";
    EXPECT_NEAR(World().GetComponent<Transform>(Soldier(2))->rotation, 0.0f, 1e-5f) << "only the selected turn";

    // 90 pixels is no facing drag: the release orders a move to where the cursor is.
    game->MoveCursor(from.x, from.y);
    game->Hold(RightButton);
    game->RunFrames(1);
    MoveCursorTo({990, 300});
    game->RunFrames(3);
    EXPECT_FALSE(controller->ArrowShown);
    game->Release(RightButton);
    game->RunFrames(1);
    EXPECT_EQ(SoldierBehaviour(1)->MoveTarget.x, 990.0f);
    EXPECT_EQ(SoldierBehaviour(1)->MoveTarget.y, 300.0f);
}

TEST_F(SquadControlTest, TheArrowStaysPutWhenNobodyIsLeftSelected)
{
    Start("Control.json");
    Key('1');
    const CursorPoint from = game->WindowPointOf(900, 300);
    game->MoveCursor(from.x, from.y);
    game->Hold(RightButton);
    game->RunFrames(1);
    game->MoveCursor(from.x + 200, from.y);
    game->RunFrames(1);
    ASSERT_TRUE(IsDrawn(controller->ArrowBody));
    const Vector2 body = PositionOf(controller->ArrowBody);
    const Vector2 head = PositionOf(controller->ArrowHead);

    game->Press('4'); // no fourth soldier: everyone is deselected
    EXPECT_TRUE(Selection().empty());
    game->RunFrames(1);
    EXPECT_EQ(PositionOf(controller->ArrowBody).x, body.x);
    EXPECT_EQ(PositionOf(controller->ArrowBody).y, body.y);
    EXPECT_EQ(PositionOf(controller->ArrowHead).x, head.x);
    EXPECT_TRUE(std::isfinite(PositionOf(controller->ArrowHead).y));
    game->Release(RightButton);
    game->RunFrames(2);
}
