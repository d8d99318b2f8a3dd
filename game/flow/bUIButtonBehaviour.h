#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/EngineTypes.h"
#include "engine/core/IBehaviour.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"
#include "game/definitions/ButtonActions.h"
#include "game/definitions/GameStates.h"
#include "game/definitions/ImageEffects.h"
#include "game/definitions/Orientations.h"
#include "game/definitions/SettingKeys.h"

#include <string>
#include <vector>

// Every clickable element of the menus and the HUD (tagged "UIBUTTON", with a collider, in
// sUIButtonSystem): plain buttons, toggles, slider knobs and their plus, minus and reset buttons,
// soldier portraits, the HUD's order buttons and the scene-changing menu buttons. What a button
// does is data: textures, the screens it hides and shows, a scene target, one ButtonActions
// action, one game-state change, an optional slider role and an optional fade. Shown while
// active (then in sRendererSystem, unless invisible, and sPhysicsCollision); others show and hide
// it by writing its active flag, and it follows in its next Update. Every accepted click plays
// "Click9_false_SFX_".
//
// Split: bUIButtonBehaviour.cpp (data, life cycle, hover and click, availability, screens),
// bUIButtonBehaviourActions.cpp (what a click does: scene targets, the table of the 25 actions,
// the game-state change), bUIButtonBehaviourSliders.cpp (slider knobs, their buttons, toggles).
class bUIButtonBehaviour : public IBehaviour, public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "bUIButtonBehaviour";

    // Lets the collider be placed afresh; a camera-bound button takes its offset from its
    // reference-view position and moves to the camera.
    void Awake(Coordinator& coordinator) override;
    // Hides a button not "OnInitialScreen", resolves its screens and names, prepares its fade and
    // runs the slider and toggle set-up.
    void Start(Coordinator& coordinator) override;
    // Shown: joins its systems, drops the hover look after 0.05 s, follows the camera or its bound
    // entity, re-arms after ReclickDelay, shows unavailability, fades, releases its queued entity,
    // runs the slider and toggle steps. Hidden: leaves its systems once.
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;
    // The hover look; an armed, available button takes a completed left click (scene target,
    // screens, action, game state), and a press on a slider knob starts dragging it.
    void OnHover(Coordinator& coordinator) override;

    // Every key optional; table names that their table lacks leave the field; "FXDuration" of 1000
    // or more means endless.
    void Deserialize(const rapidjson::Value& object) override;
    // The keys in a fixed order, enumerations as their table names, empty strings left out where
    // the data allows.
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    // Shows UnavailableTexture (on a visible button) while the button's action cannot be used now:
    // no screens for no action, no spare rounds or health packs among the selected soldiers,
    // a hidden bound entity, a level without explosives, a dead soldier.
    void RefreshAvailability(Coordinator& coordinator);
    // Starts the effect an image's queue hands this button: the effect, its length and its limit,
    // and for FadeTo the opacity speed (VerticalSlide the offset speed) that reaches the limit in
    // that time.
    void StartQueuedEffect(Coordinator& coordinator, ImageEffect effect, float duration, float limit);

    // ---- Fields ----

    std::string NonHoverTexture;
    std::string HoverTexture;
    // The texture while the action is unavailable.
    std::string UnavailableTexture;
    ButtonAction UniqueBehaviour = ButtonAction::None;
    // A scene path or one of "CUTSCENE", "NEWGAME", "CREDITS", "EXIT", "THIS_LEVEL".
    std::string LevelToTarget;
    // Comma-separated names of the entities a click hides and shows, and those entities.
    std::string MainScreen;
    std::string SubScreen;
    std::vector<Entity> MainScreenEntities;
    std::vector<Entity> SubScreenEntities;
    // Shown when the scene starts.
    bool OnInitialScreen = false;
    // Never drawn, never retextured: an invisible hot area.
    bool IsInvisible = false;
    // Name of the entity to follow, and the offset from it.
    std::string BindTo;
    float BindTo_Offset_X = 0.0f;
    float BindTo_Offset_Y = 0.0f;
    // The game state a click requests; None: no change.
    GameState ChangeGameState = GameState::None;
    // Name of the entity the action works on, and that entity.
    std::string AffectEntity;
    Entity AffectedEntity = NO_ENTITY;
    // Least seconds between two accepted clicks, and seconds since the button was disarmed.
    float ReclickDelay = 0.0f;
    float ReclickTimer = 0.0f;
    // A click is accepted only while set.
    bool ClickArmed = true;
    // The effect; buttons play only FadeTo.
    ImageEffect ImageFX = ImageEffect::NoFX;
    // Effect length (3.4028235e38: endless) and time left.
    float FXDuration = 0.0f;
    float FXRemaining = 0.0f;
    // FadeTo's target opacity, and its opacity change per second.
    float FXLimits = 0.0f;
    float FXSpeed = 1.0f;
    // The entity released when the effect time has run out, and its name.
    Entity QueuedEntity = NO_ENTITY;
    std::string QueueToEntity;
    // A slider knob's direction and the setting it drives.
    Orientation SliderType = Orientation::None;
    SettingKey SliderBehaviour = SettingKey::None;
    // Slider end points relative to the camera, and in the world.
    float MinPosX = 0.0f;
    float MinPosY = 0.0f;
    float MaxPosX = 0.0f;
    float MaxPosY = 0.0f;
    Vector2 SliderMinPoint;
    Vector2 SliderMaxPoint;
    // The knob is held.
    bool Dragging = false;
    // Comma-separated names of the knobs a plus, minus or reset button moves, and those knobs.
    std::string AffectSliders;
    std::vector<Entity> AffectSliderEntities;
    // A toggle's textures while its flag is off and on.
    std::string ToggleTextureFalse;
    std::string ToggleTextureTrue;
    // Seconds the hover texture is still held.
    float HoverTimer = 0.0f;

