#include "game/flow/bHUD.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/core/Json.h"
#include "engine/platform/PrefabFile.h"
#include "engine/systems/sIdentifierSystem.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bFontBehaviour.h"
#include "game/flow/bGameLogic.h"
#include "game/flow/bImageBehaviour.h"

namespace
{
constexpr int PopUpTextCount = 6;
// Positions are in the 1920 x 1080 reference view, so the row is centred on its middle whatever
// the window's size.
constexpr float ReferenceWidth = 1920.0f;
constexpr float RowY = 95.0f;

const char* const PauseMenuPrefabs[] = {"Pause_Overlay",       "Pause_Menu",          "Resume_Game_Button",
                                        "Restart_Game_Button", "PHTP_Button",         "Back_Main_Menu_Button",
                                        "Quit_Game_Button"};
const char* const ConfirmationPrefabs[] = {"Quit_No_Button",   "Quit_to_Menu_Yes_Button", "Quit_to_Menu_Confirmation",
                                           "Quit_Yes_Button",  "Quit_Confirmation",       "Restart_Yes_Button",
                                           "Restart_Confirmation"};
const char* const WinPopupPrefabs[] = {"WinPopup", "Win_Continue", "Win_Playagain"};
const char* const LosePopupPrefabs[] = {"LosePopup", "Lose_Continue", "Lose_Playagain"};
const char* const SettingsPrefabs[] = {
    "Settings_Back_Button", "SettingsIcon", "SoundSetting", "ResetButton", "FullscreenButton", "MuteButton",
    "SliderButtonMusic", "SliderButtonSFX", "SliderButtonMaster", "SliderButtonCameraSensitivity", "FillbarMusic",
    "FillbarSFX", "FillbarMaster", "FillbarCameraSensitivity", "PlusButtonMaster", "PlusButtonMusic", "PlusButtonSFX",
    "PlusButtonCameraSensitivity", "MinusButtonMaster", "MinusButtonMusic", "MinusButtonSFX",
    "MinusButtonCameraSensitivity"};
const char* const StatTextPrefabs[] = {"Player_AmmoClip", "Player_AmmoTotal", "Player_HealthPacks", "Player_Grenades",
                                       "Player_Molotovs"};

Entity Spawn(Coordinator& coordinator, const std::string& prefab, std::vector<Entity>& into)
{
    const Entity entity = InstantiatePrefab(coordinator, prefab);
    into.push_back(entity);
    return entity;
}

template <std::size_t N>
void SpawnAll(Coordinator& coordinator, const char* const (&prefabs)[N], std::vector<Entity>& into)
{
    for (const char* prefab : prefabs)
        Spawn(coordinator, prefab, into);
}

void PlaceAt(Coordinator& coordinator, Entity entity, Vector2 place)
{
    if (Transform* transform = coordinator.GetComponent<Transform>(entity))
    {
        transform->previousPosition = transform->position;
        transform->position = place;
    }
}

float ScaleXOf(Coordinator& coordinator, Entity entity)
{
    const Renderer* renderer = coordinator.GetComponent<Renderer>(entity);
    return renderer != nullptr ? renderer->scaleX : 0.0f;
}

Vector2 RendererSize(Coordinator& coordinator, Entity entity)
{
    const Renderer* renderer = coordinator.GetComponent<Renderer>(entity);
    return renderer != nullptr ? Vector2{renderer->scaleX, renderer->scaleY} : Vector2{};
}

const char* LevelTitlePrefab(LevelId level)
{
    switch (level)
    {
    case LevelId::AbandonedHouse:
        return "AHouse_Title";
    case LevelId::Farmhouse:
        return "Farmhouse_Title";
    case LevelId::Warehouse:
        return "Warehouse_Title";
    default:
        return nullptr;
    }
}
}

bHUD::~bHUD()
{
    // Only this behaviour's own publication is withdrawn.
    if (HUDInstance() == this)
        HUDInstance() = nullptr;
}

void bHUD::Awake(Coordinator& coordinator)
{
    HUDInstance() = this;
    for (int i = 0; i < PopUpTextCount; ++i)
        PopUpTextEntities.insert(InstantiatePrefab(coordinator, "PopUpText"));

    const bGameLogic* rules = GameLogicInstance();
    if (rules == nullptr)
        return;

    if (rules->GameObjective == ObjectiveType::KillAllZombies)
        for (const char* prefab : {"ZombieCounter", "Zombies_Remaining", "Objective_KillAll"})
            Spawn(coordinator, prefab, HudBarEntities);
    VignetteEntity = InstantiatePrefab(coordinator, "Vignette");
    Spawn(coordinator, "HUD_Bar", HudBarEntities);

    BuildSoldierRow(coordinator, *rules);

    FadeOverlay = InstantiatePrefab(coordinator, "FadeIn_Overlay");
    PauseButton = InstantiatePrefab(coordinator, "Pause_Button");
    SpawnAll(coordinator, PauseMenuPrefabs, PauseMenuEntities);
    SpawnAll(coordinator, ConfirmationPrefabs, ConfirmationEntities);
    for (const std::string& name : GetPrefabNames(coordinator))
    {
        // The pause menu's own how-to-play button is already there.
        if (name != "PHTP_Button" && name.find("HTP") != std::string::npos)
            Spawn(coordinator, name, ConfirmationEntities);
        else if (name.find("HUD_Key") != std::string::npos)
            Spawn(coordinator, name, HudBarEntities);
    }
    SpawnAll(coordinator, WinPopupPrefabs, WinPopupEntities);
    SpawnAll(coordinator, LosePopupPrefabs, LosePopupEntities);
    Spawn(coordinator, "Settings_Button", PauseMenuEntities);
    SpawnAll(coordinator, SettingsPrefabs, ConfirmationEntities);

    // Death icons wait hidden until their soldier dies.
    for (Entity icon : DeathIcons)
        if (std::shared_ptr<IBehaviour> behaviour; coordinator.GetBehaviour(icon, behaviour))
        {
            behaviour->active = false;
            behaviour->boundEntity = NO_ENTITY;
        }
}

