#include "support/TestGame.h"
#include "support/content/WorkingDirectory.h"

#include "engine/components/Identifier.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/systems/sIdentifierSystem.h"
#include "engine/systems/sRendererSystem.h"

#include <gtest/gtest.h>

// The game as the entry starts it, from its build folder, with the settings of a first run (no
// key set, so the defaults name the starting scene and the prefab file): the committed logo
// scene and prefab file over the generated assets.
TEST(GameStart, AFirstRunStartsIntoTheLogoSceneWithTheCursor)
{
    WorkingDirectory inBuild(DUSKVANE_BUILD_DIR);
    const auto game = TestGame::WithSettings("{}");
    Coordinator& coordinator = *game->coordinator;
    EXPECT_EQ(coordinator.CurrentScene, "Resources/LogoScene.json");
    EXPECT_EQ(coordinator.PrefabPath, "Resources/Prefab.json");

    const Entity camera = game->Find("Camera");
    ASSERT_NE(camera, NO_ENTITY);
    EXPECT_EQ(camera, 0);
    EXPECT_EQ(coordinator.CameraEntity, camera);
    const Transform& cameraPlace = *coordinator.GetComponent<Transform>(camera);
    EXPECT_EQ(cameraPlace.position.x, 960.0f);
    EXPECT_EQ(cameraPlace.position.y, 540.0f);
    EXPECT_NE(game->Find("LogoBackground"), NO_ENTITY);
    EXPECT_NE(game->Find("Logo"), NO_ENTITY);

    // Spawned after the scene's own entities (and after what they spawn as the scene starts).
    const Entity cursor = coordinator.CursorEntity;
    EXPECT_EQ(cursor, *coordinator.GetSystem<sIdentifierSystem>()->entities.rbegin());
    EXPECT_EQ(game->Find("Cursor"), cursor);
    ASSERT_NE(coordinator.GetComponent<Renderer>(cursor), nullptr);
    EXPECT_EQ(coordinator.GetComponent<Renderer>(cursor)->textureName, "Cursor");
    EXPECT_TRUE(game->platform.cursorHidden);

    // Only the first resource stage is loaded at start: everything shown here must be in it.
    for (const Entity entity : coordinator.GetSystem<sRendererSystem>()->entities)
    {
        const Renderer* renderer = coordinator.GetComponent<Renderer>(entity);
        if (renderer == nullptr || renderer->textureName.empty())
            continue;
        EXPECT_EQ(coordinator.ResourceManager.Textures().count(renderer->textureName), 1u)
            << coordinator.GetComponent<Identifier>(entity)->name << " shows " << renderer->textureName;
    }

    // The input system carries the cursor entity to the world cursor. (The logo's opening zoom
    // may have begun, so the world point is near the pixel's, not on it.)
    game->platform.SetCursor(100, 100);
    game->RunFrames(2);
    const Transform& cursorPlace = *coordinator.GetComponent<Transform>(cursor);
    EXPECT_EQ(cursorPlace.position.x, static_cast<float>(coordinator.WorldCursor->x));
    EXPECT_EQ(cursorPlace.position.y, static_cast<float>(coordinator.WorldCursor->y));
    EXPECT_NEAR(cursorPlace.position.x, 100.0f, 5.0f);
    EXPECT_NEAR(cursorPlace.position.y, 980.0f, 5.0f);
}
