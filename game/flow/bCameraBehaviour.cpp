#include "game/flow/bCameraBehaviour.h"

#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/core/Json.h"
#include "engine/platform/sInputSystem.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/ScreenElements.h"
#include "game/flow/bGameLogic.h"

#include <cmath>
#include <numbers>

namespace
{
const std::string LogoScene = "Resources/LogoScene.json";
const std::string MainMenu = "Resources/mainMenu.json";
// The logo screen's slow zoom.
constexpr float LogoZoomHeight = 900.0f;
constexpr float LogoZoomSeconds = 2.5f;
constexpr float StepsPerSecond = 60.0f;

// A move that plays no step: taken from the queue and dropped without moving the camera.
constexpr CameraMove StandStill{};

bool LevelPaused()
{
    const bGameLogic* rules = GameLogicInstance();
    return rules != nullptr && rules->CurrentState == GameState::Paused;
}
}

void bCameraBehaviour::Awake(Coordinator& coordinator)
{
    coordinator.CameraBounds[0] = minX;
    coordinator.CameraBounds[1] = minY;
    coordinator.CameraBounds[2] = maxX;
    coordinator.CameraBounds[3] = maxY;
    if (Transform* transform = coordinator.GetComponent<Transform>(entity))
        MoveByHand(*transform, {centerX, centerY});
    // The engine learns which entity is the camera only after the scene has woken; until then
    // the clamp must not move whatever entity it still names.
    if (coordinator.CameraEntity == entity)
        sInputSystem::ClampCameraToBounds(coordinator);
    coordinator.ZoomMax = maxHeight;
}

void bCameraBehaviour::Start(Coordinator& coordinator)
{
    SavedHeight = coordinator.ViewHeight;
    PositionOf(coordinator, entity, SavedPosition);
    if (coordinator.CurrentScene == LogoScene && coordinator.PendingScene != MainMenu)
    {
        ZoomTo(coordinator, SavedPosition, LogoZoomHeight, LogoZoomSeconds);
        return;
    }
    ZoomActive = false;
    coordinator.ViewHeight = SavedHeight;
    if (Transform* transform = coordinator.GetComponent<Transform>(entity))
        MoveByHand(*transform, SavedPosition);
}

void bCameraBehaviour::Update(Coordinator& coordinator)
{
    if (LevelPaused())
        return;
    if (CurrentMove.Duration == 0.0f && !Moves.empty())
        NextMove();

    Transform* transform = coordinator.GetComponent<Transform>(entity);
    bool moved = false;
    for (int step = 0; step < coordinator.StepCount; ++step)
    {
        if (CurrentMove.Duration == 0.0f || !(MoveElapsed < CurrentMove.Duration))
            continue;
        MoveElapsed += FixedStepSeconds;
        if (MoveElapsed > CurrentMove.Duration)
            MoveElapsed = CurrentMove.Duration;
        Vector2 velocity = CurrentMove.Velocity;
        if (CurrentMove.Eased)
        {
            const float ease = std::sin(MoveElapsed * std::numbers::pi_v<float> / CurrentMove.Duration);
            velocity = {velocity.x * ease, velocity.y * ease};
        }
        if (transform != nullptr)
            MoveByHand(*transform, {transform->position.x + velocity.x / StepsPerSecond,
                                    transform->position.y + velocity.y / StepsPerSecond});
        if (CurrentMove.ZoomRate != 0.0f)
            coordinator.ViewHeight += CurrentMove.ZoomRate / StepsPerSecond;
        if (MoveElapsed == CurrentMove.Duration)
        {
            MoveElapsed = 0.0f;
            CurrentMove.Duration = 0.0f;
            CurrentMove.Velocity = {};
            CurrentMove.ZoomRate = 0.0f;
            if (!Moves.empty())
                NextMove();
        }
        moved = true;
    }

    if (ZoomActive)
    {
        const float dt = coordinator.DeltaTime;
        ZoomTimer -= dt;
        coordinator.ViewHeight -= ZoomHeightRate * dt;
        if (transform != nullptr)
            MoveByHand(*transform, {transform->position.x - ZoomVelocity.x * dt,
                                    transform->position.y - ZoomVelocity.y * dt});
        if (ZoomTimer <= 0.0f)
        {
            // The zoom snaps back; the pan keeps where it ended.
            ZoomActive = false;
            coordinator.ViewHeight = SavedHeight;
        }
        moved = true;
    }

    if (moved)
    {
        sInputSystem::ClampCameraToBounds(coordinator);
        sInputSystem::UpdateCursorPosition(coordinator);
    }
}

void bCameraBehaviour::OnSceneUnload(Coordinator&)
{
}

// --- Scripted moves -----------------------------------------------------------------------------

