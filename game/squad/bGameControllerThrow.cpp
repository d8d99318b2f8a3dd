#include "game/squad/bGameController.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/systems/CollisionQueries.h"
#include "engine/systems/GridSpec.h"
#include "game/flow/bCameraBehaviour.h"
#include "game/squad/EntityPlacement.h"
#include "game/squad/SquadControlHelpers.h"
#include "game/squad/bPlayerBehaviour.h"

#include <algorithm>
#include <cmath>

// Throw mode: while a throw is aimed the mouse aims instead of selecting and ordering. The path
// drawn here is the path the explosive flies (the soldier's Throw hands it the same points and
// normals), so what the player sees is where it lands.

namespace
{
constexpr double MaxThrowLength = 600.0;
constexpr std::uint64_t MaxBounces = 3;
constexpr float CameraPanSeconds = 0.5f;
constexpr int GrenadeKind = 0;
constexpr int MolotovKind = 1;
constexpr double TwoPi = 6.283185307179586;

double Distance(const Vector2& a, const Vector2& b)
{
    return std::hypot(static_cast<double>(b.x) - a.x, static_cast<double>(b.y) - a.y);
}

bool CanThrow(const bPlayerBehaviour& soldier, int kind)
{
    if (kind != GrenadeKind && kind != MolotovKind)
        return false;
    return soldier.InfiniteExplosives || (kind == GrenadeKind ? soldier.Grenades : soldier.Molotovs) != 0;
}
} // namespace

void bGameController::EnterThrowMode(Coordinator& coordinator, int kind)
{
    if (LevelInDeploy())
        return;
    // Any throw key while aiming stops aiming; it never switches to the other kind.
    if (ThrowMode == 1)
    {
        CancelThrow(coordinator);
        return;
    }
    for (const auto& [soldier, selected] : Players)
    {
        if (!selected)
            continue;
        const auto behaviour = coordinator.GetBehaviourAs<bPlayerBehaviour>(soldier);
        if (behaviour == nullptr || !CanThrow(*behaviour, kind))
            continue;
        behaviour->ActionState = bPlayerBehaviour::ActionAiming;
        behaviour->Target = NO_ENTITY;
        Thrower = soldier;
        ThrowKind = kind;
        ThrowMode = 1;
        lastThrowAim = {0.0f, 0.0f};
        lastThrowLength = 0.0f;
        SetAoeIndicatorsActive(coordinator, true);
        DragStart = DragEnd = OrderStart = OrderCurrent = {0.0f, 0.0f};
        const auto camera = coordinator.GetBehaviourAs<bCameraBehaviour>(coordinator.CameraEntity);
        const Transform* body = coordinator.GetComponent<Transform>(soldier);
        if (camera != nullptr && body != nullptr)
            camera->QueueMove(coordinator, CameraPanSeconds, body->position);
        if (TutorialStep() == 12)
            AdvanceTutorial(coordinator);
        return;
    }
}

void bGameController::CancelThrow(Coordinator& coordinator)
{
    // A thrower that died while aiming stays dead.
    if (const auto behaviour = coordinator.GetBehaviourAs<bPlayerBehaviour>(Thrower))
        if (behaviour->ActionState != bPlayerBehaviour::ActionDead)
            behaviour->ActionState = bPlayerBehaviour::ActionIdle;
    Thrower = NO_ENTITY;
    SetAoeIndicatorsActive(coordinator, false);
    HideTrajectory(coordinator);
    ArrowShown = false;
    ThrowMode = 0;
    OrderStart = OrderCurrent = {0.0f, 0.0f};
}

void bGameController::HandleThrowAim(Coordinator& coordinator, int tutorialStep)
{
    HideTrajectory(coordinator);
    std::shared_ptr<IBehaviour> thrower;
    const Transform* body = coordinator.GetComponent<Transform>(Thrower);
    if (!coordinator.GetBehaviour(Thrower, thrower) || body == nullptr)
    {
        CancelThrow(coordinator);
        return;
    }
    const auto soldier = std::dynamic_pointer_cast<bPlayerBehaviour>(thrower);

    const Vector2 start = body->position;
    const Vector2 cursor = CursorWorldPoint(coordinator);
    const double dx = static_cast<double>(cursor.x) - start.x;
    const double dy = static_cast<double>(cursor.y) - start.y;
    const double distance = std::hypot(dx, dy);
    // The cursor right on the thrower gives no direction: the previous aim stays, unturned.
    const bool hasDirection = distance > 0.0 && std::isfinite(distance);
    if (hasDirection)
    {
        const double length = std::min(distance, MaxThrowLength);
        lastThrowAim = {static_cast<float>(dx / distance * length), static_cast<float>(dy / distance * length)};
        lastThrowLength = static_cast<float>(length);
        if (soldier != nullptr)
        {
            coordinator.GetComponent<Transform>(Thrower)->SetRotationFromDirectionRecursive(lastThrowAim, coordinator);
            soldier->FacingLocked = true;
        }
    }

    BounceCount = 0;
    std::vector<Vector2> path;
    std::vector<Vector2> normals;
    TraceThrowPath(coordinator, path, normals, start, lastThrowAim, lastThrowLength, Thrower);
    DrawTrajectory(coordinator, start, path);
    if (!path.empty())
        PlaceAoeIndicators(coordinator, path.back());

    if (!thrower->active)
    {
        CancelThrow(coordinator);
        return;
    }
    // Steps 1 to 13 of the tutorial teach aiming before throwing: the buttons wait until 14.
    if (tutorialStep != 0 && tutorialStep < 14)
        return;
    const bool throwClick = coordinator.GetKeyState(SquadKeys::LeftButton) == SquadKeys::Pressed;
    const bool cancelClick = coordinator.GetKeyState(SquadKeys::RightButton) == SquadKeys::Pressed;
    if (!throwClick && !cancelClick)
        return;
    const bool throws = throwClick && soldier != nullptr;
    if (throws)
    {
        const bool grenade = ThrowKind == GrenadeKind;
        soldier->Throw(coordinator, grenade ? "Grenade" : "Molotov", lastThrowLength, path, normals);
        std::uint16_t& count = grenade ? soldier->Grenades : soldier->Molotovs;
        if (!soldier->InfiniteExplosives && count > 0)
            --count;
    }
    CancelThrow(coordinator);
    if (throws)
        soldier->ActionState = bPlayerBehaviour::ActionThrowing;
    MouseConsumed = true;
    if (tutorialStep == 14)
        AdvanceTutorial(coordinator);
}

