#include "support/AssertCapture.h"
#include "support/PhysicsWorld.h"
#include "support/SquadGame.h"
#include "support/WorldSanity.h"

#include "game/flow/GameProcessState.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bHUD.h"
#include "game/squad/SoldierSharedState.h"
#include "game/squad/bPlayerBehaviour.h"
#include "game/squad/bUniqueGrid.h"

#include <gtest/gtest.h>
#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

namespace
{
rapidjson::Document Parse(const std::string& text)
{
    rapidjson::Document document;
    document.Parse(text.c_str());
    return document;
}

std::string Written(const bPlayerBehaviour& soldier)
{
    rapidjson::Document document(rapidjson::kObjectType);
    soldier.Serialize(document, document.GetAllocator());
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    document.Accept(writer);
    return buffer.GetString();
}

struct Figures
{
    int damage;
    int fireRate;
    int reloadRate;
    int clipSize;
    WeaponType type;
    int soundClass;
};

Figures FiguresOf(const bPlayerBehaviour& soldier)
{
    const WeaponFigures& w = soldier.WeaponStats;
    return {w.ShotDamage, w.FireRate, w.ReloadRate, w.ClipSize, w.WeaponType, w.SoundClass};
}

bool operator==(const Figures& a, const Figures& b)
{
    return a.damage == b.damage && a.fireRate == b.fireRate && a.reloadRate == b.reloadRate &&
           a.clipSize == b.clipSize && a.type == b.type && a.soundClass == b.soundClass;
}

std::ostream& operator<<(std::ostream& out, const Figures& f)
{
    return out << "{" << f.damage << ", " << f.fireRate << ", " << f.reloadRate << ", " << f.clipSize << ", "
               << static_cast<int>(f.type) << ", " << f.soundClass << "}";
}
}

TEST(SoldierData, EachWeaponNameGivesItsFigures)
{
    const struct
    {
        const char* weapon;
        Figures figures;
    } cases[] = {
        {"M4A1", {6, 16, 13, 30, WeaponType::M4A1, 1}},
        {"Barrett", {100, 1, 12, 8, WeaponType::Barrett, 3}},
        {"AK_47", {10, 12, 13, 20, WeaponType::AK_47, 1}},
        {"Glock", {8, 15, 20, 15, WeaponType::Glock, 2}},
        {"USP_S", {8, 15, 20, 15, WeaponType::USP_S, 2}},
        // Not a name of the table: the soldier stays unarmed.
        {"m4a1", {0, 0, 0, 0, WeaponType::None, 0}},
        {" M4A1", {0, 0, 0, 0, WeaponType::None, 0}},
        {"", {0, 0, 0, 0, WeaponType::None, 0}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.weapon);
        bPlayerBehaviour soldier;
        soldier.Deserialize(Parse(std::string(R"({"Weapon": ")") + c.weapon + "\"}"));
        EXPECT_EQ(FiguresOf(soldier), c.figures);
    }
}

TEST(SoldierData, MissingKeysKeepTheDefaultsAndCountersKeepTheirLow16Bits)
{
    bPlayerBehaviour soldier;
    soldier.Deserialize(Parse(R"({"Weapon": "Glock"})"));
    EXPECT_EQ(soldier.MaxHealth, 0.0f);
    EXPECT_EQ(soldier.TriggerRange, 0.0f);
    EXPECT_EQ(soldier.TargetTag, "");
    EXPECT_EQ(soldier.ProximityRange, 200.0f);
    EXPECT_EQ(soldier.FieldOfView, 51.0f);
    EXPECT_EQ(soldier.AmmoTotal, 0);
    EXPECT_EQ(soldier.PlayerNumber, 0xFFFF);
    EXPECT_EQ(soldier.Target, NO_ENTITY);

    const struct
    {
        const char* json;
        std::uint16_t ammo;
    } wraps[] = {{R"({"AmmoTotal": 65535})", 65535},
                 {R"({"AmmoTotal": 65536})", 0},
                 {R"({"AmmoTotal": 70000})", 4464},
                 {R"({"AmmoTotal": -1})", 65535},
                 {R"({"AmmoTotal": 5000000000})", 61952}};
    for (const auto& wrap : wraps)
    {
        SCOPED_TRACE(wrap.json);
        soldier.Deserialize(Parse(wrap.json));
        EXPECT_EQ(soldier.AmmoTotal, wrap.ammo);
    }
    soldier.Deserialize(Parse(R"({"HealthPacks": 65538, "Grenades": 3, "Molotovs": 131071})"));
    EXPECT_EQ(soldier.HealthPacks, 2);
    EXPECT_EQ(soldier.Grenades, 3);
    EXPECT_EQ(soldier.Molotovs, 65535);

    EXPECT_EQ(AssertMessageOf([&] { soldier.Deserialize(Parse(R"({"AmmoTotal": 4.5})")); }), "JSON ERROR");
    EXPECT_EQ(AssertMessageOf([&] { soldier.Deserialize(Parse(R"({"Grenades": "3"})")); }), "JSON ERROR");
    EXPECT_EQ(AssertMessageOf([&] { soldier.Deserialize(Parse(R"({"MaxHealth": "full"})")); }), "JSON ERROR");
}

