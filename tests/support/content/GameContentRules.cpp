#include "support/content/GameContentRules.h"
#include "support/content/DamageContentRules.h"
#include "support/content/EngineContentRules.h"
#include "support/content/FrontEndContentRules.h"
#include "support/content/LevelLayoutContentRules.h"
#include "support/content/LevelRulesContentRules.h"
#include "support/content/HUDContentRules.h"
#include "support/content/ScreenElementContentRules.h"
#include "support/content/SoldierContentRules.h"
#include "support/content/SquadControlContentRules.h"
#include "support/content/TutorialContentRules.h"
#include "support/content/ZombieContentRules.h"

void AddGameRules(ContentCheck& check)
{
    AddDamageRules(check);
    AddFrontEndRules(check);
    AddLevelLayoutRules(check);
    AddLevelRulesRules(check);
    AddHUDRules(check);
    AddScreenElementRules(check);
    AddSoldierRules(check);
    AddSquadControlRules(check);
    AddTutorialRules(check);
    AddZombieRules(check);
}

ContentCheck GameContentCheck(const std::filesystem::path& assetRoot)
{
    ContentCheck check = EngineContentCheck(assetRoot);
    AddGameRules(check);
    return check;
}
