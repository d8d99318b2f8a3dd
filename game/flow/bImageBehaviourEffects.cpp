#include "game/flow/bImageBehaviour.h"

#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/systems/CameraView.h"
#include "engine/systems/sRendererSystem.h"
#include "game/flow/ScreenElements.h"
#include "game/flow/bUIButtonBehaviour.h"

#include <algorithm>
#include <cmath>

// The image effects: their set-up, one fixed step of each, retargeting, and the queue an image
// hands on when its effect and show time are over.

namespace
{
// Flicker flips its visible half this often (in effect time).
constexpr float FlickerInterval = 0.0666667f;
// FadeUp fades this much slower than it rises.
constexpr float FadeUpFadeFactor = 0.005f;
// VerticalSlide limits are given in 1080-high screen coordinates.
constexpr float SlideLimitOrigin = 540.0f;
}

// --- Set-up and retargeting -----------------------------------------------------------------------

void bImageBehaviour::SetUpEffect(Coordinator& coordinator)
{
    Transform* transform = coordinator.GetComponent<Transform>(entity);
    Renderer* renderer = coordinator.GetComponent<Renderer>(entity);
    if (transform == nullptr || renderer == nullptr)
        return;
    switch (ImageFX)
    {
    case ImageEffect::UpAndDown:
        BasePosition = transform->position;
        break;
    case ImageEffect::FadeTo:
        // The signed difference: a fade authored downward goes down, as retargeted fades do.
        AimSpeed(FXLimits, renderer->opacity, FXDuration);
        break;
    case ImageEffect::VerticalSlide:
        if (BindToCamera)
        {
            FXLimits -= SlideLimitOrigin;
            AimSpeed(FXLimits, cameraOffset.y, FXDuration);
        }
        else
        {
            AimSpeed(FXLimits, transform->position.y, FXDuration);
        }
        break;
    case ImageEffect::ZoomInAndOut:
        BaseScale = {renderer->scaleX, renderer->scaleY};
        if (renderer->scaleX != 0.0f)
            ZoomRateY = renderer->scaleY * FXSpeed / renderer->scaleX;
        break;
    default:
        break;
    }
}

void bImageBehaviour::SetFXTarget(Coordinator& coordinator, float target)
{
    FXLimits = target;
    if (ImageFX == ImageEffect::FadeTo)
    {
        if (const Renderer* renderer = coordinator.GetComponent<Renderer>(entity))
            AimSpeed(target, renderer->opacity, FXRemaining);
    }
    else if (ImageFX == ImageEffect::VerticalSlide)
    {
        AimSpeed(target, cameraOffset.y, FXRemaining);
    }
}

void bImageBehaviour::AimSpeed(float target, float from, float seconds)
{
    // No time to reach it in (an effect without a duration never runs): the speed stays finite.
    if (seconds != 0.0f)
        FXSpeed = (target - from) / seconds;
}

// --- One step ---------------------------------------------------------------------------------------

void bImageBehaviour::StepEffect(Coordinator& coordinator)
{
    Transform* transform = coordinator.GetComponent<Transform>(entity);
    Renderer* renderer = coordinator.GetComponent<Renderer>(entity);
    if (transform == nullptr || renderer == nullptr)
        return;
    const float change = FXSpeed * FixedStepSeconds;
    switch (ImageFX)
    {
    case ImageEffect::Flicker:
        if (FlickerTimer >= FlickerInterval)
        {
            FlickerOn = !FlickerOn;
            FlickerTimer = 0.0f;
        }
        ShowFlickerHalf(coordinator);
        break;
    case ImageEffect::UpAndDown:
    {
        Vector2 moved = transform->position;
        moved.y += Rising ? change : -change;
        MoveByHand(*transform, moved);
        // A camera-bound image swings about its place in front of the camera.
        const float base = BindToCamera ? CameraPosition(coordinator).y + cameraOffset.y : BasePosition.y;
        if (moved.y >= base + FXLimits)
            Rising = false;
        else if (moved.y <= base - FXLimits)
            Rising = true;
        break;
    }
    case ImageEffect::ZoomInAndOut:
    {
        const float sign = Growing ? 1.0f : -1.0f;
        renderer->scaleX += sign * change;
        renderer->scaleY += sign * ZoomRateY * FixedStepSeconds;
        if (renderer->scaleX >= BaseScale.x)
            Growing = false;
        else if (renderer->scaleX <= BaseScale.x / FXLimits)
            Growing = true;
        break;
    }
    case ImageEffect::FadeTo:
        renderer->opacity += change;
        if (renderer->opacity <= 0.0f)
            active = false;
        break;
    case ImageEffect::FadeUp:
        renderer->opacity -= change * FadeUpFadeFactor;
        BindTo_Offset_Y += change;
        break;
    case ImageEffect::VerticalSlide:
        if (BindToCamera)
            cameraOffset.y = FXSpeed >= 0.0f ? std::min(cameraOffset.y + change, FXLimits)
                                             : std::max(cameraOffset.y + change, FXLimits);
        break;
    case ImageEffect::FadeToAndOut:
        if (renderer->opacity <= 1.0f && !FadingOut)
        {
            renderer->opacity += change;
        }
        else
        {
            FadingOut = true;
            renderer->opacity -= change;
            if (renderer->opacity <= 0.0f)
                FadeOutDone = true;
        }
        if (FadeOutDone)
            active = false;
        break;
    default:
        // No_FX, GoMainMenu, GoCredits and Delay only count time.
        break;
    }
}

void bImageBehaviour::ShowFlickerHalf(Coordinator& coordinator)
{
    const bool drawn = IsInSystem<sRendererSystem>(coordinator, entity);
    if (FlickerOn && !drawn)
        coordinator.AddEntityToSystem<sRendererSystem>(entity);
    else if (!FlickerOn && drawn)
        coordinator.RemoveEntityFromSystem<sRendererSystem>(entity);
}

// --- Queue ------------------------------------------------------------------------------------------

void bImageBehaviour::FireQueue(Coordinator& coordinator)
{
    const std::size_t planned = std::min({QueueToFX.size(), QueueToFXDuration.size(), QueueToFXLimits.size()});
    std::size_t index = 0;
    for (Entity target : QueueTargets)
    {
        coordinator.PauseQueue.Reactivate(target);
        coordinator.PauseQueue.Unfreeze(target);
        std::shared_ptr<IBehaviour> behaviour;
        if (coordinator.GetBehaviour(target, behaviour))
        {
            behaviour->active = true;
            // Entries beyond the shortest list start the entity with its own effect.
            if (index < planned)
            {
                const ImageEffect effect = QueueToFX[index];
                const float duration = QueueToFXDuration[index];
                const float limit = QueueToFXLimits[index];
                if (auto* image = dynamic_cast<bImageBehaviour*>(behaviour.get()))
                {
                    image->ImageFX = effect;
                    image->FXDuration = image->FXRemaining = duration;
                    image->SetFXTarget(coordinator, limit);
                }
                else if (auto* button = dynamic_cast<bUIButtonBehaviour*>(behaviour.get()))
                {
                    button->StartQueuedEffect(coordinator, effect, duration, limit);
                }
            }
        }
        ++index;
    }
    QueueFired = true;
}
