#include "game/flow/bUIButtonBehaviour.h"

#include "engine/components/PhysicsCollision.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/platform/SettingsFile.h"
#include "engine/platform/Window.h"
#include "engine/platform/WindowState.h"
#include "engine/platform/sInputSystem.h"
#include "engine/platform/sSoundSystem.h"
#include "engine/systems/CameraView.h"
#include "game/flow/ScreenElements.h"
#include "game/flow/bImageBehaviour.h"

#include <algorithm>
#include <cmath>

// The settings roles of a button: slider knobs that drive one setting by where they stand on
// their track, the plus, minus and reset buttons that move those knobs, and the full-screen and
// mute toggles. A value takes effect at once and is saved, except while it is re-applied after
// the sound came back.

namespace
{
// Volumes run from 0 to 1 along the track; the camera sensitivity from 0 to 5.
constexpr float SensitivityRange = 5.0f;
constexpr float VolumeStep = 0.05f;
constexpr float SensitivityStep = 1.0f;
constexpr float ResetVolume = 0.5f;
constexpr float ResetSensitivity = 2.5f;
// The fill bar reaches this far past both ends of its stretch, under the knob.
constexpr float FillOverhang = 18.0f;
// The left button's drag bit in the input system's pointer flags.
constexpr std::int32_t DragFlag = 2;

sSoundSystem& SoundOf(Coordinator& coordinator)
{
    return *coordinator.GetSystem<sSoundSystem>();
}

// Where x stands between the track's ends, along x. A track without width has no inside: it
// gives 0, so no undefined value reaches the sound or the settings file.
float TrackFraction(float x, Vector2 min, Vector2 max)
{
    const float width = max.x - min.x;
    if (width == 0.0f)
        return 0.0f;
    const float fraction = (x - min.x) / width;
    return std::isfinite(fraction) ? fraction : 0.0f;
}

// The setting's value as a fraction of its track.
float SettingFraction(Coordinator& coordinator, SettingKey key)
{
    const sSoundSystem& sound = SoundOf(coordinator);
    switch (key)
    {
    case SettingKey::MusicVolume:
        return sound.MusicVolume;
    case SettingKey::SfxVolume:
        return sound.EffectsVolume;
    case SettingKey::MasterVolume:
        return sound.MasterVolume;
    case SettingKey::CameraSensitivity:
        return sInputSystem::CameraSensitivity() / SensitivityRange;
    default:
        return 0.0f;
    }
}

// Sets the setting from a track fraction. A muted sound keeps its volumes unless `evenWhenMuted`
// (the plus and minus buttons); the camera sensitivity is never muted.
void ApplyFraction(Coordinator& coordinator, SettingKey key, float fraction, bool evenWhenMuted)
{
    sSoundSystem& sound = SoundOf(coordinator);
    const bool keepVolumes = sound.Muted && !evenWhenMuted;
    switch (key)
    {
    case SettingKey::MusicVolume:
        if (!keepVolumes)
            sound.SetMusicVolume(fraction);
        break;
    case SettingKey::SfxVolume:
        if (!keepVolumes)
            sound.SetEffectsVolume(fraction);
        break;
    case SettingKey::MasterVolume:
        if (!keepVolumes)
            sound.SetMasterVolume(fraction);
        break;
    case SettingKey::CameraSensitivity:
        sInputSystem::CameraSensitivity() = fraction * SensitivityRange;
        break;
    default:
        break;
    }
}

bool IsVolume(SettingKey key)
{
    return key == SettingKey::MusicVolume || key == SettingKey::SfxVolume || key == SettingKey::MasterVolume;
}

// What a plus or minus button changes, and by how much.
struct SliderStep
{
    ButtonAction action;
    SettingKey key;
    float change;
};

constexpr SliderStep SliderSteps[] = {
    {ButtonAction::PlusButtonMaster, SettingKey::MasterVolume, VolumeStep},
    {ButtonAction::MinusButtonMaster, SettingKey::MasterVolume, -VolumeStep},
    {ButtonAction::PlusButtonMusic, SettingKey::MusicVolume, VolumeStep},
    {ButtonAction::MinusButtonMusic, SettingKey::MusicVolume, -VolumeStep},
    {ButtonAction::PlusButtonSFX, SettingKey::SfxVolume, VolumeStep},
    {ButtonAction::MinusButtonSFX, SettingKey::SfxVolume, -VolumeStep},
    {ButtonAction::PlusButtonCameraSensitivity, SettingKey::CameraSensitivity, SensitivityStep},
    {ButtonAction::MinusButtonCameraSensitivity, SettingKey::CameraSensitivity, -SensitivityStep},
};

// The setting's own value (not a fraction) and its upper end.
float SettingValue(Coordinator& coordinator, SettingKey key)
{
    return key == SettingKey::CameraSensitivity ? sInputSystem::CameraSensitivity()
                                                : SettingFraction(coordinator, key);
}

float SettingTop(SettingKey key)
{
    return key == SettingKey::CameraSensitivity ? SensitivityRange : 1.0f;
}

void ShowTexture(Coordinator& coordinator, Entity entity, const std::string& texture)
{
    if (texture.empty())
        return;
    Renderer* renderer = coordinator.GetComponent<Renderer>(entity);
    if (renderer != nullptr && renderer->textureName != texture)
        renderer->SetTexture(coordinator, texture);
}
}