TEST(SoldierData, ANewWeaponReplacesTheWholeRecordAndItsCheatFlags)
{
    bPlayerBehaviour soldier;
    soldier.Deserialize(Parse(R"({"Weapon": "Barrett"})"));
    soldier.WeaponStats.InfiniteAmmo = true;
    soldier.WeaponStats.InstantKill = true;
    soldier.Deserialize(Parse(R"({"Weapon": "AK_47"})"));
    EXPECT_EQ(FiguresOf(soldier), (Figures{10, 12, 13, 20, WeaponType::AK_47, 1}));
    EXPECT_FALSE(soldier.WeaponStats.InfiniteAmmo);
    EXPECT_FALSE(soldier.WeaponStats.InstantKill);

    soldier.WeaponStats.InfiniteAmmo = true;
    soldier.Deserialize(Parse(R"({"Weapon": "Bazooka"})"));
    EXPECT_EQ(soldier.WeaponStats.WeaponType, WeaponType::AK_47) << "an unknown name leaves the record";
    EXPECT_TRUE(soldier.WeaponStats.InfiniteAmmo);
    EXPECT_EQ(soldier.GetSpareAmmo(), 65535) << "infinite ammunition, whatever AmmoTotal holds";
    soldier.WeaponStats.InfiniteAmmo = false;
    soldier.AmmoTotal = 12;
    EXPECT_EQ(soldier.GetSpareAmmo(), 12);
}

TEST(SoldierData, SerializeWritesTheKeysInOrderAndReadsBackTheSame)
{
    bPlayerBehaviour soldier;
    soldier.Deserialize(Parse(R"({"MaxHealth": 100, "CurrentHealth": 80.5, "TriggerRange": 450, "TargetTag": "ENEMY",
                                  "Weapon": "USP_S", "AmmoTotal": 70000, "HealthPacks": 2, "Grenades": 1, "Molotovs": 0})"));
    const std::string written = Written(soldier);
    EXPECT_EQ(written, R"({"MaxHealth":100.0,"CurrentHealth":80.5,"TriggerRange":450.0,"TargetTag":"ENEMY",)"
                       R"("Weapon":"USP_S","AmmoTotal":4464,"HealthPacks":2,"Grenades":1,"Molotovs":0,)"
                       R"("ProximityRange":200.0,"FieldOfView":51.0})");
    bPlayerBehaviour again;
    again.Deserialize(Parse(written));
    EXPECT_EQ(Written(again), written);

    // An unarmed soldier writes a weapon no table has, which reads back unarmed.
    bPlayerBehaviour unarmed;
    unarmed.Deserialize(Parse(Written(bPlayerBehaviour())));
    EXPECT_EQ(unarmed.WeaponStats.WeaponType, WeaponType::None);
    EXPECT_EQ(unarmed.WeaponStats.FireRate, 0);
}

// Start on a bare world: the grid lookup, the full magazine and the number taken from the name.
struct SoldierStart : testing::Test
{
    PhysicsWorld world;
    Coordinator& coordinator = world.coordinator;
    bHUD hud;
    bPlayerBehaviour soldier;

    void SetUp() override
    {
        ResetGameProcessState();
        soldier.Deserialize(Parse(R"({"Weapon": "AK_47"})"));
    }
    void TearDown() override { ResetGameProcessState(); }
};

TEST_F(SoldierStart, WithoutAPathGridTheLevelCannotStart)
{
    soldier.SetEntity(world.Thing("Player_1", {0, 0}));
    EXPECT_EQ(AssertMessageOf([&] { soldier.Start(coordinator); }), "PATHFINDING GRID NOT FOUND");
}

TEST_F(SoldierStart, TheNumberInTheNameChoosesTheHudsSelectionMarker)
{
    world.Thing("PathfindingGrid", {0, 0});
    hud.SelectionEntities = {world.Thing("Selected_1", {0, 0}), world.Thing("Selected_2", {0, 0})};
    soldier.SetEntity(world.Thing("Player_2", {30, 40}));

    soldier.Start(coordinator);
    EXPECT_EQ(soldier.PlayerNumber, 0xFFFF) << "no HUD, no number";
    EXPECT_EQ(soldier.SelectionMarker, NO_ENTITY);
    EXPECT_EQ(soldier.ClipRounds, 20) << "the magazine starts full";
    EXPECT_EQ(soldier.HomePosition.x, 30.0f);
    EXPECT_EQ(soldier.PathGrid, nullptr) << "a grid entity without a bUniqueGrid";

    HUDInstance() = &hud;
    soldier.Start(coordinator);
    EXPECT_EQ(soldier.PlayerNumber, 2);
    EXPECT_EQ(soldier.SelectionMarker, hud.SelectionEntities[1]);

    bPlayerBehaviour beyond;
    beyond.SetEntity(world.Thing("Player_3", {0, 0}));
    beyond.Start(coordinator);
    EXPECT_EQ(beyond.PlayerNumber, 3);
    EXPECT_EQ(beyond.SelectionMarker, NO_ENTITY) << "the HUD has no third marker";

    bPlayerBehaviour numberless;
    numberless.SetEntity(world.Thing("Sergeant", {0, 0}));
    EXPECT_EQ(AssertMessageOf([&] { numberless.Start(coordinator); }),
              "invalid stoi argument: the soldier \"Sergeant\" has no number in its name");
}

// The torch: a soldier without a range of its own sees as far as its torch, less 20.
TEST(SoldierTorch, WithoutATriggerRangeTheTorchSetsIt)
{
    auto game = SquadGame("Contacts.json");
    auto soldier = game->Behaviour<bPlayerBehaviour>("Player_1");
    ASSERT_TRUE(soldier);
    EXPECT_EQ(soldier->TriggerRange, 280.0f) << "the SpotLight child's radius 300, less 20; the badge is no torch";
    EXPECT_EQ(soldier->ClipRounds, 20);
    EXPECT_EQ(PlayerList(), std::vector<Entity>{soldier->entity});
    EXPECT_TRUE(WorldIsSane(*game->coordinator));
}

TEST(SoldierTorch, AGivenTriggerRangeIsKept)
{
    auto game = SquadGame("Sight.json");
    EXPECT_EQ(game->Behaviour<bPlayerBehaviour>("Player_1")->TriggerRange, 600.0f);
}
