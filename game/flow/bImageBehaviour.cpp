#include "game/flow/bImageBehaviour.h"

#include "engine/components/Identifier.h"
#include "engine/components/PhysicsMovement.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/core/Json.h"
#include "engine/systems/CameraView.h"
#include "engine/systems/sPhysicsMovement.h"
#include "engine/systems/sRendererSystem.h"
#include "game/definitions/NameTableJson.h"
#include "game/flow/NameTableCombo.h"
#include "game/flow/ScenePaths.h"
#include "game/flow/ScreenElements.h"
#include "game/squad/bCharacterBehaviour.h"

#include <imgui.h>
#include <imgui_stdlib.h>

#include <algorithm>
#include <cmath>

// The life of an image: screen space, showing and hiding through the drawing system, following
// and turning, the per-step timers, the scene changes of two effects, health bars and danger
// icons. The effects themselves and the queue are in bImageBehaviourEffects.cpp.

namespace
{
constexpr float DegreesToRadians = 3.14159265358979f / 180.0f;
// Health-bar easing, health per second.
constexpr float HealthBarEasing = 15.0f;
constexpr float HealthBarSnap = 0.1f;
const float HealthyTint[3] = {0.0f, 1.0f, 0.0f};
const float WoundedTint[3] = {1.0f, 0.5f, 0.0f};
const float CriticalTint[3] = {1.0f, 0.0f, 0.0f};
}

// --- Life cycle -------------------------------------------------------------------------------

void bImageBehaviour::Awake(Coordinator& coordinator)
{
    Transform* transform = coordinator.GetComponent<Transform>(entity);
    if (!BindToCamera || transform == nullptr)
        return;
    cameraOffset = {transform->position.x - ReferenceViewCentre.x, transform->position.y - ReferenceViewCentre.y};
    initialCameraOffset = cameraOffset;
    MoveByHand(*transform, Offset(CameraPosition(coordinator), cameraOffset.x, cameraOffset.y));
}

void bImageBehaviour::Start(Coordinator& coordinator)
{
    if (!OnInitialScreen)
    {
        active = false;
        inSystems = false;
    }
    if (RotationForce != 0.0f)
        coordinator.AddEntityToSystem<sPhysicsMovement>(entity);
    if (const Entity found = FindNamedEntity(coordinator, BindTo); found != NO_ENTITY)
        boundEntity = found;
    std::vector<Entity> queued;
    AppendEntitiesNamed(coordinator, QueueToEntity, queued);
    QueueTargets.insert(queued.begin(), queued.end());
    SetUpEffect(coordinator);
    if (FXDuration != 0.0f)
        FXRemaining = FXDuration;
    Vector2 anchor;
    Transform* transform = coordinator.GetComponent<Transform>(entity);
    if (transform != nullptr && boundEntity != NO_ENTITY && PositionOf(coordinator, boundEntity, anchor))
        MoveByHand(*transform, Offset(anchor, BindTo_Offset_X, BindTo_Offset_Y));
    if (ShowTimer != 0.0f)
        ShowTimerRemaining = ShowTimer;
    const Identifier* identifier = coordinator.GetComponent<Identifier>(entity);
    IsHealthBar = identifier != nullptr && identifier->HasTag("HEALTHBAR");
    if (IsHealthBar)
        UpdateHealthBar(coordinator);
}

void bImageBehaviour::Update(Coordinator& coordinator)
{
    Transform* transform = coordinator.GetComponent<Transform>(entity);
    if (transform == nullptr)
        return;
    if (active)
        UpdateShown(coordinator, *transform);
    else if (inSystems)
        LeaveSystems(coordinator);
}

void bImageBehaviour::OnSceneUnload(Coordinator&)
{
}

void bImageBehaviour::UpdateShown(Coordinator& coordinator, Transform& transform)
{
    if (!inSystems)
    {
        coordinator.AddEntityToSystem<sRendererSystem>(entity);
        if (RotationForce != 0.0f)
            if (PhysicsMovement* movement = coordinator.GetComponent<PhysicsMovement>(entity))
                movement->AddForce(1, 1.0f, 0.0f, Vector2{}, RotationForce, "bRotate");
        inSystems = true;
    }
    if (boundEntity != NO_ENTITY)
    {
        Vector2 anchor;
        if (PositionOf(coordinator, boundEntity, anchor))
        {
            MoveByHand(transform, Offset(anchor, BindTo_Offset_X, BindTo_Offset_Y));
            if (RotateWithBindTo)
            {
                const float turn = coordinator.GetComponent<Transform>(boundEntity)->rotation;
                transform.SetRotationFromDirection({std::cos(turn), std::sin(turn)});
            }
        }
        // It hides with the entity it follows, from the next frame on.
        if (HasInactiveBehaviour(coordinator, boundEntity))
            active = false;
    }
    for (int step = 0; step < coordinator.StepCount; ++step)
        RunFixedStep(coordinator);

    // An element bound to a camera-bound element keeps the bound place.
    if (BindToCamera && !HasCameraBoundBehaviour(coordinator, boundEntity))
    {
        const Vector2 offset = ImageFX == ImageEffect::NoFX ? initialCameraOffset : cameraOffset;
        MoveByHand(transform, Offset(CameraPosition(coordinator), offset.x, offset.y));
    }
    if (FXRemaining <= 0.0f && !FlickerOn)
    {
        if (!IsInSystem<sRendererSystem>(coordinator, entity))
            coordinator.AddEntityToSystem<sRendererSystem>(entity);
        FlickerOn = true;
    }
    if (ShowTimer != 0.0f && ShowTimerRemaining <= 0.0f && inSystems)
        active = false;
    if (HideWhenFXEnds && FXRemaining <= 0.0f && inSystems)
        active = false;
    if (IsHealthBar)
        UpdateHealthBar(coordinator);
    if (!QueueFired && !QueueTargets.empty() && FXRemaining <= 0.0f && ShowTimerRemaining <= 0.0f)
        FireQueue(coordinator);
}

