#include "game/flow/bUIButtonBehaviour.h"

#include "engine/components/PhysicsCollision.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/core/Json.h"
#include "engine/platform/sSoundSystem.h"
#include "engine/systems/CameraView.h"
#include "engine/systems/ColliderPlacement.h"
#include "engine/systems/sPhysicsCollision.h"
#include "engine/systems/sRendererSystem.h"
#include "game/definitions/NameTableJson.h"
#include "game/flow/NameTableCombo.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/ScreenElements.h"
#include "game/flow/bGameLogic.h"
#include "game/squad/bCharacterBehaviour.h"
#include "game/squad/bGameController.h"
#include "game/squad/bPlayerBehaviour.h"

#include <imgui.h>
#include <imgui_stdlib.h>

// The life of a button: screen space, showing and hiding through the drawing and collision
// systems, the hover look, the click, the re-click delay, availability, following, the fade and
// its queued entity, and the screens a click switches. What else a click does is in
// bUIButtonBehaviourActions.cpp; sliders and toggles in bUIButtonBehaviourSliders.cpp.

namespace
{
// How long the hover look outlasts the cursor.
constexpr float HoverHold = 0.05f;
constexpr int LeftMouseButton = 1;
constexpr int KeyPressed = 1;
constexpr int KeyCompleted = 4;
const std::string ClickSound = "Click9_false_SFX_";
}

// --- Life cycle -------------------------------------------------------------------------------

void bUIButtonBehaviour::Awake(Coordinator& coordinator)
{
    // The next collider placement puts a camera-bound button afresh in screen space.
    if (PhysicsCollision* collision = coordinator.GetComponent<PhysicsCollision>(entity))
        collision->screenPlaced = false;
    Transform* transform = coordinator.GetComponent<Transform>(entity);
    if (!BindToCamera || transform == nullptr)
        return;
    cameraOffset = {transform->position.x - ReferenceViewCentre.x, transform->position.y - ReferenceViewCentre.y};
    MoveByHand(*transform, Offset(CameraPosition(coordinator), cameraOffset.x, cameraOffset.y));
    if (!OnInitialScreen && coordinator.BroadphaseGrid != nullptr)
        InsertColliderIntoGrid(coordinator, entity, *coordinator.BroadphaseGrid);
}

void bUIButtonBehaviour::Start(Coordinator& coordinator)
{
    // A button that starts hidden stays in whatever systems its data joined it to until it is
    // first shown.
    if (!OnInitialScreen)
    {
        active = false;
        inSystems = false;
    }
    AppendEntitiesNamed(coordinator, MainScreen, MainScreenEntities);
    AppendEntitiesNamed(coordinator, SubScreen, SubScreenEntities);
    if (const Entity found = FindNamedEntity(coordinator, BindTo); found != NO_ENTITY)
        boundEntity = found;
    if (const Entity found = FindNamedEntity(coordinator, AffectEntity); found != NO_ENTITY)
        AffectedEntity = found;
    if (const Entity found = FindNamedEntity(coordinator, QueueToEntity); found != NO_ENTITY)
        QueuedEntity = found;
    if (const Renderer* renderer = coordinator.GetComponent<Renderer>(entity);
        renderer != nullptr && !IsInvisible && ImageFX == ImageEffect::FadeTo)
        // The signed difference: a fade authored downward goes down, as queued fades do.
        AimSpeed(renderer->opacity, FXDuration);
    if (FXDuration != 0.0f)
        FXRemaining = FXDuration;
    AppendEntitiesNamed(coordinator, AffectSliders, AffectSliderEntities);
    StartSlider(coordinator);
}

void bUIButtonBehaviour::Update(Coordinator& coordinator)
{
    if (active)
        UpdateShown(coordinator);
    else
        UpdateHidden(coordinator);
}

void bUIButtonBehaviour::OnSceneUnload(Coordinator&)
{
}

void bUIButtonBehaviour::UpdateShown(Coordinator& coordinator)
{
    Renderer* renderer = coordinator.GetComponent<Renderer>(entity);
    if (!inSystems)
    {
        if (!IsInvisible)
            coordinator.AddEntityToSystem<sRendererSystem>(entity);
        coordinator.AddEntityToSystem<sPhysicsCollision>(entity);
        inSystems = true;
    }
    // The hover look stays a moment after the cursor has left.
    if (!IsInvisible && renderer != nullptr && !NonHoverTexture.empty() && renderer->textureName != NonHoverTexture)
    {
        if (HoverTimer > 0.0f)
            HoverTimer -= coordinator.DeltaTime;
        else
            renderer->SetTexture(coordinator, NonHoverTexture);
    }
    Follow(coordinator);
    // Re-arming resets the timer; a click does not.
    if (!ClickArmed)
    {
        if (ReclickTimer >= ReclickDelay)
        {
            ClickArmed = true;
            ReclickTimer = 0.0f;
        }
        ReclickTimer += static_cast<float>(coordinator.StepCount) * FixedStepSeconds;
    }
    if (!IsInvisible && renderer != nullptr && !UnavailableTexture.empty() && renderer->textureName != UnavailableTexture)
        RefreshAvailability(coordinator);
    RunFade(coordinator);
    UpdateSlider(coordinator);
}

