#include "support/content/DamageContentRules.h"
#include "support/content/EngineContentRules.h"
#include "support/content/RulesAlone.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using testing::UnorderedElementsAre;

// The data rules of targets, explosives and damage areas, alone over a prefab file that breaks
// each of them once. (The shipped data passes them: the content test runs every game rule.)
TEST(DamageContentRules, ReportWhatTargetsExplosivesAndAreasNeedOfTheirData)
{
    // The levels' own targets name the real prefabs: only the broken file's findings count.
    const std::vector<std::string> texts =
        FindingsOfRulesAlone(AddDamageRules, SceneFilesIn(GameContent().resources),
                             fs::path(DUSKVANE_FIXTURES) / "content" / "BrokenDamagePrefab.json",
                             "content/BrokenDamagePrefab.json");

    const std::string file = "content/BrokenDamagePrefab.json";
    EXPECT_THAT(
        texts,
        UnorderedElementsAre(
            file + ": has no prefab \"Molotov\", which the soldiers' throw instantiates",
            file + ", entity \"Fire_AOE_Indicator\": needs the behaviour bImageBehaviour (bAOEdamage (areas named "
                   "with \"Fire\"))",
            file + ", entity \"ExplosionLight\": Lighting lifeSpan is not above 0, so every explosion's light would "
                   "stay for good",
            file + ", entity \"Grenade\": Behaviour OnDestroy names prefab \"Flat\", which has no Animation",
            file + ", entity \"Grenade\": Renderer textureName (drawn before its \"ANIMATED\" tag is seen) names "
                   "texture \"Projectile_Grenade_Idle\", which the generated assets do not have",
            file + ", entity \"Tank\": is a bTargetableObjects without the tag \"TARGETABLE\", so the cursor never "
                   "finds it",
            file + ", entity \"Tank\": Behaviour has no \"CurrentHealth\": a target starts with no health",
            file + ", entity \"Tank\": Behaviour OnDestroy names prefab \"Ghost\", which the prefab file does not have",
            file + ", entity \"Tank\": Behaviour EffectRange has 1 entries for the 2 prefabs of OnDestroy",
            file + ", entity \"Tank\": Behaviour Damage has 0 entries for the 2 prefabs of OnDestroy",
            file + ", entity \"Tank\": Behaviour Duration has 0 entries for the 2 prefabs of OnDestroy",
            file + ", entity \"Tank\": Behaviour DamageTick has 0 entries for the 2 prefabs of OnDestroy",
            file + ", entity \"Tank\": Behaviour FriendlyFire has 0 entries for the 2 prefabs of OnDestroy",
            file + ", entity \"Bare\": has no Renderer, which bAOEdamage places and sizes"));
}