void bImageBehaviour::RunFixedStep(Coordinator& coordinator)
{
    if (FXRemaining > 0.0f)
        StepEffect(coordinator);
    if (ShowTimer != 0.0f)
    {
        ShowTimerStarted = true;
        ShowTimerRemaining -= FixedStepSeconds;
    }
    if (FXDuration != 0.0f)
    {
        if (FXDuration != EndlessEffect && FXRemaining > 0.0f)
            FXRemaining -= FixedStepSeconds;
        if (ImageFX == ImageEffect::Flicker && FXRemaining > 0.0f)
            FlickerTimer += FXSpeed / 60.0f;
    }
    if (FXRemaining > 0.0f)
        return;
    // Asked again every step; the transition screen takes the first request.
    if (ImageFX == ImageEffect::GoMainMenu)
        GoToScene(coordinator, MainMenuScene);
    else if (ImageFX == ImageEffect::GoCredits)
        coordinator.PendingScene = CreditsEffectScene;
}

void bImageBehaviour::LeaveSystems(Coordinator& coordinator)
{
    if (DeleteWhenHide)
        coordinator.DestroyEntity(entity);
    // Flicker may have taken it out already.
    if (IsInSystem<sRendererSystem>(coordinator, entity))
        coordinator.RemoveEntityFromSystem<sRendererSystem>(entity);
    if (RotationForce != 0.0f)
    {
        coordinator.GetComponent<Transform>(entity)->rotation = 0.0f;
        if (PhysicsMovement* movement = coordinator.GetComponent<PhysicsMovement>(entity))
            movement->angularVelocity = 0.0f;
    }
    // Ready for the next showing.
    if (ShowTimer != 0.0f)
        ShowTimerRemaining = ShowTimer;
    inSystems = false;
    if (!QueueFired && !QueueTargets.empty())
        FireQueue(coordinator);
}

// --- Health bars and danger icons -------------------------------------------------------------

void bImageBehaviour::UpdateHealthBar(Coordinator& coordinator)
{
    const std::shared_ptr<bCharacterBehaviour> character = coordinator.GetBehaviourAs<bCharacterBehaviour>(LinkedCharacter);
    if (character == nullptr)
        return;
    HealthTarget = character->CurrentHealth;
    const float gap = HealthTarget - HealthShown;
    const float easing = HealthBarEasing * coordinator.DeltaTime;
    // The bar eases toward the health without passing it: a frame longer than the gap lands on it.
    if (std::fabs(gap) < HealthBarSnap || std::fabs(gap) <= easing)
        HealthShown = HealthTarget;
    else
        HealthShown += gap > 0.0f ? easing : -easing;

    Renderer* renderer = coordinator.GetComponent<Renderer>(entity);
    if (renderer == nullptr)
        return;
    const float* tint = HealthShown >= 60.0f ? HealthyTint : HealthShown >= 30.0f ? WoundedTint : CriticalTint;
    std::copy(tint, tint + 3, renderer->tint);
    // The character's health serves as the percentage directly.
    renderer->fillPercent = HealthShown;
}

Entity bImageBehaviour::ClearBoundDangerIcon(Coordinator& coordinator)
{
    const std::shared_ptr<bCharacterBehaviour> character = coordinator.GetBehaviourAs<bCharacterBehaviour>(LinkedCharacter);
    if (character != nullptr && character->RemoveDangerIcon(coordinator))
        return LinkedCharacter;
    return NO_ENTITY;
}

// --- JSON and inspector -------------------------------------------------------------------------

