#include "support/AssertCapture.h"

#include "engine/core/Assert.h"
#include "game/squad/bAOEdamage.h"
#include "game/squad/bExplosives.h"
#include "game/squad/bTargetableObjects.h"

#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <string>
#include <vector>

// The JSON of targets, explosives and damage areas: what is read, what is written back and in
// which order, and the JSON error for a value of the wrong kind.

namespace
{
rapidjson::Document Parse(const char* text)
{
    rapidjson::Document document;
    document.Parse(text);
    return document;
}

template <class Behaviour>
std::vector<std::string> WrittenKeys(const Behaviour& behaviour, rapidjson::Document& out)
{
    out.SetObject();
    behaviour.Serialize(out, out.GetAllocator());
    std::vector<std::string> keys;
    for (const auto& member : out.GetObject())
        keys.emplace_back(member.name.GetString());
    return keys;
}
}

TEST(DamageData, ATargetReadsItsListsAndWritesTheTenKeysBack)
{
    bTargetableObjects target;
    target.Deserialize(Parse(R"({"MaxHealth": 80, "CurrentHealth": 60, "HoverTexture": "Lit",
                                 "OnDestroy": ["Explosion_AOE", "Fire_AOE"], "EffectRange": [140, 90.5],
                                 "Damage": [70], "FriendlyFire": [0.5, 0.25]})"));
    EXPECT_EQ(target.MaxHealth, 80.0f);
    EXPECT_EQ(target.CurrentHealth, 60.0f);
    EXPECT_EQ(target.OnDestroy, (std::vector<std::string>{"Explosion_AOE", "Fire_AOE"}));
    EXPECT_EQ(target.EffectRange, (std::vector<float>{140.0f, 90.5f}));
    EXPECT_EQ(target.Damage, (std::vector<float>{70.0f}));
    EXPECT_TRUE(target.Duration.empty());
    // Lists are appended to.
    target.Deserialize(Parse(R"({"Damage": [8]})"));
    EXPECT_EQ(target.Damage, (std::vector<float>{70.0f, 8.0f}));

    rapidjson::Document written;
    EXPECT_EQ(WrittenKeys(target, written),
              (std::vector<std::string>{"NonHoverTexture", "HoverTexture", "MaxHealth", "CurrentHealth", "OnDestroy",
                                        "EffectRange", "Damage", "Duration", "DamageTick", "FriendlyFire"}));
    bTargetableObjects copy;
    copy.Deserialize(written);
    EXPECT_EQ(copy.HoverTexture, "Lit");
    EXPECT_EQ(copy.OnDestroy, target.OnDestroy);
    EXPECT_EQ(copy.FriendlyFire, target.FriendlyFire);
    EXPECT_EQ(copy.CurrentHealth, 60.0f);
}

TEST(DamageData, AnExplosiveAndAnAreaWriteTheirKeysInOrderAndReadThemBack)
{
    bExplosives explosive;
    explosive.Deserialize(Parse(R"({"OnDestroy": "Fire_AOE", "EffectRange": 70, "SFX": "Throw_false_SFX_",
                                    "SFXDelay": 0.25, "ScreenShake": true, "ExplodeDelay": 0.2})"));
    EXPECT_EQ(explosive.OnDestroy, "Fire_AOE");
    EXPECT_TRUE(explosive.ScreenShake);
    EXPECT_EQ(explosive.ExplodeDelay, 0.2f);
    EXPECT_EQ(explosive.Damage, 0.0f);
    rapidjson::Document written;
    EXPECT_EQ(WrittenKeys(explosive, written),
              (std::vector<std::string>{"Duration", "Damage", "EffectRange", "DamageTick", "FriendlyFire", "OnDestroy",
                                        "SFX", "SFXDelay", "ScreenShake", "ExplodeDelay"}));
    bExplosives explosiveCopy;
    explosiveCopy.Deserialize(written);
    EXPECT_EQ(explosiveCopy.EffectRange, 70.0f);
    EXPECT_EQ(explosiveCopy.SFXDelay, 0.25f);
    // Only the literal true shakes.
    explosiveCopy.Deserialize(Parse(R"({"ScreenShake": 1})"));
    EXPECT_FALSE(explosiveCopy.ScreenShake);

    bAOEdamage area;
    area.Deserialize(Parse(R"({"Range": 50, "MaxSize": 150, "SizeDuration": 2, "Duration": 5, "DamageTick": 0.5,
                               "EnemyFire": 0.2, "SFX": "Fire_true_SFX_", "WallBounded": true})"));
    EXPECT_EQ(area.GrowthRate, 50.0f);
    EXPECT_TRUE(area.WallBounded);
    EXPECT_EQ(WrittenKeys(area, written),
              (std::vector<std::string>{"Duration", "Damage", "Range", "DamageTick", "FriendlyFire", "EnemyFire", "SFX",
                                        "WallBounded", "MaxSize", "SizeDuration"}));
    bAOEdamage areaCopy;
    areaCopy.Deserialize(written);
    EXPECT_EQ(areaCopy.GrowthRate, 50.0f);
    EXPECT_EQ(areaCopy.EnemyFire, 0.2f);
    EXPECT_EQ(areaCopy.SFX, "Fire_true_SFX_");
}

TEST(DamageData, AValueOfTheWrongKindIsTheJsonError)
{
    const char* targetCases[] = {
        R"({"OnDestroy": "Explosion_AOE"})",
        R"({"OnDestroy": ["Explosion_AOE", 3]})",
        R"({"EffectRange": [100, "far"]})",
        R"({"MaxHealth": "plenty"})",
    };
    for (const char* json : targetCases)
    {
        bTargetableObjects target;
        const rapidjson::Document document = Parse(json);
        EXPECT_EQ(AssertMessageOf([&] { target.Deserialize(document); }), "JSON ERROR") << json;
    }
    bExplosives explosive;
    const rapidjson::Document explosiveData = Parse(R"({"OnDestroy": 7})");
    EXPECT_EQ(AssertMessageOf([&] { explosive.Deserialize(explosiveData); }), "JSON ERROR");
    bAOEdamage area;
    const rapidjson::Document areaData = Parse(R"({"MaxSize": 150, "SizeDuration": "slowly"})");
    EXPECT_EQ(AssertMessageOf([&] { area.Deserialize(areaData); }), "JSON ERROR");
    ErrorFlag() = false;
}
