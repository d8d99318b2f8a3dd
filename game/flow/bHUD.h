#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/EngineTypes.h"
#include "engine/core/IBehaviour.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"

#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <vector>

class bGameLogic;

// The HUD and every menu of a level, built once out of prefabs: soldier portraits with panels,
// health bars, stat texts and death icons, objective counters, off-screen markers, pause button
// and menu, confirmation boxes, how-to-play and settings pages, win and lose pop-ups, the level
// title with its letterbox bars, and six pooled pop-up texts. It keeps every spawned element in
// the lists below and never destroys them: other code shows and hides HUD elements only through
// these lists. Each element draws itself through its own behaviour. Published as HUDInstance
// first thing in its Awake.
//
// The static operations work on the scene's HUD through HUDInstance and do not test it: every
// caller tests HUDInstance first.
//
// Split: bHUD.cpp (construction, JSON), bHUDPopUps.cpp (pop-ups, death icons, off-screen
// markers, pause menu, title effects, end pop-ups).
class bHUD : public IBehaviour, public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "bHUD";

    // Messages waiting beyond this many are dropped (so at most one more waits).
    static constexpr std::size_t PopUpQueueLimit = 50;

    // Withdraws HUDInstance when it points here.
    ~bHUD() override;

    // Publishes HUDInstance and spawns the six pop-up texts; with level rules also the whole
    // level interface, positioned in the 1920 x 1080 reference view.
    void Awake(Coordinator& coordinator) override;
    // With level rules: the level's title (levels 0 to 2) and the two letterbox bars.
    void Start(Coordinator& coordinator) override;
    // Shows the oldest waiting pop-up message on the first free pop-up text, at most one a frame
    // (bHUDPopUps.cpp).
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;

    // "PlayerHudGap": optional number.
    void Deserialize(const rapidjson::Value& object) override;
    // "PlayerHudGap" only.
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    // Spawns a stat text of soldier n into SoldierPanelEntities, bound to the portrait, showing the
    // figures of the soldier named "Player_" n.
    void AddSoldierStatText(Coordinator& coordinator, int soldierNumber, Entity portrait, const std::string& prefab);

    // ---- Pop-ups, markers and menus (bHUDPopUps.cpp) ----

    // Queues a copy of the message while PopUpQueueLimit or fewer wait; drops it otherwise.
    static void PushPopUpText(const std::string& message);
    // Shows the death icon of the soldier whose name is "Player_" followed by its row number.
    static void ShowPlayerDeathIcon(Coordinator& coordinator, Entity soldier);
    // Places soldier n's off-screen icon and marker on the edge of the view region (right, left,
    // top, bottom, in world units; scale = world units per screen pixel), keeping clear of the
    // HUD's corners and bar, sized for the zoom and pointing at the soldier. Nothing for a number
    // outside the row.
    static void UpdateOffscreenMarker(Coordinator& coordinator, Vector2 soldierPosition, int soldierNumber, float right,
                                      float left, float top, float bottom, float scale);
    // Hides soldier n's off-screen icon and marker; nothing for a number outside the row.
    static void HideOffscreenMarker(Coordinator& coordinator, int soldierNumber);
    // Hides the level title, unfreezes and shows the pause menu, unfreezes (hidden) the
    // confirmation and settings pages.
    static void ShowPauseMenu(Coordinator& coordinator);
    // Hides the pause menu and every confirmation and settings element.
    static void HidePauseMenu(Coordinator& coordinator);
    // Starts the effects of every level-title entry after the first, aimed back at its home height
    // and hiding it when done.
    static void StartTitleEffects(Coordinator& coordinator);
    // Fades the overlay in, then shows the pop-up.
    void ShowEndPopup(Coordinator& coordinator, Entity popup);
    // Unfreezes the portraits whose name lacks "DP" (none, as the portraits are named).
    static void ResumeSoldierList(Coordinator& coordinator);

    // ---- Fields ----

    // Pop-up texts waiting to be shown, oldest first.
    std::deque<std::string> PopUpMessages;
    // The six "PopUpText" entities.
    std::set<Entity> PopUpTextEntities;
    // Soldier n's death icon and portrait at index n - 1.
    std::vector<Entity> DeathIcons;
    std::vector<Entity> SoldierPortraits;
    // SoldierPanelEntities entries per soldier (7 once the first soldier's exist).
    std::uint64_t PanelStride = 0;
    std::vector<Entity> PauseMenuEntities;
    // Confirmation boxes, how-to-play pages and the settings page.
    std::vector<Entity> ConfirmationEntities;
    Entity PauseButton = NO_ENTITY;
    Entity FadeOverlay = NO_ENTITY;
    // The win and lose pop-ups, first entries "WinPopup" and "LosePopup".
    std::vector<Entity> WinPopupEntities;
    std::vector<Entity> LosePopupEntities;
    // Soldier n's "Selected_Unit_HUD" at index n - 1.
    std::vector<Entity> SelectionEntities;
    // Objective counters, "HUD_Bar" and the key hints.
    std::vector<Entity> HudBarEntities;
    // Per soldier, in soldier order: "Player_HUD", "HealthBar" and the five stat texts.
    std::vector<Entity> SoldierPanelEntities;
    // Horizontal gap between two soldier slots, in reference-view pixels (negative overlaps).
    float PlayerHudGap = -150.0f;
    // Soldier n's icon at index 2n - 2 and marker at 2n - 1.
    std::vector<Entity> OffscreenMarkers;
    // Renderer scale of the last marker and soldier icon spawned; markers are scaled from them.
    Vector2 MarkerSize;
    Vector2 IconSize;
    Entity VignetteEntity = NO_ENTITY;
    // The level title (when the level has one), then "Letterbox_Top" and "Letterbox_Bottom".
    std::vector<Entity> LevelTitleEntities;

private:
    // Per soldier counted by the level rules: selection frame, panel, health bar, portrait, death
    // icon, stat texts and the hidden off-screen pair, each slot placed along the bottom row.
    void BuildSoldierRow(Coordinator& coordinator, const bGameLogic& rules);
};