void bUIButtonBehaviour::UpdateHidden(Coordinator& coordinator)
{
    if (inSystems)
    {
        if (!IsInvisible)
        {
            Renderer* renderer = coordinator.GetComponent<Renderer>(entity);
            if (renderer != nullptr && !NonHoverTexture.empty() && renderer->textureName != NonHoverTexture)
                renderer->SetTexture(coordinator, NonHoverTexture);
            if (IsInSystem<sRendererSystem>(coordinator, entity))
                coordinator.RemoveEntityFromSystem<sRendererSystem>(entity);
        }
        if (IsInSystem<sPhysicsCollision>(coordinator, entity))
            coordinator.RemoveEntityFromSystem<sPhysicsCollision>(entity);
        inSystems = false;
    }
    // Keeps a camera-bound collider placed in screen space while the button waits to be shown.
    if (coordinator.BroadphaseGrid != nullptr)
        InsertColliderIntoGrid(coordinator, entity, *coordinator.BroadphaseGrid);
}

void bUIButtonBehaviour::Follow(Coordinator& coordinator)
{
    Transform* transform = coordinator.GetComponent<Transform>(entity);
    if (transform == nullptr)
        return;
    // A button bound to a camera-bound element keeps the bound place; a dragged knob its own.
    if (BindToCamera && !Dragging && !HasCameraBoundBehaviour(coordinator, boundEntity))
        MoveByHand(*transform, Offset(CameraPosition(coordinator), cameraOffset.x, cameraOffset.y));
    if (boundEntity != NO_ENTITY)
    {
        Vector2 anchor;
        if (PositionOf(coordinator, boundEntity, anchor))
            MoveByHand(*transform, Offset(anchor, BindTo_Offset_X, BindTo_Offset_Y));
        // It hides with the entity it sits on, from the next frame on.
        if (HasInactiveBehaviour(coordinator, boundEntity))
            active = false;
    }
}

void bUIButtonBehaviour::RunFade(Coordinator& coordinator)
{
    if (ImageFX == ImageEffect::FadeTo && !IsInvisible)
        if (Renderer* renderer = coordinator.GetComponent<Renderer>(entity))
            for (int step = 0; step < coordinator.StepCount && FXRemaining > 0.0f; ++step)
                renderer->opacity += FXSpeed / 60.0f;
    // A button's effect time runs by the frame, not by the step.
    if (FXDuration != 0.0f && FXDuration != EndlessEffect)
        FXRemaining -= coordinator.DeltaTime;
    // Asked again every frame: the pause queue ignores an entity with nothing to resume.
    if (QueuedEntity != NO_ENTITY && FXRemaining <= 0.0f)
    {
        coordinator.PauseQueue.Reactivate(QueuedEntity);
        coordinator.PauseQueue.Unfreeze(QueuedEntity);
        ActivateBehaviour(coordinator, QueuedEntity);
    }
}

void bUIButtonBehaviour::StartQueuedEffect(Coordinator& coordinator, ImageEffect effect, float duration, float limit)
{
    ImageFX = effect;
    FXDuration = FXRemaining = duration;
    FXLimits = limit;
    if (ImageFX == ImageEffect::FadeTo)
    {
        if (const Renderer* renderer = coordinator.GetComponent<Renderer>(entity))
            AimSpeed(renderer->opacity, FXRemaining);
    }
    else if (ImageFX == ImageEffect::VerticalSlide)
    {
        AimSpeed(cameraOffset.y, FXRemaining);
    }
}

void bUIButtonBehaviour::AimSpeed(float from, float seconds)
{
    // No time to reach it in (an effect without a duration never runs): the speed stays finite.
    if (seconds != 0.0f)
        FXSpeed = (FXLimits - from) / seconds;
}

// --- Hover and click --------------------------------------------------------------------------

