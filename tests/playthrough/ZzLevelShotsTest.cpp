#include "support/SquadGame.h"
#include "support/TestGame.h"
#include "engine/components/Transform.h"
#include <GL/glew.h>
#include <gtest/gtest.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION_NOT
#include <stb/stb_image_write.h>
#include <vector>
#include <cstdlib>

TEST(ZzLevelShots, Write)
{
    const char* levels[] = {"Level_AbandonedHouse", "Level_Farmhouse", "Level_Warehouse", "Level_TownHall"};
    const float centres[][3] = {{896, 480, 1200}, {1152, 640, 1500}, {1408, 640, 1500}, {1600, 704, 1700}};
    for (int i = 0; i < 4; ++i)
    {
        TestGame game(std::string(DUSKVANE_SOURCE_DIR) + "/Resources/" + levels[i] + ".json", GamePrefabFile());
        Coordinator& c = *game.coordinator;
        c.ResourceManager.LoadStage3(c);
        game.RunFrames(150);
        Transform* cam = c.GetComponent<Transform>(c.CameraEntity);
        cam->position = {centres[i][0], centres[i][1]};
        c.ViewHeight = centres[i][2];
        game.RunFrames(3);
        std::vector<unsigned char> px(1920 * 1080 * 4);
        glReadPixels(0, 0, 1920, 1080, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
        std::vector<unsigned char> flip(px.size());
        for (int y = 0; y < 1080; ++y)
            std::copy(px.begin() + (1079 - y) * 1920 * 4, px.begin() + (1080 - y) * 1920 * 4, flip.begin() + y * 1920 * 4);
        stbi_write_png((std::string("/tmp/shot_") + levels[i] + ".png").c_str(), 1920, 1080, 4, flip.data(), 1920 * 4);
    }
}
