#include "game/definitions/ButtonActions.h"
#include "game/definitions/GameStates.h"
#include "game/definitions/ImageEffects.h"
#include "game/definitions/LevelFiles.h"
#include "game/definitions/NameTableJson.h"
#include "game/definitions/ObjectiveTypes.h"
#include "game/definitions/Orientations.h"
#include "game/definitions/SettingKeys.h"
#include "game/definitions/TextEffects.h"
#include "game/definitions/WeaponTypes.h"
#include "support/AssertCapture.h"

#include <gtest/gtest.h>

#include <rapidjson/document.h>

#include <set>

namespace
{
// Every entry found by its key and its key found by its code; sizes and the codes' uniqueness.
template <class Code>
void ExpectRoundTrips(const NameTable<Code>& table, std::size_t size)
{
    EXPECT_EQ(table.Walk().size(), size);
    std::set<std::string> keys;
    std::set<Code> codes;
    for (const auto& entry : table.Walk())
    {
        SCOPED_TRACE(entry.key);
        EXPECT_EQ(table.Find(entry.key), entry.code);
        EXPECT_EQ(table.KeyOf(entry.code), entry.key);
        keys.insert(entry.key);
        codes.insert(entry.code);
    }
    EXPECT_EQ(keys.size(), size);
    EXPECT_EQ(codes.size(), size);
}

rapidjson::Document Parse(const char* text)
{
    rapidjson::Document document;
    document.Parse(text);
    return document;
}
}

TEST(NameTables, EveryEntryRoundTripsAndTheCodesAreTheGamesNumbers)
{
    ExpectRoundTrips(WeaponTypes(), 5);
    ExpectRoundTrips(LevelFiles(), 4);
    ExpectRoundTrips(GameStates(), 7);
    ExpectRoundTrips(ObjectiveTypes(), 2);
    ExpectRoundTrips(TextEffects(), 3);
    ExpectRoundTrips(ImageEffects(), 11);
    ExpectRoundTrips(ButtonActions(), 25);
    ExpectRoundTrips(Orientations(), 3);
    ExpectRoundTrips(SettingKeys(), 5);

    EXPECT_EQ(WeaponTypes().Find("USP_S"), WeaponType::USP_S);
    EXPECT_EQ(static_cast<int>(*WeaponTypes().Find("AK_47")), 3);
    EXPECT_EQ(static_cast<int>(*LevelFiles().Find("Resources/Level_Farmhouse.json")), 1);
    EXPECT_EQ(static_cast<int>(*LevelFiles().Find("Resources/Level_TownHall.json")), 3);
    EXPECT_EQ(static_cast<int>(*GameStates().Find("Previous")), 6);
    EXPECT_EQ(static_cast<int>(*ObjectiveTypes().Find("Escape")), 1);
    EXPECT_EQ(static_cast<int>(*ImageEffects().Find("Delay")), 10);
    EXPECT_EQ(static_cast<int>(*ButtonActions().Find("ButtonDisappear")), 24);
    EXPECT_EQ(static_cast<int>(*SettingKeys().Find("CameraSensitivity")), 4);
}

TEST(NameTables, KeysCompareByteForByte)
{
    struct Case
    {
        const char* what;
        bool found;
    };
    const Case weapons[] = {{"M4A1", true}, {"m4a1", false}, {" M4A1", false}, {"M4A1 ", false}, {"M4a1", false}};
    for (const Case& c : weapons)
        EXPECT_EQ(WeaponTypes().Find(c.what).has_value(), c.found) << "\"" << c.what << "\"";

    EXPECT_EQ(ButtonActions().Find("Deactivate BindTo Entity"), ButtonAction::DeactivateBindToEntity);
    EXPECT_FALSE(ButtonActions().Find("DeactivateBindToEntity"));
    EXPECT_FALSE(ButtonActions().Find("Deactivate  BindTo Entity"));

    EXPECT_FALSE(LevelFiles().Find("Resources\\Level_Farmhouse.json"));
    EXPECT_FALSE(LevelFiles().Find("resources/Level_Farmhouse.json"));
    EXPECT_FALSE(LevelFiles().Find("Resources/level_Farmhouse.json"));
    EXPECT_FALSE(LevelFiles().Find("Level_Farmhouse.json"));
}

TEST(NameTables, TheEmptyTextIsAKeyOnlyWhereItIsListed)
{
    EXPECT_EQ(ButtonActions().Find(""), ButtonAction::None);
    EXPECT_EQ(Orientations().Find(""), Orientation::None);
    EXPECT_EQ(SettingKeys().Find(""), SettingKey::None);
    EXPECT_FALSE(WeaponTypes().Find(""));
    EXPECT_FALSE(LevelFiles().Find(""));
    EXPECT_FALSE(GameStates().Find(""));
    EXPECT_FALSE(ObjectiveTypes().Find(""));
    EXPECT_FALSE(TextEffects().Find(""));
    EXPECT_FALSE(ImageEffects().Find(""));
}

