#include "game/squad/bGameController.h"
#include "engine/core/Coordinator.h"
#include "engine/platform/SettingsFile.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bGameLogic.h"
#include "game/flow/bHUD.h"
#include "game/squad/SquadControlHelpers.h"
#include "game/squad/bPlayerBehaviour.h"

#include <functional>

// Keys for trying levels out: Alt held with a digit pressed, only while the settings allow cheats.
// Each says what it did with a HUD pop-up (when the scene has a HUD; the action happens anyway).

namespace
{
bool AltWith(const Coordinator& coordinator, int digit)
{
    return coordinator.GetKeyState(SquadKeys::Alt) == SquadKeys::Held &&
           coordinator.GetKeyState(digit) == SquadKeys::Pressed;
}

void PopUp(const std::string& message)
{
    if (HUDInstance() != nullptr)
        bHUD::PushPopUpText(message);
}
} // namespace

void bGameController::HandleUnlockKey(Coordinator& coordinator)
{
    if (!coordinator.AllowCheats || !AltWith(coordinator, SquadKeys::Digit7))
        return;
    for (auto& level : coordinator.LevelUnlocked)
        level.second = true;
    for (auto& cutscene : coordinator.CutsceneCleared)
        cutscene.second = true;
    coordinator.HighestUnlockedLevel = 3;
    SaveConfig(coordinator);
    coordinator.LevelsChanged = true;
    PopUp("All LEVELS UNLOCKED.");
}

bool bGameController::HandleDebugToggles(Coordinator& coordinator)
{
    // Flips one flag on every soldier, each on its own, and reports the last soldier's new value.
    const auto flipAll = [&](const std::string& text, const std::function<bool&(bPlayerBehaviour&)>& flag) {
        bool last = false;
        for (const auto& player : Players)
            if (const auto soldier = coordinator.GetBehaviourAs<bPlayerBehaviour>(player.first))
            {
                bool& value = flag(*soldier);
                value = !value;
                last = value;
            }
        PopUp(text + (last ? "ON." : "OFF."));
    };
    struct DebugKey
    {
        int digit;
        std::function<void()> action;
    };
    const DebugKey keys[] = {
        {'1', [&] { flipAll("All Players' Invunerability turned: ", [](bPlayerBehaviour& s) -> bool& { return s.Invulnerable; }); }},
        {'2', [&] { flipAll("All Players' Infinite Ammo turned: ", [](bPlayerBehaviour& s) -> bool& { return s.WeaponStats.InfiniteAmmo; }); }},
        {'3', [&] { flipAll("All Players' Instant Kill turned: ", [](bPlayerBehaviour& s) -> bool& { return s.WeaponStats.InstantKill; }); }},
        {'4', [&] { flipAll("All Players' Infinite Explosives turned: ", [](bPlayerBehaviour& s) -> bool& { return s.InfiniteExplosives; }); }},
        {'5',
         [&] {
             if (bGameLogic* rules = GameLogicInstance())
                 rules->Win(coordinator);
             PopUp("Level Instant Clear");
         }},
        {'6',
         [&] {
             if (bGameLogic* rules = GameLogicInstance())
                 rules->Lose(coordinator, true);
             PopUp("Level Instant Lose");
         }},
    };
    for (const DebugKey& key : keys)
        if (AltWith(coordinator, key.digit))
        {
            key.action();
            return true;
        }
    return false;
}
