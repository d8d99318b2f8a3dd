#include "support/SettingsValidity.h"

#include <rapidjson/document.h>

#include <array>
#include <cmath>
#include <sstream>

namespace
{
constexpr std::array<const char*, 15> FlagKeys = {
    "PeformanceOutput",        "EnableFullScreen",       "Mute",
    "Unlocked Farmhouse",      "Unlocked Warehouse",     "Unlocked TownHall",
    "First Cutscene Cleared",  "Second Cutscene Cleared", "Third Cutscene Cleared",
    "Fourth Cutscene Cleared", "Tutorial 1 Cleared",     "Tutorial 2 Cleared",
    "Allow Cheats",            "wWidth",                 "wHeight"};
constexpr std::size_t FlagCount = 13;
constexpr std::array<const char*, 3> VolumeKeys = {"All Vol", "BGM Vol", "SFX Vol"};
constexpr std::array<const char*, 2> TextKeys = {"StartingLevel", "PrefabJSON"};
constexpr std::size_t KeyCount = 21;
}

testing::AssertionResult SettingsFileIsValid(const std::string& text)
{
    rapidjson::Document settings;
    settings.Parse(text.c_str());
    if (settings.HasParseError() || !settings.IsObject())
        return testing::AssertionFailure() << "the settings file is not a JSON object:\n" << text;
    std::ostringstream faults;
    const auto member = [&](const char* key) -> const rapidjson::Value* {
        const auto found = settings.FindMember(key);
        if (found == settings.MemberEnd())
        {
            faults << "\n  \"" << key << "\" is missing";
            return nullptr;
        }
        return &found->value;
    };
    for (std::size_t i = 0; i < FlagKeys.size(); ++i)
    {
        const rapidjson::Value* value = member(FlagKeys[i]);
        if (value == nullptr)
            continue;
        if (i < FlagCount && !value->IsBool())
            faults << "\n  \"" << FlagKeys[i] << "\" is not true or false";
        if (i >= FlagCount && !(value->IsInt() && value->GetInt() > 0))
            faults << "\n  \"" << FlagKeys[i] << "\" is not a positive integer";
    }
    for (const char* key : VolumeKeys)
        if (const rapidjson::Value* value = member(key))
            if (!value->IsNumber() || !(value->GetDouble() >= 0.0 && value->GetDouble() <= 1.0))
                faults << "\n  \"" << key << "\" is not a volume from 0 to 1";
    for (const char* key : TextKeys)
        if (const rapidjson::Value* value = member(key))
            if (!value->IsString() || value->GetStringLength() == 0)
                faults << "\n  \"" << key << "\" is not a path";
    if (const rapidjson::Value* value = member("Camera Sensitivity"))
        if (!value->IsNumber() || !std::isfinite(value->GetDouble()))
            faults << "\n  \"Camera Sensitivity\" is not a finite number";
    if (settings.MemberCount() != KeyCount)
        faults << "\n  " << settings.MemberCount() << " keys instead of " << KeyCount;
    if (faults.str().empty())
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the settings file is not valid:" << faults.str() << "\n" << text;
}
