#include "engine/core/Json.h"
#include "support/GeneratedAssets.h"

#include <gtest/gtest.h>
#include <stb_image.h>

#include <algorithm>
#include <map>
#include <set>

namespace fs = std::filesystem;

namespace
{
struct ScannedImage
{
    std::string group, subgroup, file;
};

// The images in the order the game's scan records them: group, subgroup, file, each listing
// sorted; a dotless entry ends a subgroup's listing.
std::vector<ScannedImage> ScanImages(const fs::path& root)
{
    std::vector<ScannedImage> images;
    for (const fs::path& group : ScanListing(root / "Resources/images"))
        for (const fs::path& sub : ScanListing(group))
        {
            if (!fs::is_directory(sub))
                continue;
            for (const fs::path& file : ScanListing(sub))
            {
                if (file.filename().string().find('.') == std::string::npos)
                    break;
                images.push_back({group.filename().string(), sub.filename().string(), file.filename().string()});
            }
        }
    return images;
}

std::string KeyOf(const std::string& file) { return file.substr(0, file.find('.')); }

// The clip names an Animation state can take.
const std::set<std::string>& StateNames()
{
    static const std::set<std::string> names{"Idle",   "RunDown",     "RunLeft",          "RunRight",        "Shooting",
                                             "blank",  "Explosion",   "Hitmarker",        "TakeDamage",      "Non_Hover",
                                             "Hover",  "GreenBloodDamage", "GreenBloodDeath", "Death",        "Sparks",
                                             "Block",  "Aim",         "Throwing",         "Melee"};
    return names;
}
}

TEST(AssetgenLayout, TextureKeysAreUniqueAndNamedOnce)
{
    const fs::path& root = SharedGeneratedAssets();
    std::set<std::string> keys;
    for (const ScannedImage& image : ScanImages(root))
    {
        EXPECT_EQ(std::count(image.file.begin(), image.file.end(), '.'), 1) << image.file;
        EXPECT_EQ(fs::path(image.file).extension(), ".png") << image.file;
        EXPECT_TRUE(keys.insert(KeyOf(image.file)).second) << "texture key twice: " << image.file;
        int w = 0, h = 0, n = 0;
        fs::path path = root / "Resources/images" / image.group / image.subgroup / image.file;
        unsigned char* pixels = stbi_load(path.c_str(), &w, &h, &n, 4);
        ASSERT_NE(pixels, nullptr) << path;
        int visible = 0;
        for (int i = 0; i < w * h; ++i)
            visible += pixels[i * 4 + 3] > 0;
        stbi_image_free(pixels);
        EXPECT_GT(visible, w * h / 50) << "next to nothing to see in " << path;
    }
    for (const fs::path& editor : ScanListing(root / "Editor_Resources"))
        EXPECT_TRUE(keys.insert(KeyOf(editor.filename().string())).second) << "editor key clashes: " << editor;
    // Only group and subgroup folders hold images: nothing sits at the first two levels.
    for (const fs::path& group : ScanListing(root / "Resources/images"))
    {
        EXPECT_TRUE(fs::is_directory(group)) << group;
        for (const fs::path& sub : ScanListing(group))
            EXPECT_TRUE(fs::is_directory(sub)) << sub;
    }
    EXPECT_GT(keys.size(), 200u);
}

TEST(AssetgenLayout, StagesFollowTheScanOrder)
{
    const fs::path& root = SharedGeneratedAssets();
    std::vector<ScannedImage> images = ScanImages(root);
    ASSERT_GT(images.size(), 206u) << "every stage should have images";
    std::set<std::string> groups, subgroupsSeen;
    size_t firstEnd = 0, secondEnd = 0;
    for (size_t i = 0; i < images.size(); ++i)
    {
        const ScannedImage& image = images[i];
        groups.insert(image.group);
        subgroupsSeen.insert(image.group + "/" + image.subgroup);
        // Whatever the logo, main menu and the menus' own screens use is in the first stage;
        // the level select and the cutscenes are in by the end of the second.
        if (image.group == "First_Load")
        {
            EXPECT_LT(i, 92u) << image.subgroup << "/" << image.file;
            firstEnd = i + 1;
        }
        if (image.group == "Second_Load")
        {
            EXPECT_LT(i, 206u) << image.subgroup << "/" << image.file;
            secondEnd = i + 1;
        }
        if (image.group == "Third_Load")
        {
            EXPECT_GE(i, secondEnd) << "level images come after the level select and cutscenes";
        }
    }
    EXPECT_EQ(groups, (std::set<std::string>{"First_Load", "Second_Load", "Third_Load"}));
    EXPECT_LE(firstEnd, secondEnd);
    for (const char* needed : {"First_Load/Logos", "First_Load/MainMenu", "First_Load/Cursor", "First_Load/Transition",
                               "Second_Load/LevelSelect", "Second_Load/Cutscenes", "Third_Load/HUD"})
        EXPECT_TRUE(subgroupsSeen.count(needed)) << needed;
    EXPECT_TRUE(fs::exists(root / "Resources/images/First_Load/Logos/dvico.png"));
    EXPECT_TRUE(fs::exists(root / "Resources/images/First_Load/Logos/dvico2.png"));
}

