#include "game/flow/bFontBehaviour.h"

#include "engine/components/Font.h"
#include "engine/components/Identifier.h"
#include "engine/core/Coordinator.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/TextFlash.h"
#include "game/flow/bGameLogic.h"
#include "game/squad/bPlayerBehaviour.h"

#include <string>

// The live figures a text shows: a soldier's counts and the level's remaining zombies, with the
// flash that marks a low figure. The soldier and the level rules are reached through checked
// casts and the published instance, so a text works in scenes without them.

namespace
{
// The figure shown while a count does not run out.
constexpr float UnlimitedFigure = 65535.0f;
const std::string Unlimited = "INF";

// The soldier whose figures the text shows: a "PLAYER" entity whose behaviour is a soldier.
const bPlayerBehaviour* SoldierOf(Coordinator& coordinator, Entity entity, std::shared_ptr<IBehaviour>& holder)
{
    if (entity == NO_ENTITY || !coordinator.GetBehaviour(entity, holder))
        return nullptr;
    const Identifier* identifier = coordinator.GetComponent<Identifier>(entity);
    if (identifier == nullptr || !identifier->HasTag("PLAYER"))
        return nullptr;
    return dynamic_cast<const bPlayerBehaviour*>(holder.get());
}
}

void bFontBehaviour::RefreshBoundData(Coordinator& coordinator)
{
    Font* text = coordinator.GetComponent<Font>(entity);
    if (text == nullptr)
        return;
    std::shared_ptr<IBehaviour> holder;
    if (const bPlayerBehaviour* soldier = SoldierOf(coordinator, DataEntity, holder))
    {
        if (Data == "Health_Packs")
            text->message = std::to_string(soldier->HealthPacks);
        else if (Data == "Ammo_Clip")
            ShowClipRounds(*text, *soldier);
        else if (Data == "Ammo_Total")
            ShowAmmoTotal(*text, *soldier);
        else if (Data == "Grenade_Count")
            ShowGrenades(*text, *soldier);
        else if (Data == "Molotov_Count")
            ShowMolotovs(*text, *soldier);
    }
    if (Data == "Zombie_Count" && GameLogicInstance() != nullptr)
        text->message = std::to_string(GameLogicInstance()->RemainingEnemies);
}

void bFontBehaviour::ShowClipRounds(Font& text, const bPlayerBehaviour& soldier)
{
    const bool unlimited = soldier.WeaponStats.InfiniteAmmo;
    ApplyLowFigureFlash(text, soldier, unlimited ? UnlimitedFigure : static_cast<float>(soldier.ClipRounds), true);
    text.message = unlimited ? Unlimited : std::to_string(soldier.ClipRounds);
}

void bFontBehaviour::ShowAmmoTotal(Font& text, const bPlayerBehaviour& soldier)
{
    const bool unlimited = soldier.WeaponStats.InfiniteAmmo;
    ApplyLowFigureFlash(text, soldier, unlimited ? UnlimitedFigure : static_cast<float>(soldier.AmmoTotal), true);
    text.message = unlimited ? Unlimited : std::to_string(soldier.AmmoTotal);
}

void bFontBehaviour::ShowGrenades(Font& text, const bPlayerBehaviour& soldier)
{
    ApplyLowFigureFlash(text, soldier, static_cast<float>(soldier.Grenades), !soldier.InfiniteExplosives);
    text.message = soldier.InfiniteExplosives ? Unlimited : std::to_string(soldier.Grenades);
}

void bFontBehaviour::ShowMolotovs(Font& text, const bPlayerBehaviour& soldier)
{
    ApplyLowFigureFlash(text, soldier, static_cast<float>(soldier.Molotovs), !soldier.InfiniteExplosives);
    text.message = soldier.InfiniteExplosives ? Unlimited : std::to_string(soldier.Molotovs);
}

void bFontBehaviour::ApplyLowFigureFlash(Font& text, const bPlayerBehaviour& soldier, float figure, bool canBeLow)
{
    // With the default threshold 0 no figure is ever low.
    if (canBeLow && soldier.active && DataFXThreshold > figure)
    {
        FontFX = StashedFX;
        return;
    }
    ReleaseFlash();
    FontFX = TextEffect::NoFX;
    std::copy(std::begin(SavedColour), std::end(SavedColour), text.color);
}
