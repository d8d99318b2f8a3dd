#include "support/content/ZombieContentRules.h"
#include "support/content/EngineContentRules.h"

#include "engine/components/Animation.h"
#include "engine/core/Json.h"

#include <set>
#include <string>
#include <vector>

namespace
{
const char* const EnemyTag = "ENEMY";

struct ZombieKind
{
    const char* behaviour;
    std::vector<const char*> clips;
};

const std::vector<ZombieKind>& ZombieKinds()
{
    static const std::vector<ZombieKind> kinds = {
        {"bZombieBehaviour", {"Idle", "Shooting", "Death"}},
        {"bChargerZombie", {"Idle", "Aim", "Shooting", "Block", "Death", "Melee"}},
        {"bSpitterZombie", {"Idle", "Shooting", "Explosion", "Death"}},
    };
    return kinds;
}

std::string BehaviourName(const DataEntity& entity)
{
    const rapidjson::Value* behaviour = Json::Find(*entity.json, "Behaviour");
    const rapidjson::Value* name = behaviour == nullptr ? nullptr : Json::Find(*behaviour, "NameOfThisBehaviour");
    return name != nullptr && name->IsString() ? name->GetString() : std::string();
}

const ZombieKind* KindOf(const DataEntity& entity)
{
    const std::string name = BehaviourName(entity);
    for (const ZombieKind& kind : ZombieKinds())
        if (name == kind.behaviour)
            return &kind;
    return nullptr;
}

void EnemyTagRule(const DataEntity& entity, ContentReport& report)
{
    const bool zombie = KindOf(entity) != nullptr;
    if (zombie && !entity.HasTag(EnemyTag))
        report.Fault(entity, "is a zombie without the tag \"ENEMY\": the level rules do not count it, so a level "
                             "could be won while it walks");
    else if (!zombie && entity.HasTag(EnemyTag))
        report.Fault(entity, "carries the tag \"ENEMY\" but is no zombie: the level rules would wait for its death "
                             "to win \"Kill_All_Zombies\"");
}

void ZombieBodyRule(const DataEntity& entity, ContentReport& report)
{
    const ZombieKind* kind = KindOf(entity);
    if (kind == nullptr)
        return;
    const Animation* animation = entity.Get<Animation>();
    if (animation == nullptr)
        report.Fault(entity, "is a zombie without an Animation, so its states show no clips");
    else
        for (const char* clip : kind->clips)
            report.ExpectSpritesheet(entity, animation->AnimationTag, clip, std::string("a ") + kind->behaviour);
    if (!entity.ListsSystem("sPhysicsCollision"))
        report.Fault(entity, "is a zombie outside sPhysicsCollision: no soldier sees or shoots it");
    if (!entity.ListsSystem("sPhysicsMovement"))
        report.Fault(entity, "is a zombie outside sPhysicsMovement: it never moves");
}

void PathGridRule(ContentReport& report)
{
    for (const DataFile* scene : report.Data().Scenes())
    {
        bool grid = false;
        const DataEntity* pathFinder = nullptr;
        for (const DataEntity& entity : scene->entities)
        {
            grid = grid || entity.name == "PathfindingGrid";
            const std::string behaviour = BehaviourName(entity);
            if (pathFinder == nullptr && (behaviour == "bChargerZombie" || behaviour == "bSpitterZombie"))
                pathFinder = &entity;
        }
        if (pathFinder != nullptr && !grid)
            report.Fault(*pathFinder, "follows paths, but its scene has no entity named \"PathfindingGrid\", so the "
                                      "game stops when the zombie starts");
    }
}
}

void AddZombieRules(ContentCheck& check)
{
    check.AddEntityRule(EnemyTagRule);
    check.AddEntityRule(ZombieBodyRule);
    check.AddDataRule(PathGridRule);
    // Bound to the charger and shown through its active flag; sized like the charger.
    RequirePrefab(check, {"Charger_Block", "the charging zombie", {"Transform", "Renderer"}, "bImageBehaviour", "", ""});
    // Flies from the spitter (its speed limit is the flight speed) and switches the puddle on.
    RequirePrefab(check, {"Spit_Projectile", "the spitting zombie", {"Transform", "PhysicsMovement"},
                          "bImageBehaviour", "", ""});
    // Placed where the soldier stood and held back until the projectile arrives.
    RequirePrefab(check, {"Spit_Puddle", "the spitting zombie", {"Transform", "Renderer"}, "bAOEdamage", "", ""});
    RequirePrefab(check, {"SpitterExplosion", "the spitting zombie's death", {"Transform", "Renderer"}, "", "", ""});
}
