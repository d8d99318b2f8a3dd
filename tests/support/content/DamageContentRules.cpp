#include "support/content/DamageContentRules.h"
#include "support/content/EngineContentRules.h"

#include "engine/components/Animation.h"
#include "engine/components/Lighting.h"
#include "engine/components/Renderer.h"
#include "engine/core/Json.h"
#include "game/squad/bExplosives.h"
#include "game/squad/bTargetableObjects.h"

#include <initializer_list>
#include <set>
#include <string>

namespace
{
std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

bool Has(const DataEntity& entity, const char* component)
{
    return Json::Find(*entity.json, component) != nullptr;
}

void ExpectComponents(const DataEntity& entity, std::initializer_list<const char*> components, const std::string& why,
                      ContentReport& report)
{
    for (const char* component : components)
        if (!Has(entity, component))
            report.Fault(entity, std::string("has no ") + component + ", which " + why);
}

// A prefab that a behaviour spawns by a name in its data: it exists and has the components the
// spawner writes.
void ExpectSpawnable(const DataEntity& entity, const std::string& prefab, const std::string& where,
                     std::initializer_list<const char*> components, ContentReport& report)
{
    const DataEntity* spawned = report.Data().FindPrefab(prefab);
    if (spawned == nullptr)
    {
        report.ExpectPrefab(entity, prefab, where);
        return;
    }
    for (const char* component : components)
        if (!Has(*spawned, component))
            report.Fault(entity, where + " names prefab " + Quoted(prefab) + ", which has no " + component);
}

void ExplosiveRule(const DataEntity& entity, ContentReport& report)
{
    ExpectComponents(entity, {"Transform", "PhysicsMovement"}, "bExplosives moves in flight", report);
    if (!entity.ListsSystem("sPhysicsMovement"))
        report.Fault(entity, "\"Systems\" does not list sPhysicsMovement, so the explosive never flies");
    const auto explosive = entity.Behaviour<bExplosives>();
    if (!explosive)
        return;
    if (explosive->OnDestroy.empty())
        report.Fault(entity, "Behaviour OnDestroy is empty: the explosion would name no prefab");
    else
        ExpectSpawnable(entity, explosive->OnDestroy, "Behaviour OnDestroy", {"Transform", "Renderer", "Animation"},
                        report);
}

void TargetRule(const DataEntity& entity, ContentReport& report)
{
    if (!entity.HasTag("TARGETABLE"))
        report.Fault(entity, "is a bTargetableObjects without the tag \"TARGETABLE\", so the cursor never finds it");
    if (!Has(entity, "PhysicsCollision") || !entity.ListsSystem("sPhysicsCollision"))
        report.Fault(entity, "is a bTargetableObjects without a collider in sPhysicsCollision, so nothing picks, "
                             "sees or hits it");
    const rapidjson::Value* data = Json::Find(*entity.json, "Behaviour");
    for (const char* key : {"MaxHealth", "CurrentHealth"})
        if (data == nullptr || Json::Find(*data, key) == nullptr)
            report.Fault(entity, std::string("Behaviour has no ") + Quoted(key) + ": a target starts with no health");
    const auto target = entity.Behaviour<bTargetableObjects>();
    if (!target)
        return;
    for (const std::string& prefab : target->OnDestroy)
        ExpectSpawnable(entity, prefab, "Behaviour OnDestroy", {"Transform"}, report);
    const struct
    {
        const char* key;
        std::size_t size;
    } lists[] = {{"EffectRange", target->EffectRange.size()},
                 {"Damage", target->Damage.size()},
                 {"Duration", target->Duration.size()},
                 {"DamageTick", target->DamageTick.size()},
                 {"FriendlyFire", target->FriendlyFire.size()}};
    for (const auto& list : lists)
        if (list.size != target->OnDestroy.size())
            report.Fault(entity, std::string("Behaviour ") + list.key + " has " + std::to_string(list.size) +
                                     " entries for the " + std::to_string(target->OnDestroy.size()) +
                                     " prefabs of OnDestroy");
    if (const Animation* animation = entity.Get<Animation>())
        for (const char* clip : {"Non_Hover", "Hover", "TakeDamage"})
            report.ExpectSpritesheet(entity, animation->AnimationTag, clip, "bTargetableObjects");
}

void AreaRule(const DataEntity& entity, ContentReport& report)
{
    ExpectComponents(entity, {"Transform", "Renderer"}, "bAOEdamage places and sizes", report);
}

// Prefabs that code spawns in the middle of a frame without marking them animated (the soldiers'
// throws, the prefabs a target breaks into) are drawn once before the renderer sees their
// "ANIMATED" tag, from their own texture: it must exist.
void SpawnedTexturesRule(ContentReport& report)
{
    std::set<std::string> spawned = {"Grenade", "Molotov"};
    for (const DataEntity* entity : report.Data().Entities())
        if (const auto target = entity->Behaviour<bTargetableObjects>())
            spawned.insert(target->OnDestroy.begin(), target->OnDestroy.end());
    for (const std::string& name : spawned)
    {
        const DataEntity* prefab = report.Data().FindPrefab(name);
        const Renderer* renderer = prefab == nullptr ? nullptr : prefab->Get<Renderer>();
        if (renderer != nullptr)
            report.ExpectTexture(*prefab, renderer->textureName,
                                 "Renderer textureName (drawn before its \"ANIMATED\" tag is seen)");
    }
}

void ExplosionLightRule(ContentReport& report)
{
    const DataEntity* light = report.Data().FindPrefab("ExplosionLight");
    const Lighting* lighting = light == nullptr ? nullptr : light->Get<Lighting>();
    if (lighting == nullptr)
        return; // the prefab rule reports it
    if (!light->HasTag("AMBIENTLIGHT"))
        report.Fault(*light, "lacks the tag \"AMBIENTLIGHT\", so the explosion's light neither shines nor retires");
    if (!(lighting->lifeSpan > 0.0f))
        report.Fault(*light, "Lighting lifeSpan is not above 0, so every explosion's light would stay for good");
}
}

void AddDamageRules(ContentCheck& check)
{
    for (const char* thrown : {"Grenade", "Molotov"})
        RequirePrefab(check, {thrown, "the soldiers' throw", {"Transform", "PhysicsMovement"}, "bExplosives", "", ""});
    RequirePrefab(check, {"ExplosionLight", "bExplosives (every explosion)", {"Transform", "Lighting"}, "", "", ""});
    RequirePrefab(check, {"Fire_AOE_Indicator", "bAOEdamage (areas named with \"Fire\")", {"Transform", "Renderer"},
                          "bImageBehaviour", "", ""});
    check.AddDataRule(ExplosionLightRule);
    check.AddDataRule(SpawnedTexturesRule);
    check.AddBehaviourRule("bExplosives", ExplosiveRule);
    check.AddBehaviourRule("bTargetableObjects", TargetRule);
    check.AddBehaviourRule("bAOEdamage", AreaRule);
}