void bGameController::TraceThrowPath(Coordinator& coordinator, std::vector<Vector2>& path, std::vector<Vector2>& normals,
                                     Vector2 start, Vector2 aim, float length, Entity ignored)
{
    const Vector2 end = {start.x + aim.x, start.y + aim.y};
    std::vector<Vector2> points;
    std::vector<Vector2> surfaces;
    std::vector<Entity> hits;
    if (coordinator.BroadphaseGrid != nullptr)
    {
        const std::set<Entity> ignore = {ignored};
        hits = Raycast(coordinator, *coordinator.BroadphaseGrid, start, end, &ignore, true, &points, &surfaces,
                       &ThrowBlockingTags);
    }
    if (points.empty())
    {
        path.push_back(end);
        return;
    }
    // The nearest contact; of equally near ones the first returned.
    std::size_t nearest = 0;
    double nearestDistance = Distance(start, points[0]);
    for (std::size_t i = 1; i < points.size(); ++i)
    {
        const double distance = Distance(start, points[i]);
        if (distance < nearestDistance)
        {
            nearest = i;
            nearestDistance = distance;
        }
    }
    const Vector2 hit = points[nearest];
    const Vector2 normal = surfaces[nearest];
    const Entity surface = nearest < hits.size() ? hits[nearest] : NO_ENTITY;

    const double along = static_cast<double>(aim.x) * normal.x + static_cast<double>(aim.y) * normal.y;
    const double rx = aim.x - 2.0 * along * normal.x;
    const double ry = aim.y - 2.0 * along * normal.y;
    const double remaining = static_cast<double>(length) - nearestDistance;
    const double reflected = std::hypot(rx, ry);
    Vector2 bounced;
    if (reflected > 0.0 && std::isfinite(reflected))
        bounced = {static_cast<float>(rx / reflected * remaining), static_cast<float>(ry / reflected * remaining)};

    path.push_back(hit);
    normals.push_back(normal);
    ++BounceCount;
    // The next leg ignores the surface it starts on; the third hit ends the path.
    if (BounceCount < MaxBounces)
        TraceThrowPath(coordinator, path, normals, hit, bounced, static_cast<float>(remaining), surface);
}

void bGameController::DrawTrajectory(Coordinator& coordinator, Vector2 start, const std::vector<Vector2>& path)
{
    const std::size_t legs = std::min(std::max<std::size_t>(path.size(), 1), TrajectorySegments.size());
    for (std::size_t i = 0; i < legs; ++i)
    {
        const Entity segment = TrajectorySegments[i];
        SetBehaviourActive(coordinator, segment, true);
        const Vector2 from = i == 0 ? start : path[i - 1];
        const Vector2 to = path.empty() ? CursorWorldPoint(coordinator) : path[i];
        const double length = Distance(from, to);
        if (Renderer* look = coordinator.GetComponent<Renderer>(segment))
            look->scaleX = static_cast<float>(length * 0.5);
        PlaceEntityAt(coordinator, segment, {(from.x + to.x) * 0.5f, (from.y + to.y) * 0.5f});
        Transform* transform = coordinator.GetComponent<Transform>(segment);
        // A leg of no length has no direction: the segment keeps its rotation.
        if (transform == nullptr || !(length > 0.0) || !std::isfinite(length))
            continue;
        const double cosine = std::clamp((static_cast<double>(to.x) - from.x) / length, -1.0, 1.0);
        const double angle = std::acos(cosine);
        transform->rotation = static_cast<float>(to.y - from.y < 0.0f ? TwoPi - angle : angle);
    }
}

void bGameController::PlaceAoeIndicators(Coordinator& coordinator, Vector2 point)
{
    for (Entity indicator : AoeIndicators)
        PlaceEntityAt(coordinator, indicator, point);
}

void bGameController::SetAoeIndicatorsActive(Coordinator& coordinator, bool active)
{
    for (Entity indicator : AoeIndicators)
        SetBehaviourActive(coordinator, indicator, active);
}

void bGameController::HideTrajectory(Coordinator& coordinator)
{
    for (Entity segment : TrajectorySegments)
        SetBehaviourActive(coordinator, segment, false);
}