TEST(AssetgenLayout, EverySheetAgreesWithItsMetadata)
{
    const fs::path& root = SharedGeneratedAssets();
    int sheets = 0;
    for (const fs::path& tag : ScanListing(root / "Resources/animation"))
        for (const fs::path& state : ScanListing(tag))
        {
            SCOPED_TRACE(tag.filename().string() + "/" + state.filename().string());
            ++sheets;
            EXPECT_TRUE(StateNames().count(state.filename().string())) << "no Animation state plays this clip";
            std::vector<fs::path> pictures;
            for (const fs::path& f : ScanListing(state))
                if (f.extension() == ".png")
                    pictures.push_back(f);
            ASSERT_EQ(pictures.size(), 1u);
            int w = 0, h = 0, n = 0;
            ASSERT_TRUE(stbi_info(pictures[0].c_str(), &w, &h, &n));

            rapidjson::Document layout, format;
            Json::ParseFile((state / "layout.json").string(), layout);
            Json::ParseFile((state / "format.json").string(), format);
            ASSERT_TRUE(layout.IsArray());
            ASSERT_TRUE(format.IsArray() && !format.Empty());
            const rapidjson::Value& f = format[0];
            EXPECT_EQ(Json::Float(f, "ssWidth"), static_cast<float>(w));
            EXPECT_EQ(Json::Float(f, "ssHeight"), static_cast<float>(h));
            EXPECT_GT(Json::Float(f, "frameDelay"), 0.0f);

            ASSERT_GT(layout.Size(), 0u);
            float fw = Json::Float(layout[0], "width"), fh = Json::Float(layout[0], "height");
            ASSERT_GT(fw, 0.0f);
            ASSERT_GT(fh, 0.0f);
            int columns = static_cast<int>(w / fw), rows = static_cast<int>(h / fh);
            EXPECT_EQ(columns * fw, static_cast<float>(w)) << "frames tile the sheet's width";
            EXPECT_EQ(rows * fh, static_cast<float>(h)) << "frames tile the sheet's height";
            EXPECT_EQ(static_cast<int>(layout.Size()), columns * rows) << "one frame per grid cell";
            for (rapidjson::SizeType i = 0; i < layout.Size(); ++i)
            {
                const rapidjson::Value& frame = layout[i];
                EXPECT_EQ(Json::Float(frame, "width"), fw);
                EXPECT_EQ(Json::Float(frame, "height"), fh);
                // Playing order runs along the rows of the grid.
                EXPECT_EQ(Json::Float(frame, "x"), static_cast<float>(i % columns) * fw) << "frame " << i;
                EXPECT_EQ(Json::Float(frame, "y"), static_cast<float>(i / columns) * fh) << "frame " << i;
            }
        }
    EXPECT_GT(sheets, 40);
}

TEST(AssetgenLayout, EveryClipTheGameSetsHasASheet)
{
    const fs::path root = SharedGeneratedAssets() / "Resources/animation";
    std::map<std::string, std::vector<std::string>> needed{
        {"Zombie", {"Idle", "Shooting", "Death"}},
        {"Charger", {"Idle", "Aim", "Shooting", "Block", "Death", "Melee"}},
        {"Spitter", {"Idle", "Shooting", "Explosion", "Death"}},
        {"ONESHOT", {"Explosion", "GreenBloodDamage", "GreenBloodDeath", "Sparks"}},
        {"Pickup_Ammo", {"Idle"}},
        {"Pickup_Health", {"Idle"}},
        {"Pickup_Grenade", {"Idle"}},
        {"Pickup_Molotov", {"Idle"}},
        {"Projectile_Grenade", {"Idle"}},
        {"Projectile_Molotov", {"Idle"}},
        {"Projectile_Spit", {"Idle"}},
        {"Area_Fire", {"Idle"}},
        {"Area_Acid", {"Idle"}},
        {"Target_Barrel", {"Non_Hover", "Hover", "TakeDamage"}},
        {"Target_GasTank", {"Non_Hover", "Hover", "TakeDamage"}},
        {"Target_Crate", {"Non_Hover", "Hover", "TakeDamage"}},
    };
    for (const char* soldier : {"Soldier1", "Soldier2", "Soldier3", "Soldier4"})
        needed[soldier] = {"Idle", "Shooting", "Aim", "Throwing", "Death"};
    for (const auto& [tag, states] : needed)
        for (const std::string& state : states)
            EXPECT_TRUE(fs::exists(root / tag / state / "layout.json")) << tag << "/" << state;
}

// The engine centres the cursor's sprite on the pointer: the arrow's tip is the image's centre,
// the arrow lies below and right of it, and nothing is drawn above or left of the tip.
TEST(AssetgenLayout, TheCursorsTipIsTheImagesCentre)
{
    const fs::path path = SharedGeneratedAssets() / "Resources/images/First_Load/Cursor/Cursor.png";
    int w = 0, h = 0, n = 0;
    unsigned char* pixels = stbi_load(path.c_str(), &w, &h, &n, 4);
    ASSERT_NE(pixels, nullptr) << path;
    auto alpha = [&](int x, int y) { return pixels[(static_cast<std::size_t>(y) * w + x) * 4 + 3]; };
    const int cx = w / 2, cy = h / 2;
    int inkAboveOrLeft = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (alpha(x, y) > 0 && (y < cy - 4 || x < cx - 4))
                ++inkAboveOrLeft;
    EXPECT_EQ(inkAboveOrLeft, 0) << "ink away from the tip's quarter";
    EXPECT_GT(alpha(cx + 2, cy + 6), 200) << "the arrow starts at the centre";
    EXPECT_GT(alpha(cx + 12, cy + 30), 200) << "the arrow's body lies below and right";
    stbi_image_free(pixels);
}
