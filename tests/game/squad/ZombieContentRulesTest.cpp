#include "support/content/EngineContentRules.h"
#include "support/content/RulesAlone.h"
#include "support/content/ZombieContentRules.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using testing::UnorderedElementsAre;

// The zombies' data rules, alone, over a prefab file and a scene that break them. (The shipped
// data passes them: the content test runs every game rule.)
TEST(ZombieContentRules, ReportWhatZombiesNeedOfTheirData)
{
    const std::vector<std::string> texts =
        FindingsOfRulesAlone(AddZombieRules, {fs::path(DUSKVANE_FIXTURES) / "content" / "ChargerWithoutGrid.json"},
                             fs::path(DUSKVANE_FIXTURES) / "content" / "BrokenZombiePrefab.json");
    const std::string prefabs = "content/BrokenZombiePrefab.json";
    EXPECT_THAT(
        texts,
        UnorderedElementsAre(
            prefabs + ", entity \"Zombie\": is a zombie without the tag \"ENEMY\": the level rules do not count it, "
                      "so a level could be won while it walks",
            prefabs + ", entity \"Scarecrow\": carries the tag \"ENEMY\" but is no zombie: the level rules would "
                      "wait for its death to win \"Kill_All_Zombies\"",
            prefabs + ", entity \"Zombie\": is a zombie without an Animation, so its states show no clips",
            prefabs + ", entity \"Zombie\": is a zombie outside sPhysicsMovement: it never moves",
            "content/ChargerWithoutGrid.json, entity \"Charger_1\": follows paths, but its scene has no entity named "
            "\"PathfindingGrid\", so the game stops when the zombie starts",
            prefabs + ": has no prefab \"Charger_Block\", which the charging zombie instantiates",
            prefabs + ", entity \"Spit_Projectile\": has no PhysicsMovement, which the spitting zombie needs",
            prefabs + ": has no prefab \"Spit_Puddle\", which the spitting zombie instantiates",
            prefabs + ": has no prefab \"SpitterExplosion\", which the spitting zombie's death instantiates"));
}
