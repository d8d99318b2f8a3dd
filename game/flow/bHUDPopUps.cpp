#include "game/flow/bHUD.h"
#include "engine/components/Font.h"
#include "engine/components/Identifier.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bFontBehaviour.h"
#include "game/flow/bImageBehaviour.h"

namespace
{
// Screen pixels kept clear of the HUD's corners and bar.
constexpr float TopLeftReserveX = 360.0f;
constexpr float TopLeftReserveY = 115.0f;
constexpr float TopRightReserveX = 182.0f;
constexpr float TopRightReserveY = 187.0f;
constexpr float BarHalfClear = 705.0f;
constexpr float RampStart = 643.0f;
constexpr float BarRaise = 80.0f;
constexpr float RampSlope = 1.258f;

void SetActive(Coordinator& coordinator, Entity entity, bool active)
{
    if (std::shared_ptr<IBehaviour> behaviour; coordinator.GetBehaviour(entity, behaviour))
        behaviour->active = active;
}

void Place(Coordinator& coordinator, Entity entity, Vector2 place, Vector2 size)
{
    if (Transform* transform = coordinator.GetComponent<Transform>(entity))
    {
        transform->previousPosition = transform->position;
        transform->position = place;
    }
    if (Renderer* renderer = coordinator.GetComponent<Renderer>(entity))
    {
        renderer->scaleX = size.x;
        renderer->scaleY = size.y;
    }
}

void Turn(Coordinator& coordinator, Entity entity, Vector2 direction)
{
    if (Transform* transform = coordinator.GetComponent<Transform>(entity))
        transform->SetRotationFromDirection(direction);
}
}

void bHUD::Update(Coordinator& coordinator)
{
    if (PopUpMessages.empty())
        return;
    for (Entity entity : PopUpTextEntities)
    {
        std::shared_ptr<IBehaviour> behaviour;
        if (!coordinator.GetBehaviour(entity, behaviour) || behaviour->active)
            continue;
        if (Font* font = coordinator.GetComponent<Font>(entity))
            font->message = PopUpMessages.front();
        if (const auto text = std::dynamic_pointer_cast<bFontBehaviour>(behaviour))
        {
            if (text->BindToCamera)
                text->cameraOffset = text->StartCameraOffset;
            else if (Font* font = coordinator.GetComponent<Font>(entity))
            {
                font->worldXPos = text->StartWorldPosition.x;
                font->worldYPos = text->StartWorldPosition.y;
            }
        }
        behaviour->active = true;
        PopUpMessages.pop_front();
        return;
    }
}

void bHUD::PushPopUpText(const std::string& message)
{
    std::deque<std::string>& messages = HUDInstance()->PopUpMessages;
    if (messages.size() <= PopUpQueueLimit)
        messages.push_back(message);
}

void bHUD::ShowPlayerDeathIcon(Coordinator& coordinator, Entity soldier)
{
    const bHUD& hud = *HUDInstance();
    const Identifier* identifier = coordinator.GetComponent<Identifier>(soldier);
    if (identifier == nullptr)
        return;
    const std::string& name = identifier->name;
    for (std::size_t i = 1; i <= hud.SoldierPortraits.size() && i <= hud.DeathIcons.size(); ++i)
        if (name == "Player_" + std::to_string(i))
            SetActive(coordinator, hud.DeathIcons[i - 1], true);
}