void bHUD::BuildSoldierRow(Coordinator& coordinator, const bGameLogic& rules)
{
    const int count = rules.PlayersAlive;
    float slotWidth = 0.0f;
    float margin = 0.0f;
    for (int n = 1; n <= count; ++n)
    {
        const std::string number = std::to_string(n);
        const Entity selection = Spawn(coordinator, "Selected_Unit_HUD", SelectionEntities);
        const Entity panel = Spawn(coordinator, "Player_HUD", SoldierPanelEntities);
        const Entity healthBar = Spawn(coordinator, "HealthBar", SoldierPanelEntities);
        const Entity portrait = Spawn(coordinator, "Player" + number + "_DP", SoldierPortraits);
        const Entity deathIcon = Spawn(coordinator, "Player" + number + "_Death", DeathIcons);

        if (n == 1)
        {
            slotWidth = 2.0f * ScaleXOf(coordinator, portrait);
            margin = (ReferenceWidth - count * slotWidth - (count - 1) * PlayerHudGap) * 0.5f;
        }
        const Vector2 slot{margin + slotWidth * 0.5f + (n - 1) * slotWidth + (n - 1) * PlayerHudGap, RowY};
        for (Entity entity : {portrait, selection, panel, deathIcon})
            PlaceAt(coordinator, entity, slot);

        for (const char* prefab : StatTextPrefabs)
            AddSoldierStatText(coordinator, n, portrait, prefab);

        const auto census = rules.PlayerCensus.find("Player_" + number);
        const Entity soldier = census != rules.PlayerCensus.end() ? census->second : NO_ENTITY;
        if (const Transform* bar = coordinator.GetComponent<Transform>(healthBar))
            PlaceAt(coordinator, healthBar, {bar->position.x + slot.x, bar->position.y + slot.y});
        if (const auto image = coordinator.GetBehaviourAs<bImageBehaviour>(healthBar))
            image->LinkedCharacter = soldier;

        if (PanelStride == 0)
            PanelStride = SoldierPanelEntities.size();

        const Entity icon = Spawn(coordinator, "P" + number + "_Icon", OffscreenMarkers);
        const Entity marker = Spawn(coordinator, "Icon_Marker", OffscreenMarkers);
        MarkerSize = RendererSize(coordinator, marker);
        IconSize = RendererSize(coordinator, icon);
        coordinator.PauseQueue.Deactivate(icon, coordinator);
        coordinator.PauseQueue.Deactivate(marker, coordinator);
    }
}

void bHUD::Start(Coordinator& coordinator)
{
    const bGameLogic* rules = GameLogicInstance();
    if (rules == nullptr)
        return;
    if (const char* title = LevelTitlePrefab(rules->Level))
        Spawn(coordinator, title, LevelTitleEntities);
    Spawn(coordinator, "Letterbox_Top", LevelTitleEntities);
    Spawn(coordinator, "Letterbox_Bottom", LevelTitleEntities);
}

void bHUD::OnSceneUnload(Coordinator&)
{
}

void bHUD::Deserialize(const rapidjson::Value& object)
{
    PlayerHudGap = Json::Float(object, "PlayerHudGap", PlayerHudGap);
}

void bHUD::Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    object.AddMember("PlayerHudGap", PlayerHudGap, allocator);
}

void bHUD::Inspect()
{
}

void bHUD::AddSoldierStatText(Coordinator& coordinator, int soldierNumber, Entity portrait, const std::string& prefab)
{
    const Entity text = Spawn(coordinator, prefab, SoldierPanelEntities);
    std::shared_ptr<IBehaviour> behaviour;
    if (!coordinator.GetBehaviour(text, behaviour))
        return;
    behaviour->boundEntity = portrait;
    if (const auto font = std::dynamic_pointer_cast<bFontBehaviour>(behaviour))
    {
        font->DataFromEntity = "Player_" + std::to_string(soldierNumber);
        const auto [found, soldier] =
            coordinator.GetSystem<sIdentifierSystem>()->FindEntityByName(coordinator, font->DataFromEntity);
        if (found)
            font->DataEntity = soldier;
    }
}
