#include "support/content/SoldierContentRules.h"
#include "support/content/EngineContentRules.h"

#include "engine/components/Animation.h"
#include "engine/components/Identifier.h"
#include "engine/core/Json.h"
#include "engine/systems/GridSpec.h"
#include "game/squad/bUniqueGrid.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <string>

namespace
{
const char* const Soldier = "bPlayerBehaviour";
const char* const ThrowClip = "Throwing";

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

std::string BehaviourName(const DataEntity& entity)
{
    const rapidjson::Value* behaviour = Json::Find(*entity.json, "Behaviour");
    const rapidjson::Value* name = behaviour == nullptr ? nullptr : Json::Find(*behaviour, "NameOfThisBehaviour");
    return name != nullptr && name->IsString() ? name->GetString() : std::string();
}

// The number after "Player_" when the name is exactly "Player_" and decimal digits; 0 otherwise.
int RosterNumber(const std::string& name)
{
    const std::string prefix = "Player_";
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 4 || name.compare(0, prefix.size(), prefix) != 0)
        return 0;
    int number = 0;
    for (std::size_t i = prefix.size(); i < name.size(); ++i)
    {
        if (!std::isdigit(static_cast<unsigned char>(name[i])))
            return 0;
        number = number * 10 + (name[i] - '0');
    }
    return number;
}

void ThrowClipRule(const DataEntity& soldier, ContentReport& report)
{
    const Animation* animation = soldier.Get<Animation>();
    if (animation == nullptr)
        report.Fault(soldier, "is a soldier without an Animation, so it has no throwing clip and a throw never ends");
    else
        report.ExpectSpritesheet(soldier, animation->AnimationTag, ThrowClip,
                                 "a soldier's throw (it ends with the clip)");
}

void NumberedNameRule(const DataEntity& soldier, ContentReport& report)
{
    if (std::none_of(soldier.name.begin(), soldier.name.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        report.Fault(soldier, "is a soldier whose name has no digits; the HUD numbers soldiers by their name, so the "
                              "level stops when it starts");
}

// Per scene: soldiers "Player_1" to "Player_n", once each, tagged "PLAYER" and "PLAYERn".
void RosterRule(ContentReport& report)
{
    for (const DataFile* scene : report.Data().Scenes())
    {
        std::map<int, const DataEntity*> roster;
        for (const DataEntity& entity : scene->entities)
        {
            if (BehaviourName(entity) != Soldier)
                continue;
            const int number = RosterNumber(entity.name);
            if (number == 0)
            {
                report.Fault(entity, "is a soldier not named \"Player_\" and its number (from 1), so the HUD never "
                                     "finds it");
                continue;
            }
            if (!roster.emplace(number, &entity).second)
            {
                report.Fault(entity, "shares its name with another soldier of the scene");
                continue;
            }
            for (const std::string& tag : {std::string("PLAYER"), "PLAYER" + std::to_string(number)})
                if (!entity.HasTag(tag))
                    report.Fault(entity, "is a soldier without the tag " + Quoted(tag));
        }
        int expected = 1;
        for (const auto& [number, soldier] : roster)
        {
            for (; expected < number; ++expected)
                report.Fault(scene->label, "has " + Quoted(soldier->name) + " but no soldier \"Player_" +
                                               std::to_string(expected) + "\"; soldiers are numbered without gaps");
            expected = number + 1;
        }
    }
}

void GridCellRule(const DataEntity& entity, ContentReport& report)
{
    const std::shared_ptr<bUniqueGrid> owner = entity.Behaviour<bUniqueGrid>();
    if (!owner)
        return;
    const std::unique_ptr<GridSpec> grid = owner->MakeEmptyGrid();
    if (grid->width / grid->columns == 0 || grid->height / grid->rows == 0)
        report.Fault(entity, "is a path grid of " + std::to_string(grid->width) + " by " +
                                 std::to_string(grid->height) + " units cut into " + std::to_string(grid->columns) +
                                 " columns and " + std::to_string(grid->rows) +
                                 " rows: its cells round to 0 units, so no path is ever found on it");
}

// The danger icon is found by the soldiers' sight scan, which sees only tagged colliders.
void DangerIconRule(ContentReport& report)
{
    const DataEntity* icon = report.Data().FindPrefab("Danger_Icon");
    if (icon != nullptr && !icon->HasTag("DANGER"))
        report.Fault(*icon, "lacks the tag \"DANGER\", so soldiers never see the icon and never clear it");
}

// A drop is taken by the tags its soldier finds on it.
void DropTagsRule(ContentReport& report)
{
    const struct
    {
        const char* prefab;
        const char* kind;
    } drops[] = {
        {"Ammo_Drop", "AMMO"}, {"Health_Pack", "HEALTH"}, {"Grenade_Pickup", "GRENADE"}, {"Molotov_Pickup", "MOLOTOV"}};
    for (const auto& drop : drops)
    {
        const DataEntity* prefab = report.Data().FindPrefab(drop.prefab);
        if (prefab == nullptr)
            continue;
        for (const std::string tag : {"PICKUP", drop.kind})
            if (!prefab->HasTag(tag))
                report.Fault(*prefab, "lacks the tag " + Quoted(tag) + ", so a soldier cannot pick it up");
    }
}
}

void AddSoldierRules(ContentCheck& check)
{
    check.AddBehaviourRule(Soldier, ThrowClipRule);
    check.AddBehaviourRule(Soldier, NumberedNameRule);
    check.AddDataRule(RosterRule);
    check.AddBehaviourRule("bUniqueGrid", GridCellRule);

    const std::string soldier = "a soldier";
    RequirePrefab(check,
                  {"Bullet_Line", soldier + " (its shot line)", {"Transform", "Renderer"}, "bImageBehaviour", "", ""});
    RequirePrefab(check, {"Plus_Icon", soldier + " (a heal)", {"Transform"}, "bImageBehaviour", "", ""});
    RequirePrefab(check, {"Danger_Icon",
                          "a character marked as a danger",
                          {"Transform", "PhysicsCollision"},
                          "bImageBehaviour",
                          "",
                          ""});
    for (const char* drop : {"Ammo_Drop", "Health_Pack", "Grenade_Pickup", "Molotov_Pickup"})
        RequirePrefab(check,
                      {drop, soldier + " (its death)", {"Transform", "Renderer", "PhysicsCollision"}, "", "", ""});
    check.AddDataRule(DangerIconRule);
    check.AddDataRule(DropTagsRule);
}