void bHUD::UpdateOffscreenMarker(Coordinator& coordinator, Vector2 soldier, int soldierNumber, float right, float left,
                                 float top, float bottom, float scale)
{
    const bHUD& hud = *HUDInstance();
    if (soldierNumber < 1 || static_cast<std::size_t>(2 * soldierNumber - 1) >= hud.OffscreenMarkers.size())
        return;
    const Entity icon = hud.OffscreenMarkers[2 * soldierNumber - 2];
    const Entity marker = hud.OffscreenMarkers[2 * soldierNumber - 1];
    const float s = scale;
    const float mw = hud.MarkerSize.x;
    const float mh = hud.MarkerSize.y;
    const float xLo = left + mw * s;
    const float xHi = right - mw * s;
    const float yLo = bottom + mh * s;
    const float yHi = top - mh * s;
    const float topLeftX = left + (mw + TopLeftReserveX) * s;
    const float topLeftY = top - (mh + TopLeftReserveY) * s;
    const float topRightX = right - (mw + TopRightReserveX) * s;
    const float topRightY = top - (mh + TopRightReserveY) * s;

    float x = soldier.x;
    bool horizontal = true;
    if (soldier.x < left)
    {
        Turn(coordinator, marker, {-1.0f, 0.0f});
        x = soldier.y > topLeftY ? topLeftX : xLo;
    }
    else if (soldier.x > right)
    {
        Turn(coordinator, marker, {1.0f, 0.0f});
        x = soldier.y > topRightY ? topRightX : xHi;
    }
    else
        horizontal = false;

    float y = soldier.y;
    bool vertical = true;
    if (soldier.y < bottom)
    {
        // Above the HUD bar in the middle, and along the ramps at its shoulders.
        Turn(coordinator, marker, {0.0f, -1.0f});
        y = yLo;
        if (x > left + BarHalfClear * s && x < right - BarHalfClear * s)
            y = yLo + BarRaise * s;
        else if (x >= right - BarHalfClear * s && x <= right - RampStart * s)
            y = yLo + BarRaise * s - (x - (right - BarHalfClear * s)) * RampSlope * s;
        else if (x >= left + RampStart * s && x <= left + BarHalfClear * s)
            y = yLo + (x - (left + RampStart * s)) * RampSlope * s;
    }
    else if (soldier.y > top)
    {
        Turn(coordinator, marker, {0.0f, 1.0f});
        y = yHi;
        if (x < topLeftX)
            y = topLeftY;
        else if (x > topRightX)
            y = topRightY;
    }
    else
        vertical = false;

    if (y < yLo)
        y = yLo;
    else if (y > yHi)
        y = yHi;
    if (x < xLo)
        x = xLo;
    else if (x > xHi)
        x = xHi;

    Place(coordinator, icon, {x, y}, {hud.IconSize.x * s, hud.IconSize.y * s});
    Place(coordinator, marker, {x, y}, {mw * s, mh * s});
    if (horizontal && vertical)
        Turn(coordinator, marker, {soldier.x - x, soldier.y - y});
}

void bHUD::HideOffscreenMarker(Coordinator& coordinator, int soldierNumber)
{
    const bHUD& hud = *HUDInstance();
    if (soldierNumber < 1 || static_cast<std::size_t>(2 * soldierNumber - 1) >= hud.OffscreenMarkers.size())
        return;
    coordinator.PauseQueue.Deactivate(hud.OffscreenMarkers[2 * soldierNumber - 2], coordinator);
    coordinator.PauseQueue.Deactivate(hud.OffscreenMarkers[2 * soldierNumber - 1], coordinator);
}

void bHUD::ShowPauseMenu(Coordinator& coordinator)
{
    const bHUD& hud = *HUDInstance();
    for (Entity title : hud.LevelTitleEntities)
        SetActive(coordinator, title, false);
    for (Entity element : hud.PauseMenuEntities)
    {
        coordinator.PauseQueue.Unfreeze(element);
        SetActive(coordinator, element, hud.active);
    }
    // The pages stay hidden until a pause-menu button shows them.
    for (Entity element : hud.ConfirmationEntities)
        coordinator.PauseQueue.Unfreeze(element);
}

void bHUD::HidePauseMenu(Coordinator& coordinator)
{
    const bHUD& hud = *HUDInstance();
    for (Entity element : hud.PauseMenuEntities)
        SetActive(coordinator, element, false);
    for (Entity element : hud.ConfirmationEntities)
        SetActive(coordinator, element, false);
}

void bHUD::StartTitleEffects(Coordinator& coordinator)
{
    const bHUD& hud = *HUDInstance();
    // The first entry is started by the level rules when the opening pan begins.
    for (std::size_t i = 1; i < hud.LevelTitleEntities.size(); ++i)
    {
        const auto image = coordinator.GetBehaviourAs<bImageBehaviour>(hud.LevelTitleEntities[i]);
        if (image == nullptr)
            continue;
        image->FXDuration = 1.0f;
        image->FXRemaining = 1.0f;
        image->RetargetFX(coordinator, image->initialCameraOffset.y);
        image->HideWhenFXEnds = true;
    }
}

void bHUD::ShowEndPopup(Coordinator& coordinator, Entity popup)
{
    coordinator.PauseQueue.Reactivate(FadeOverlay);
    std::shared_ptr<IBehaviour> behaviour;
    if (!coordinator.GetBehaviour(FadeOverlay, behaviour))
        return;
    behaviour->active = active;
    if (const auto overlay = std::dynamic_pointer_cast<bImageBehaviour>(behaviour))
        overlay->QueueTargets.insert(popup);
}

void bHUD::ResumeSoldierList(Coordinator& coordinator)
{
    // Every portrait's name holds "DP", so the portraits stay frozen under the end pop-up.
    const bHUD& hud = *HUDInstance();
    for (Entity portrait : hud.SoldierPortraits)
    {
        const Identifier* identifier = coordinator.GetComponent<Identifier>(portrait);
        if (identifier != nullptr && identifier->name.find("DP") == std::string::npos)
            coordinator.PauseQueue.Unfreeze(portrait);
    }
}
