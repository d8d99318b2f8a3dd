#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/EngineTypes.h"
#include "engine/core/IBehaviour.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"
#include "game/definitions/TextEffects.h"

#include <cstdint>
#include <string>

class Font;
class bPlayerBehaviour;

// Every text element of the menus and the HUD (an entity with a Font): shown while active (then in
// sFontSystem and sRendererSystem) and hidden otherwise, kept in screen space or on a followed
// entity, filled with a soldier's live figures or the zombie count, typed out letter by letter or
// flashing, rising as a pop-up, and handing over to a queued entity once typed. Flashing texts
// share one phase (TextFlash.h).
//
// Set from outside: active (shows it), boundEntity, DataFromEntity and DataEntity (the HUD's stat
// texts), cameraOffset and the Font world position (the HUD's pop-up reset), and the typewriter
// completion of the cutscene skip (Font message := FullText, TypedCount := its length,
// TypewriterTimer := 0).
//
// Split: bFontBehaviour.cpp (life cycle, typewriter, flash, data keys), bFontBehaviourData.cpp
// (the figures a text shows and the low-figure flash).
class bFontBehaviour : public IBehaviour, public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "bFontBehaviour";

    // Gives the shared flash clock back when this text drives it, so a text that is gone never
    // freezes every other flashing text.
    ~bFontBehaviour() override;

    // Remembers the start place a hidden text returns to: its world position, and for a
    // camera-bound text its offset from the camera (the file's position is in the 1920 x 1080
    // reference view).
    void Awake(Coordinator& coordinator) override;
    // Saves the colour, hides a text not "OnInitialScreen", resolves the names, takes the full
    // text of a typewriter (showing nothing yet), follows the bound entity and writes the figure.
    void Start(Coordinator& coordinator) override;
    // Shown: joins its systems, follows, refreshes the figure, types or flashes, counts down its
    // show time, rises, follows the camera, hides when the time is over. Hidden: back to its
    // start place and out of its systems, once.
    void Update(Coordinator& coordinator) override;
    // Gives the shared flash clock back when this text drives it.
    void OnSceneUnload(Coordinator& coordinator) override;

    // Every key optional: "OnInitialScreen", "BindToCamera", "PopUp" (true only for the literal
    // true), "BindTo", "DataFromEntity", "Data", "QueueToEntity" (strings), "BindTo_Offset_X",
    // "BindTo_Offset_Y", "ShowTimer", "FXSpeed", "DataFXThreshold" (numbers), "FontFX" (a
    // TextEffects name), "FlashColour" (the first three of an array of at least three numbers).
    void Deserialize(const rapidjson::Value& object) override;
    // In order: "OnInitialScreen", "BindToCamera"; "BindTo", "DataFromEntity", "Data" when not
    // empty; the bind offsets with a BindTo; "ShowTimer" when not 0; "PopUp"; "FontFX" and
    // "FXSpeed" with an effect; "QueueToEntity" when not empty. Never "DataFXThreshold" or
    // "FlashColour".
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    // Writes the current figure named by Data into the Font message (a soldier's count, "INF" for
    // its infinite flags, or the level's remaining zombies), switching a low figure's flash on or
    // off; other texts are left alone.
    void RefreshBoundData(Coordinator& coordinator);
    // One figure each, written into the text with the low-figure flash rule.
    void ShowClipRounds(Font& text, const bPlayerBehaviour& soldier);
    void ShowAmmoTotal(Font& text, const bPlayerBehaviour& soldier);
    void ShowGrenades(Font& text, const bPlayerBehaviour& soldier);
    void ShowMolotovs(Font& text, const bPlayerBehaviour& soldier);

    // Shown when the scene starts.
    bool OnInitialScreen = false;
    // Seconds a shown text stays before hiding itself (0: no limit), and the seconds left.
    float ShowTimer = 0.0f;
    float ShowTimeLeft = 0.0f;
    // Name of the entity the text follows.
    std::string BindTo;
    // Name of the soldier whose figures the text shows, and that entity.
    std::string DataFromEntity;
    Entity DataEntity = NO_ENTITY;
    // Which figure: "Health_Packs", "Ammo_Clip", "Ammo_Total", "Grenade_Count", "Molotov_Count",
    // "Zombie_Count".
    std::string Data;
    float BindTo_Offset_X = 0.0f;
    float BindTo_Offset_Y = 0.0f;
    // The text rises while shown.
    bool PopUp = false;
    // Where a hidden text goes back to.
    Vector2 StartWorldPosition;
    Vector2 StartCameraOffset;
    TextEffect FontFX = TextEffect::NoFX;
    // The effect that runs while the figure is below DataFXThreshold.
    TextEffect StashedFX = TextEffect::NoFX;
    float FXSpeed = 1.0f;
    // The figure below which the stashed effect runs; 0: not used.
    float DataFXThreshold = 0.0f;
    // The entity shown once typing is done, and its name.
    Entity QueuedEntity = NO_ENTITY;
    std::string QueueToEntity;
    // Time toward the next typed character.
    float TypewriterTimer = 0.0f;
    // The whole text being typed, the characters typed so far and their count.
    std::string FullText;
    std::uint64_t TypedCount = 0;
    std::string TypedText;
    // The Font colour (R, G, B) at Start, and the flash colour.
    float SavedColour[3] = {0.0f, 0.0f, 0.0f};
    float FlashColour[3] = {0.0f, 0.0f, 0.0f};

private:
    // ---- bFontBehaviour.cpp ----

    // One frame of a shown text, and the hiding of a text that is still in its systems.
    void UpdateShown(Coordinator& coordinator, Font& text);
    void LeaveSystems(Coordinator& coordinator, Font& text);
    // The typewriter's next character, and its timer and hand-over.
    void TypeNextCharacter(Font& text);
    void AdvanceTypewriter(Coordinator& coordinator, int steps);
    // The shared flash: the text takes the clock when nobody drives it, shows the phase, and
    // the driver advances it.
    void ShowFlashPhase(Font& text);
    void AdvanceFlashClock(int steps);
    // Gives the flash clock back when this text drives it.
    void ReleaseFlash() const;

    // ---- bFontBehaviourData.cpp ----

    // The low-figure flash rule: the stashed effect while the soldier is active and the figure
    // is below DataFXThreshold (and `canBeLow`), else no effect, the saved colour and the clock
    // given back.
    void ApplyLowFigureFlash(Font& text, const bPlayerBehaviour& soldier, float figure, bool canBeLow);
};