void bUIButtonBehaviour::OnHover(Coordinator& coordinator)
{
    HoverTimer = HoverHold;
    if (!active || ShowsUnavailable(coordinator))
        return;
    Renderer* renderer = coordinator.GetComponent<Renderer>(entity);
    if (!IsInvisible && renderer != nullptr && !HoverTexture.empty() && renderer->textureName != HoverTexture)
        renderer->SetTexture(coordinator, HoverTexture);
    const int left = coordinator.GetKeyState(LeftMouseButton);
    if (left == KeyCompleted && ClickArmed)
    {
        coordinator.GetSystem<sSoundSystem>()->PlaySfx(ClickSound, coordinator);
        ClickArmed = false;
        RunClick(coordinator);
    }
    if (left == KeyPressed && SliderBehaviour != SettingKey::None)
        Dragging = true;
}

void bUIButtonBehaviour::SwitchScreens(Coordinator& coordinator)
{
    // The elements hide and show themselves in their next Update.
    for (Entity screen : MainScreenEntities)
        DeactivateBehaviour(coordinator, screen);
    for (Entity screen : SubScreenEntities)
        ActivateBehaviour(coordinator, screen);
}

// --- Availability -------------------------------------------------------------------------------

void bUIButtonBehaviour::RefreshAvailability(Coordinator& coordinator)
{
    if (IsInvisible || !ActionUnavailable(coordinator))
        return;
    if (Renderer* renderer = coordinator.GetComponent<Renderer>(entity))
        renderer->SetTexture(coordinator, UnavailableTexture);
}

bool bUIButtonBehaviour::ActionUnavailable(Coordinator& coordinator)
{
    switch (UniqueBehaviour)
    {
    case ButtonAction::None:
        return MainScreenEntities.empty() && SubScreenEntities.empty();
    case ButtonAction::Reload:
        return GameControllerInstance() != nullptr && !bGameController::AnySelectedPlayer(&bPlayerBehaviour::GetSpareAmmo);
    case ButtonAction::Heal:
        return GameControllerInstance() != nullptr &&
               !bGameController::AnySelectedPlayer(&bPlayerBehaviour::GetHealthPacks);
    case ButtonAction::DeactivateBindToEntity:
        return HasInactiveBehaviour(coordinator, boundEntity);
    case ButtonAction::Grenade:
    case ButtonAction::Molotov:
        return GameLogicInstance() != nullptr && GameLogicInstance()->NoExplosives;
    case ButtonAction::Player:
    {
        // A dead soldier's portrait.
        const std::shared_ptr<bCharacterBehaviour> soldier = coordinator.GetBehaviourAs<bCharacterBehaviour>(AffectedEntity);
        return soldier != nullptr && !soldier->active;
    }
    default:
        return false;
    }
}

bool bUIButtonBehaviour::ShowsUnavailable(Coordinator& coordinator)
{
    if (IsInvisible || UnavailableTexture.empty())
        return false;
    const Renderer* renderer = coordinator.GetComponent<Renderer>(entity);
    return renderer != nullptr && renderer->textureName == UnavailableTexture;
}

// --- JSON and inspector -------------------------------------------------------------------------

void bUIButtonBehaviour::Deserialize(const rapidjson::Value& object)
{
    NonHoverTexture = Json::String(object, "NonHoverTexture", NonHoverTexture);
    HoverTexture = Json::String(object, "HoverTexture", HoverTexture);
    UnavailableTexture = Json::String(object, "UnavailableTexture", UnavailableTexture);
    LevelToTarget = Json::String(object, "LevelToTarget", LevelToTarget);
    MainScreen = Json::String(object, "MainScreen", MainScreen);
    SubScreen = Json::String(object, "SubScreen", SubScreen);
    OnInitialScreen = Json::Bool(object, "OnInitialScreen", OnInitialScreen);
    BindToCamera = Json::Bool(object, "BindToCamera", BindToCamera);
    ReadTableKey(object, "UniqueBehaviour", ButtonActions(), UniqueBehaviour);
    ReadTableKey(object, "SliderBehaviour", SettingKeys(), SliderBehaviour);
    ReadTableKey(object, "SliderType", Orientations(), SliderType);
    MinPosX = Json::Float(object, "MinPosX", MinPosX);
    MinPosY = Json::Float(object, "MinPosY", MinPosY);
    MaxPosX = Json::Float(object, "MaxPosX", MaxPosX);
    MaxPosY = Json::Float(object, "MaxPosY", MaxPosY);
    AffectSliders = Json::String(object, "AffectSliders", AffectSliders);
    BindTo = Json::String(object, "BindTo", BindTo);
    BindTo_Offset_X = Json::Float(object, "BindTo_Offset_X", BindTo_Offset_X);
    BindTo_Offset_Y = Json::Float(object, "BindTo_Offset_Y", BindTo_Offset_Y);
    ReadTableKey(object, "ChangeGameState", GameStates(), ChangeGameState);
    AffectEntity = Json::String(object, "AffectEntity", AffectEntity);
    ReclickDelay = Json::Float(object, "ReclickDelay", ReclickDelay);
    ReadTableKey(object, "ImageFX", ImageEffects(), ImageFX);
    if (Json::Find(object, "FXDuration") != nullptr)
    {
        const float duration = Json::Float(object, "FXDuration");
        FXDuration = duration >= EndlessEffectInFiles ? EndlessEffect : duration;
    }
    FXSpeed = Json::Float(object, "FXSpeed", FXSpeed);
    FXLimits = Json::Float(object, "FXLimits", FXLimits);
    QueueToEntity = Json::String(object, "QueueToEntity", QueueToEntity);
    IsInvisible = Json::Bool(object, "IsInvisible", IsInvisible);
    ToggleTextureFalse = Json::String(object, "ToggleTextureFalse", ToggleTextureFalse);
    ToggleTextureTrue = Json::String(object, "ToggleTextureTrue", ToggleTextureTrue);
}