TEST(NameTables, ReverseLookups)
{
    EXPECT_EQ(ButtonActions().KeyOf(ButtonAction::ApplySoundSettings), "ApplySoundSettings");
    EXPECT_EQ(ButtonActions().KeyOf(ButtonAction::PlusButtonMaster), "PlusButtonMaster");
    EXPECT_EQ(ButtonActions().KeyOf(ButtonAction::None), "");
    // The same word in two tables, each with its own code.
    EXPECT_EQ(ImageEffects().KeyOf(ImageEffect::NoFX), "No_FX");
    EXPECT_EQ(TextEffects().KeyOf(TextEffect::NoFX), "No_FX");
    EXPECT_EQ(TextEffects().Find("Flicker"), std::nullopt);
    // Codes that have no key.
    EXPECT_FALSE(WeaponTypes().KeyOf(WeaponType::None));
    EXPECT_FALSE(GameStates().KeyOf(GameState::None));
    EXPECT_FALSE(LevelFiles().KeyOf(LevelId::None));
    EXPECT_FALSE(ImageEffects().KeyOf(static_cast<ImageEffect>(11)));
}

TEST(NameTables, JsonMembersSetTheFieldOnlyWhenTheyNameAKey)
{
    struct Case
    {
        const char* json;
        TextEffect expected;
    };
    const Case cases[] = {
        {R"({"FontFX": "Typewriter"})", TextEffect::Typewriter},
        {R"({})", TextEffect::Flashing},                        // missing keeps
        {R"({"FontFX": "typewriter"})", TextEffect::Flashing},  // wrong case keeps
        {R"({"FontFX": ""})", TextEffect::Flashing},            // empty text is no key here
        {R"({"FontFX": "Flicker"})", TextEffect::Flashing},     // another table's word
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.json);
        TextEffect field = TextEffect::Flashing;
        ReadTableKey(Parse(c.json), "FontFX", TextEffects(), field);
        EXPECT_EQ(field, c.expected);
    }

    ButtonAction action = ButtonAction::Heal;
    ReadTableKey(Parse(R"({"UniqueBehaviour": ""})"), "UniqueBehaviour", ButtonActions(), action);
    EXPECT_EQ(action, ButtonAction::None);

    GameState state = GameState::None;
    const rapidjson::Document number = Parse(R"({"ChangeGameState": 3})");
    EXPECT_EQ(AssertMessageOf([&] { ReadTableKey(number, "ChangeGameState", GameStates(), state); }), "JSON ERROR");
    EXPECT_EQ(state, GameState::None);
}

TEST(NameTables, JsonListsKeepTheKnownNamesInOrder)
{
    std::vector<ImageEffect> effects;
    const rapidjson::Document names = Parse(R"({"QueueToFX": ["FadeTo", "Bogus", "Delay", "fadeto"]})");
    ReadTableKeyList(names, "QueueToFX", ImageEffects(), effects);
    EXPECT_EQ(effects, (std::vector<ImageEffect>{ImageEffect::FadeTo, ImageEffect::Delay}));

    ReadTableKeyList(Parse(R"({})"), "QueueToFX", ImageEffects(), effects);
    EXPECT_EQ(effects.size(), 2u) << "a missing list appends nothing";

    const rapidjson::Document notAList = Parse(R"({"QueueToFX": "FadeTo"})");
    const rapidjson::Document notANameInside = Parse(R"({"QueueToFX": ["FadeTo", 4]})");
    EXPECT_EQ(AssertMessageOf([&] { ReadTableKeyList(notAList, "QueueToFX", ImageEffects(), effects); }), "JSON ERROR");
    EXPECT_EQ(AssertMessageOf([&] { ReadTableKeyList(notANameInside, "QueueToFX", ImageEffects(), effects); }),
              "JSON ERROR");
}

TEST(NameTables, WrittenKeysReadBackToTheSameCode)
{
    rapidjson::Document document(rapidjson::kObjectType);
    WriteTableKey(document, "Weapon", WeaponTypes(), WeaponType::Barrett, document.GetAllocator());
    WriteTableKey(document, "Unarmed", WeaponTypes(), WeaponType::None, document.GetAllocator());
    WriteTableKey(document, "State", GameStates(), GameState::None, document.GetAllocator());
    EXPECT_STREQ(document["Weapon"].GetString(), "Barrett");
    EXPECT_STREQ(document["Unarmed"].GetString(), "");

    WeaponType weapon = WeaponType::None;
    ReadTableKey(document, "Weapon", WeaponTypes(), weapon);
    EXPECT_EQ(weapon, WeaponType::Barrett);
    ReadTableKey(document, "Unarmed", WeaponTypes(), weapon);
    EXPECT_EQ(weapon, WeaponType::Barrett) << "a code without a key reads back as no change";
    GameState state = GameState::None;
    ReadTableKey(document, "State", GameStates(), state);
    EXPECT_EQ(state, GameState::None);
}