private:
    // ---- bUIButtonBehaviour.cpp ----

    // One frame of a shown button, and of a hidden one.
    void UpdateShown(Coordinator& coordinator);
    void UpdateHidden(Coordinator& coordinator);
    // Follows the camera or the bound entity.
    void Follow(Coordinator& coordinator);
    // The fade, the effect time and the release of the queued entity.
    void RunFade(Coordinator& coordinator);
    // Whether the action cannot be used now (RefreshAvailability's table).
    bool ActionUnavailable(Coordinator& coordinator);
    // Whether the button shows its UnavailableTexture.
    bool ShowsUnavailable(Coordinator& coordinator);
    // FXSpeed that reaches FXLimits from `from` in `seconds`; unchanged when no time is given.
    void AimSpeed(float from, float seconds);
    // Hides MainScreenEntities and shows SubScreenEntities.
    void SwitchScreens(Coordinator& coordinator);

    // ---- bUIButtonBehaviourActions.cpp ----

    // An accepted click's effects, in order: scene target, screens, action, game state.
    void RunClick(Coordinator& coordinator);
    // Leads to the scene named by LevelToTarget (or starts a new game, quits, restarts).
    void GoToSceneTarget(Coordinator& coordinator);
    // Runs the UniqueBehaviour action through the table of actions.
    void RunAction(Coordinator& coordinator);
    // Requests ChangeGameState from the level rules (Previous swaps back).
    void RequestGameState(Coordinator& coordinator);

    // ---- bUIButtonBehaviourSliders.cpp ----

    // Places a knob by its setting's value and shows a mute toggle's state (end of Start).
    void StartSlider(Coordinator& coordinator);
    // The per-frame slider and toggle steps: end points, release (apply and save), re-application,
    // drag, knob offset, collider and fill, full-screen toggle texture.
    void UpdateSlider(Coordinator& coordinator);
    // "ResetSoundSettings": values to their middle and every listed knob to its track's middle.
    void ResetSoundSettings(Coordinator& coordinator);
    // "ToggleFullScreen" and "ToggleMute": switch, show the new state, save.
    void ToggleFullScreen(Coordinator& coordinator);
    void ToggleMute(Coordinator& coordinator);
    // The plus and minus actions (by UniqueBehaviour): moves the first listed knob one step and
    // applies and saves its value.
    void StepSlider(Coordinator& coordinator);
};