// --- Start and Update ----------------------------------------------------------------------------

void bUIButtonBehaviour::StartSlider(Coordinator& coordinator)
{
    if (SliderBehaviour != SettingKey::None)
    {
        const Vector2 camera = CameraPosition(coordinator);
        SliderMinPoint = Offset(camera, MinPosX, MinPosY);
        SliderMaxPoint = Offset(camera, MaxPosX, MaxPosY);
        const float value = SettingFraction(coordinator, SliderBehaviour);
        if (Transform* transform = coordinator.GetComponent<Transform>(entity))
        {
            MoveByHand(*transform, {SliderMinPoint.x + (SliderMaxPoint.x - SliderMinPoint.x) * value, SliderMinPoint.y});
            cameraOffset = {transform->position.x - camera.x, transform->position.y - camera.y};
        }
    }
    if (UniqueBehaviour == ButtonAction::ToggleMute && SoundOf(coordinator).Muted && !IsInvisible)
        ShowTexture(coordinator, entity, ToggleTextureTrue);
}

void bUIButtonBehaviour::UpdateSlider(Coordinator& coordinator)
{
    if (UniqueBehaviour == ButtonAction::ToggleFullScreen && !IsInvisible)
        ShowTexture(coordinator, entity, WindowState::fullScreen ? ToggleTextureTrue : ToggleTextureFalse);
    if (SliderBehaviour == SettingKey::None)
        return;
    Transform* transform = coordinator.GetComponent<Transform>(entity);
    if (transform == nullptr)
        return;

    const Vector2 camera = CameraPosition(coordinator);
    SliderMinPoint = Offset(camera, MinPosX, MinPosY);
    SliderMaxPoint = Offset(camera, MaxPosX, MaxPosY);

    // Released: the value the knob was left at takes effect and is saved, once.
    const bool dragHeld = (coordinator.GetSystem<sInputSystem>()->PointerFlags & DragFlag) != 0;
    if (!dragHeld && Dragging)
    {
        Dragging = false;
        ApplyFraction(coordinator, SliderBehaviour, TrackFraction(transform->position.x, SliderMinPoint, SliderMaxPoint),
                      false);
        SaveConfig(coordinator);
    }
    // Once the sound has come back (focus or unmute), the knobs keep telling it their volumes.
    if (SoundOf(coordinator).VolumesRestored && IsVolume(SliderBehaviour))
        ApplyFraction(coordinator, SliderBehaviour, TrackFraction(transform->position.x, SliderMinPoint, SliderMaxPoint),
                      false);
    if (Dragging && SliderType == Orientation::Horizontal)
    {
        const CursorPoint& cursor = *coordinator.WorldCursor;
        const float x = std::max(SliderMinPoint.x, std::min(static_cast<float>(cursor.x), SliderMaxPoint.x));
        const float y = std::max(SliderMinPoint.y, std::min(static_cast<float>(cursor.y), SliderMaxPoint.y));
        MoveByHand(*transform, {x, y});
    }

    const Vector2 knob = transform->position;
    cameraOffset = {knob.x - camera.x, knob.y - camera.y};
    // A screen-space collider is placed once and then kept: it is moved here by as much as the
    // knob moved along its track, so the knob is picked where it shows.
    if (PhysicsCollision* collision = coordinator.GetComponent<PhysicsCollision>(entity))
    {
        const Vector2 offset = {knob.x - SliderMinPoint.x, knob.y - SliderMinPoint.y};
        CollisionShape& shape = *collision->shape;
        shape.center.x += offset.x - collision->offset.x;
        shape.center.y += offset.y - collision->offset.y;
        shape.position = {shape.center.x - shape.size.x * 0.5f, shape.center.y - shape.size.y * 0.5f};
        collision->offset = offset;
    }
    if (const auto fill = coordinator.GetBehaviourAs<bImageBehaviour>(AffectedEntity))
    {
        Transform* fillPlace = coordinator.GetComponent<Transform>(AffectedEntity);
        Renderer* fillLook = coordinator.GetComponent<Renderer>(AffectedEntity);
        if (fillPlace == nullptr || fillLook == nullptr)
            return;
        const float stretch = knob.x - SliderMinPoint.x;
        MoveByHand(*fillPlace, {SliderMinPoint.x + stretch * 0.5f, SliderMinPoint.y});
        fillLook->scaleX = stretch * 0.5f + FillOverhang;
        fill->initialCameraOffset = {fillPlace->position.x - camera.x, fillPlace->position.y - camera.y};
    }
}