void bUIButtonBehaviour::Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    auto text = [&](const char* key, const std::string& value) { WriteKeyText(object, key, value, allocator); };
    auto textUnlessEmpty = [&](const char* key, const std::string& value) {
        if (!value.empty())
            text(key, value);
    };
    auto number = [&](const char* key, float value) {
        object.AddMember(rapidjson::StringRef(key), static_cast<double>(value), allocator);
    };
    text("NonHoverTexture", NonHoverTexture);
    text("HoverTexture", HoverTexture);
    textUnlessEmpty("UnavailableTexture", UnavailableTexture);
    textUnlessEmpty("LevelToTarget", LevelToTarget);
    textUnlessEmpty("MainScreen", MainScreen);
    textUnlessEmpty("SubScreen", SubScreen);
    object.AddMember("OnInitialScreen", OnInitialScreen, allocator);
    object.AddMember("BindToCamera", BindToCamera, allocator);
    WriteTableKey(object, "UniqueBehaviour", ButtonActions(), UniqueBehaviour, allocator);
    WriteTableKey(object, "SliderType", Orientations(), SliderType, allocator);
    WriteTableKey(object, "SliderBehaviour", SettingKeys(), SliderBehaviour, allocator);
    number("MinPosX", MinPosX);
    number("MinPosY", MinPosY);
    number("MaxPosX", MaxPosX);
    number("MaxPosY", MaxPosY);
    textUnlessEmpty("AffectSliders", AffectSliders);
    textUnlessEmpty("BindTo", BindTo);
    number("BindTo_Offset_X", BindTo_Offset_X);
    number("BindTo_Offset_Y", BindTo_Offset_Y);
    // The state none has no word; it is written as the empty text, which reads back as none.
    WriteTableKey(object, "ChangeGameState", GameStates(), ChangeGameState, allocator);
    textUnlessEmpty("AffectEntity", AffectEntity);
    number("ReclickDelay", ReclickDelay);
    if (ImageFX != ImageEffect::NoFX)
    {
        WriteTableKey(object, "ImageFX", ImageEffects(), ImageFX, allocator);
        number("FXDuration", FXDuration);
        number("FXSpeed", FXSpeed);
        number("FXLimits", FXLimits);
    }
    textUnlessEmpty("QueueToEntity", QueueToEntity);
    object.AddMember("IsInvisible", IsInvisible, allocator);
    text("ToggleTextureFalse", ToggleTextureFalse);
    text("ToggleTextureTrue", ToggleTextureTrue);
}

void bUIButtonBehaviour::Inspect()
{
    if (!ImGui::CollapsingHeader("UI Button Behaviour"))
        return;
    ImGui::InputText("Non Hover Texture##Button", &NonHoverTexture);
    ImGui::InputText("Hover Texture##Button", &HoverTexture);
    ImGui::InputText("Unavailable Texture##Button", &UnavailableTexture);
    ImGui::InputText("Level To Target##Button", &LevelToTarget);
    ImGui::InputText("Main Screen##Button", &MainScreen);
    ImGui::InputText("Sub Screen##Button", &SubScreen);
    ImGui::Checkbox("On Initial Screen##Button", &OnInitialScreen);
    ImGui::Checkbox("Bind To Camera##Button", &BindToCamera);
    NameTableCombo("Unique Behaviour##Button", ButtonActions(), UniqueBehaviour);
    ImGui::InputText("Bind To##Button", &BindTo);
    ImGui::DragFloat("Bind Offset X##Button", &BindTo_Offset_X);
    ImGui::DragFloat("Bind Offset Y##Button", &BindTo_Offset_Y);
    NameTableCombo("Change Game State##Button", GameStates(), ChangeGameState);
}
