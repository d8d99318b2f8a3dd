#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/EngineTypes.h"
#include "engine/core/IBehaviour.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"
#include "game/definitions/ImageEffects.h"

#include <set>
#include <string>
#include <vector>

class Transform;

// Every picture of the menus and the HUD that is not clickable: titles, panels, portraits, health
// bars, danger icons, the heal's plus icon, the level titles, the end pop-ups and their overlay.
// An image may live in screen space or follow an entity, turn, show itself for a limited time,
// delete itself when hidden, play one of the ImageEffects, and when its effect and timer are over
// release and start a queue of further images or buttons. Shown while active (then in
// sRendererSystem); others show and hide it by writing its active flag.
//
// Camera offsets: cameraOffset is used while an effect is set, initialCameraOffset (the home
// offset) while ImageFX is No_FX.
//
// Split: bImageBehaviour.cpp (data, life cycle, health bars, danger icons),
// bImageBehaviourEffects.cpp (effect set-up and steps, retargeting, the queue).
class bImageBehaviour : public IBehaviour, public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "bImageBehaviour";

    // A camera-bound image takes both offsets from its reference-view position and moves to the
    // camera.
    void Awake(Coordinator& coordinator) override;
    // Hides an image not "OnInitialScreen", gives a turning image movement, resolves its names and
    // queue, sets its effect up, follows its bound entity, arms its show timer, and shows a health
    // bar's value.
    void Start(Coordinator& coordinator) override;
    // Shown: joins the drawing system, follows, runs the effect and the timers per fixed step,
    // changes the scene for GoMainMenu and GoCredits, follows the camera, hides itself when its
    // time is over, updates a health bar, fires its queue. Hidden: leaves the drawing system once
    // (deleting itself when asked) and fires its queue.
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;

    // Every key optional; "RotationForce" is in degrees, "FXDuration" of 1000 or more means
    // endless, "QueueToFX" skips names its table lacks.
    void Deserialize(const rapidjson::Value& object) override;
    // The keys in a fixed order ("RotationForce" in degrees); the queue arrays are not written.
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    // ---- Effects and queue (bImageBehaviourEffects.cpp) ----

    // The effect set-up by ImageFX that Start performs (base position, fade speed, slide speed and
    // limit, base scale); callers that move an image after its Start repeat it.
    void SetUpEffect(Coordinator& coordinator);
    // Aims the running effect at a new limit: FadeTo and VerticalSlide recompute their speed to
    // reach it in FXRemaining seconds. Callers set FXDuration and FXRemaining first.
    void SetFXTarget(Coordinator& coordinator, float target);
    // The same operation under the name the level rules and the HUD use.
    void RetargetFX(Coordinator& coordinator, float target) { SetFXTarget(coordinator, target); }
    // Releases and shows every QueueTargets entity, giving the i-th one the i-th queued effect when
    // all three queue lists reach that far; then QueueFired.
    void FireQueue(Coordinator& coordinator);

    // ---- Bindings (bImageBehaviour.cpp) ----

    // Eases the bar toward LinkedCharacter's health (15 per second), green, orange or red.
    void UpdateHealthBar(Coordinator& coordinator);
    // Removes the danger icon of LinkedCharacter and returns that character; NO_ENTITY when there
    // was nothing to remove.
    Entity ClearBoundDangerIcon(Coordinator& coordinator);

    // ---- Fields ----

    // Shown when the scene starts.
    bool OnInitialScreen = true;
    // The entity is tagged "HEALTHBAR".
    bool IsHealthBar = false;
    // Hiding destroys the entity.
    bool DeleteWhenHide = false;
    // Takes the bound entity's rotation.
    bool RotateWithBindTo = false;
    // Hides itself when the effect time is over.
    bool HideWhenFXEnds = false;
    // Show time (0: unlimited), time left, and whether it has run at least one step.
    float ShowTimer = 0.0f;
    float ShowTimerRemaining = 0.0f;
    bool ShowTimerStarted = false;
    // Turning force in radians.
    float RotationForce = 0.0f;
    // The entity to follow, and the offset from it.
    std::string BindTo;
    float BindTo_Offset_X = 0.0f;
    float BindTo_Offset_Y = 0.0f;
    // Texture names kept with the data.
    std::string PrimaryTexture;
    std::string SecondaryTexture;
    ImageEffect ImageFX = ImageEffect::NoFX;
    // Effect length (3.4028235e38: endless) and time left.
    float FXDuration = 0.0f;
    float FXRemaining = 0.0f;
    // Effect rate per second.
    float FXSpeed = 1.0f;
    float FlickerTimer = 0.0f;
    // Flicker's visible half.
    bool FlickerOn = true;
    // The effect's bound (meaning per effect).
    float FXLimits = 0.0f;
    // UpAndDown's origin and direction.
    Vector2 BasePosition;
    bool Rising = false;
    // ZoomInAndOut's start scale, direction and rate of scaleY.
    Vector2 BaseScale;
    bool Growing = false;
    float ZoomRateY = 1.0f;
    // FadeToAndOut's phases.
    bool FadingOut = false;
    bool FadeOutDone = false;
    // The entities started afterwards, their names (comma-separated) and the effect, duration and
    // bound for the i-th of them.
    std::set<Entity> QueueTargets;
    std::string QueueToEntity;
    std::vector<ImageEffect> QueueToFX;
    std::vector<float> QueueToFXDuration;
    std::vector<float> QueueToFXLimits;
    // The queue has been handed on.
    bool QueueFired = false;
    // The character whose health bar or danger icon this is.
    Entity LinkedCharacter = NO_ENTITY;
    // That character's last read health, and the health the bar shows.
    float HealthTarget = 100.0f;
    float HealthShown = 100.0f;

private:
    // ---- bImageBehaviour.cpp ----

    // One frame of a shown image, and the first frame of a hidden one still in its systems.
    void UpdateShown(Coordinator& coordinator, Transform& transform);
    void LeaveSystems(Coordinator& coordinator);
    // One fixed step of the effect, the show timer and the effect time; the scene requests of
    // GoMainMenu and GoCredits once the effect time is over.
    void RunFixedStep(Coordinator& coordinator);

    // ---- bImageBehaviourEffects.cpp ----

    // One fixed step of the running effect.
    void StepEffect(Coordinator& coordinator);
    // FXSpeed that reaches the target in `seconds`, from `from`; unchanged when no time is given.
    void AimSpeed(float target, float from, float seconds);
    // Flicker's visible half: the image joins or leaves the drawing system.
    void ShowFlickerHalf(Coordinator& coordinator);
};