// --- Click actions ---------------------------------------------------------------------------------

void bUIButtonBehaviour::ResetSoundSettings(Coordinator& coordinator)
{
    sSoundSystem& sound = SoundOf(coordinator);
    sound.SetMusicVolume(ResetVolume);
    sound.SetEffectsVolume(ResetVolume);
    sound.SetMasterVolume(ResetVolume);
    sInputSystem::CameraSensitivity() = ResetSensitivity;
    // Each knob goes to the middle of its track in its next Update.
    for (Entity knob : AffectSliderEntities)
        if (const auto slider = coordinator.GetBehaviourAs<bUIButtonBehaviour>(knob))
            slider->cameraOffset = {(slider->MinPosX + slider->MaxPosX) * 0.5f, (slider->MinPosY + slider->MaxPosY) * 0.5f};
    SaveConfig(coordinator);
}

void bUIButtonBehaviour::ToggleFullScreen(Coordinator& coordinator)
{
    // The texture of the state after the switch.
    if (!IsInvisible)
        ShowTexture(coordinator, entity, WindowState::fullScreen ? ToggleTextureFalse : ToggleTextureTrue);
    ::ToggleFullscreen();
    SaveConfig(coordinator);
}

void bUIButtonBehaviour::ToggleMute(Coordinator& coordinator)
{
    sSoundSystem& sound = SoundOf(coordinator);
    const bool muted = sound.Muted;
    if (!IsInvisible)
        ShowTexture(coordinator, entity, muted ? ToggleTextureFalse : ToggleTextureTrue);
    if (muted)
        sound.Unmute(true);
    else
        sound.Mute(true);
    SaveConfig(coordinator);
}

void bUIButtonBehaviour::StepSlider(Coordinator& coordinator)
{
    const SliderStep* step = nullptr;
    for (const SliderStep& candidate : SliderSteps)
        if (candidate.action == UniqueBehaviour)
            step = &candidate;
    if (step == nullptr || AffectSliderEntities.empty())
        return;
    const Entity knob = AffectSliderEntities.front();
    const auto slider = coordinator.GetBehaviourAs<bUIButtonBehaviour>(knob);
    Transform* knobPlace = coordinator.GetComponent<Transform>(knob);
    if (slider == nullptr || knobPlace == nullptr)
        return;

    const float top = SettingTop(step->key);
    const float value = std::clamp(SettingValue(coordinator, step->key) + step->change, 0.0f, top);
    const float fraction = value / top;
    const Vector2 min = slider->SliderMinPoint;
    const Vector2 max = slider->SliderMaxPoint;
    MoveByHand(*knobPlace, {min.x + (max.x - min.x) * fraction, min.y + (max.y - min.y) * fraction});
    const Vector2 camera = CameraPosition(coordinator);
    slider->cameraOffset = {knobPlace->position.x - camera.x, knobPlace->position.y - camera.y};
    ApplyFraction(coordinator, step->key, TrackFraction(knobPlace->position.x, min, max), true);
    SaveConfig(coordinator);
}