void bImageBehaviour::Deserialize(const rapidjson::Value& object)
{
    OnInitialScreen = Json::Bool(object, "OnInitialScreen", OnInitialScreen);
    BindToCamera = Json::Bool(object, "BindToCamera", BindToCamera);
    if (Json::Find(object, "ShowTimer") != nullptr)
        ShowTimer = ShowTimerRemaining = Json::Float(object, "ShowTimer");
    if (Json::Find(object, "RotationForce") != nullptr)
        RotationForce = Json::Float(object, "RotationForce") * DegreesToRadians;
    BindTo = Json::String(object, "BindTo", BindTo);
    BindTo_Offset_X = Json::Float(object, "BindTo_Offset_X", BindTo_Offset_X);
    BindTo_Offset_Y = Json::Float(object, "BindTo_Offset_Y", BindTo_Offset_Y);
    PrimaryTexture = Json::String(object, "PrimaryTexture", PrimaryTexture);
    SecondaryTexture = Json::String(object, "SecondaryTexture", SecondaryTexture);
    ReadTableKey(object, "ImageFX", ImageEffects(), ImageFX);
    if (Json::Find(object, "FXDuration") != nullptr)
    {
        const float duration = Json::Float(object, "FXDuration");
        FXDuration = FXRemaining = duration >= EndlessEffectInFiles ? EndlessEffect : duration;
    }
    FXSpeed = Json::Float(object, "FXSpeed", FXSpeed);
    FXLimits = Json::Float(object, "FXLimits", FXLimits);
    QueueToEntity = Json::String(object, "QueueToEntity", QueueToEntity);
    DeleteWhenHide = Json::Bool(object, "DeleteWhenHide", DeleteWhenHide);
    RotateWithBindTo = Json::Bool(object, "RotateWithBindTo", RotateWithBindTo);
    ReadTableKeyList(object, "QueueToFX", ImageEffects(), QueueToFX);
    if (const rapidjson::Value* durations = Json::OptionalArray(object, "QueueToFXDuration"))
        for (const rapidjson::Value& duration : durations->GetArray())
            QueueToFXDuration.push_back(Json::AsFloat(duration, "QueueToFXDuration"));
    if (const rapidjson::Value* limits = Json::OptionalArray(object, "QueueToFXLimits"))
        for (const rapidjson::Value& limit : limits->GetArray())
            QueueToFXLimits.push_back(Json::AsFloat(limit, "QueueToFXLimits"));
}

void bImageBehaviour::Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    auto text = [&](const char* key, const std::string& value) { WriteKeyText(object, key, value, allocator); };
    auto number = [&](const char* key, float value) {
        object.AddMember(rapidjson::StringRef(key), static_cast<double>(value), allocator);
    };
    object.AddMember("OnInitialScreen", OnInitialScreen, allocator);
    object.AddMember("BindToCamera", BindToCamera, allocator);
    if (ShowTimer != 0.0f)
        number("ShowTimer", ShowTimer);
    // Written in degrees, the unit its reader expects.
    if (RotationForce != 0.0f)
        number("RotationForce", RotationForce / DegreesToRadians);
    text("BindTo", BindTo);
    number("BindTo_Offset_X", BindTo_Offset_X);
    number("BindTo_Offset_Y", BindTo_Offset_Y);
    text("PrimaryTexture", PrimaryTexture);
    text("SecondaryTexture", SecondaryTexture);
    if (ImageFX != ImageEffect::NoFX)
    {
        WriteTableKey(object, "ImageFX", ImageEffects(), ImageFX, allocator);
        number("FXDuration", FXDuration);
        number("FXSpeed", FXSpeed);
        number("FXLimits", FXLimits);
    }
    if (!QueueToEntity.empty())
        text("QueueToEntity", QueueToEntity);
    object.AddMember("DeleteWhenHide", DeleteWhenHide, allocator);
    object.AddMember("RotateWithBindTo", RotateWithBindTo, allocator);
}

void bImageBehaviour::Inspect()
{
    if (!ImGui::CollapsingHeader("Image Behaviour"))
        return;
    ImGui::Checkbox("On Initial Screen##Image", &OnInitialScreen);
    ImGui::Checkbox("Bind To Camera##Image", &BindToCamera);
    ImGui::DragFloat("Show Timer##Image", &ShowTimer, 0.1f, 0.0f, 600.0f);
    ImGui::DragFloat("Rotation Force##Image", &RotationForce, 0.01f);
    ImGui::InputText("Bind To##Image", &BindTo);
    ImGui::DragFloat("Bind Offset X##Image", &BindTo_Offset_X);
    ImGui::DragFloat("Bind Offset Y##Image", &BindTo_Offset_Y);
    ImGui::InputText("Primary Texture##Image", &PrimaryTexture);
    ImGui::InputText("Secondary Texture##Image", &SecondaryTexture);
    NameTableCombo("Image FX##Image", ImageEffects(), ImageFX);
    ImGui::DragFloat("FX Duration##Image", &FXDuration, 0.1f, 0.0f, 1000.0f);
    ImGui::DragFloat("FX Speed##Image", &FXSpeed, 0.1f);
    ImGui::DragFloat("FX Limits##Image", &FXLimits, 0.1f);
    ImGui::InputText("Queue To Entity##Image", &QueueToEntity);
}