Vector2 bCameraBehaviour::NextMoveStart(Coordinator& coordinator) const
{
    if (!Moves.empty())
        return LastQueuedTarget;
    Vector2 position;
    PositionOf(coordinator, entity, position);
    return position;
}

void bCameraBehaviour::QueueMove(Coordinator& coordinator, float seconds, const Vector2& target)
{
    const Vector2 start = NextMoveStart(coordinator);
    if (!(seconds > 0.0f) || !std::isfinite(seconds))
    {
        // No time to get there: the camera stays, and so does the start of the next move.
        Moves.push_back(StandStill);
        LastQueuedTarget = start;
        return;
    }
    Moves.push_back({seconds, {(target.x - start.x) / seconds, (target.y - start.y) / seconds}, 0.0f, false});
    LastQueuedTarget = target;
}

void bCameraBehaviour::QueueMoveAtSpeed(Coordinator& coordinator, const Vector2& target, float speed)
{
    const Vector2 start = NextMoveStart(coordinator);
    const double dx = static_cast<double>(target.x) - start.x;
    const double dy = static_cast<double>(target.y) - start.y;
    const double distance = std::sqrt(dx * dx + dy * dy);
    if (distance == 0.0 || !(speed > 0.0f) || !std::isfinite(speed) || !std::isfinite(distance))
    {
        // Nowhere to go, or no speed to go with: a move of no time that is dropped unplayed,
        // rather than a division by zero.
        Moves.push_back(StandStill);
        LastQueuedTarget = distance == 0.0 ? target : start;
        return;
    }
    const float perUnit = static_cast<float>(1.0 / distance);
    const float sx = target.x - start.x;
    const float sy = target.y - start.y;
    Moves.push_back({static_cast<float>(distance / speed), {sx * perUnit * speed, sy * perUnit * speed}, 0.0f, false});
    LastQueuedTarget = target;
}

void bCameraBehaviour::StartEasedMove(Coordinator& coordinator, float seconds, const Vector2& target,
                                      float viewHeight)
{
    MoveElapsed = 0.0f;
    if (!(seconds > 0.0f) || !std::isfinite(seconds))
    {
        CurrentMove = StandStill;
        return;
    }
    Vector2 position;
    PositionOf(coordinator, entity, position);
    // With the sine profile the distance covered is the peak velocity times 2 x seconds / pi.
    const float spread = 2.0f * seconds / std::numbers::pi_v<float>;
    CurrentMove.Eased = true;
    CurrentMove.Velocity = {(target.x - position.x) / spread, (target.y - position.y) / spread};
    CurrentMove.Duration = seconds;
    CurrentMove.ZoomRate = (viewHeight - coordinator.ViewHeight) / seconds;
}

void bCameraBehaviour::ZoomTo(Coordinator& coordinator, const Vector2& target, float viewHeight, float seconds)
{
    SavedHeight = coordinator.ViewHeight;
    PositionOf(coordinator, entity, SavedPosition);
    if (!(seconds > 0.0f) || !std::isfinite(seconds))
    {
        // A zoom of no time is over at once and snaps back to where it began.
        ZoomActive = false;
        return;
    }
    ZoomVelocity = {(SavedPosition.x - target.x) / seconds, (SavedPosition.y - target.y) / seconds};
    ZoomTimer = seconds;
    ZoomActive = true;
    ZoomHeightRate = (coordinator.ViewHeight - viewHeight) / seconds;
}

void bCameraBehaviour::NextMove()
{
    if (Moves.empty())
        return;
    CurrentMove = Moves.front();
    Moves.pop_front();
}

// --- JSON and inspector -------------------------------------------------------------------------

void bCameraBehaviour::Deserialize(const rapidjson::Value& object)
{
    minX = Json::Float(object, "minX", minX);
    minY = Json::Float(object, "minY", minY);
    maxX = Json::Float(object, "maxX", maxX);
    maxY = Json::Float(object, "maxY", maxY);
    centerX = Json::Float(object, "centerX", ReferenceViewCentre.x);
    centerY = Json::Float(object, "centerY", ReferenceViewCentre.y);
    maxHeight = Json::Float(object, "maxHeight", maxHeight);
}

void bCameraBehaviour::Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    object.AddMember("minX", static_cast<double>(minX), allocator);
    object.AddMember("minY", static_cast<double>(minY), allocator);
    object.AddMember("maxX", static_cast<double>(maxX), allocator);
    object.AddMember("maxY", static_cast<double>(maxY), allocator);
    object.AddMember("centerX", static_cast<double>(centerX), allocator);
    object.AddMember("centerY", static_cast<double>(centerY), allocator);
    object.AddMember("maxHeight", static_cast<double>(maxHeight), allocator);
}

void bCameraBehaviour::Inspect()
{
}
