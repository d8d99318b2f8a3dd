#include "game/squad/ZombieHelpers.h"

#include "engine/components/Animation.h"
#include "engine/components/Identifier.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bGameLogic.h"
#include "game/squad/bPlayerBehaviour.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>

namespace
{
constexpr float FixedStep = 1.0f / 60.0f;
}

void GrowTimer(float& timer, float cap, int steps)
{
    for (int step = 0; step < steps; ++step)
        if (timer < cap)
            timer = std::min(timer + FixedStep, cap);
}

const Vector2* PositionOf(Coordinator& coordinator, Entity entity)
{
    if (entity == NO_ENTITY)
        return nullptr;
    const Transform* transform = coordinator.GetComponent<Transform>(entity);
    return transform == nullptr ? nullptr : &transform->position;
}

double SquaredDistance(const Vector2& a, const Vector2& b)
{
    const double dx = static_cast<double>(b.x) - a.x;
    const double dy = static_cast<double>(b.y) - a.y;
    return dx * dx + dy * dy;
}

bool OutsideLevel(const Coordinator& coordinator, const Vector2& position)
{
    const float* bounds = coordinator.CameraBounds;
    return position.x > bounds[2] || position.x < bounds[0] || position.y > bounds[3] || position.y < bounds[1] ||
           std::isnan(position.x) || std::isnan(position.y);
}

void ReturnHome(Coordinator& coordinator, Entity entity, const Vector2& home)
{
    Transform* transform = coordinator.GetComponent<Transform>(entity);
    if (transform == nullptr)
        return;
    const bool lost = std::isnan(transform->position.x) || std::isnan(transform->position.y);
    transform->previousPosition = lost ? home : transform->position;
    transform->position = home;
}

void FaceAlong(Transform& transform, const Vector2& direction)
{
    const double x = direction.x;
    const double y = direction.y;
    const double length = std::sqrt(x * x + y * y);
    if (!(length > 0.0) || !std::isfinite(length))
        return;
    const double angle = std::acos(std::clamp(x / length, -1.0, 1.0));
    transform.rotation = static_cast<float>(direction.y < 0.0f ? 2.0 * std::numbers::pi - angle : angle);
}

void FaceAlongWithChildren(Coordinator& coordinator, Entity entity, const Vector2& direction)
{
    Transform* transform = coordinator.GetComponent<Transform>(entity);
    if (transform == nullptr)
        return;
    if (transform->childNames.empty())
        FaceAlong(*transform, direction);
    else
        transform->SetRotationFromDirectionRecursive(direction, coordinator);
}

void FlashTint(Coordinator& coordinator, Entity entity, float r, float g, float b)
{
    Renderer* renderer = coordinator.GetComponent<Renderer>(entity);
    if (renderer == nullptr)
        return;
    renderer->tint[0] = r;
    renderer->tint[1] = g;
    renderer->tint[2] = b;
    renderer->tintFlashActive = true;
    renderer->tintFlashTime = 0.00001f;
}

bool ShowClip(Animation& animation, int state, const char* clip)
{
    if (std::strcmp(animation.StateNameText(), clip) == 0)
        return false;
    animation.AnimationState = state;
    return true;
}

bool HasTag(Coordinator& coordinator, Entity entity, const std::string& tag)
{
    const Identifier* identifier = coordinator.GetComponent<Identifier>(entity);
    return identifier != nullptr && identifier->HasTag(tag);
}

void ReportZombieKilled(Coordinator& coordinator, Entity zombie)
{
    bGameLogic* logic = GameLogicInstance();
    if (logic == nullptr)
        return;
    bGameLogic::OnZombieKilled();
    for (const auto& [name, soldier] : logic->PlayerCensus)
    {
        const std::shared_ptr<bPlayerBehaviour> player = coordinator.GetBehaviourAs<bPlayerBehaviour>(soldier);
        if (player && player->active && player->Target == zombie)
            player->Target = NO_ENTITY;
    }
}

float IntervalOf(float rate)
{
    return rate == 0.0f ? std::numeric_limits<float>::infinity() : 2.0f / rate;
}
