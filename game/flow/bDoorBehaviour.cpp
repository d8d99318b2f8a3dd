#include "game/flow/bDoorBehaviour.h"

#include "engine/components/Lighting.h"
#include "engine/core/CommaList.h"
#include "engine/core/Coordinator.h"
#include "engine/core/Json.h"
#include "engine/platform/PrefabFile.h"
#include "engine/platform/sSoundSystem.h"
#include "engine/systems/GridSpec.h"
#include "engine/systems/sIdentifierSystem.h"
#include "game/flow/DoorButtonPool.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bTutorialLogic.h"
#include "game/squad/bUniqueGrid.h"

#include <imgui.h>
#include <imgui_stdlib.h>

namespace
{
constexpr int PoolSize = 4;
constexpr int BreachTutorialStep = 7;
const char* const ButtonPrefab = "Door_Button";
const char* const KickSound = "DoorKick_false_SFX_";
const std::string GridTag = "GRID";

// Hides a pool button and unbinds it from any door.
void HideButton(Coordinator& coordinator, Entity button, bool unbind)
{
    std::shared_ptr<IBehaviour> behaviour;
    if (!coordinator.GetBehaviour(button, behaviour))
        return;
    behaviour->active = false;
    if (unbind)
        behaviour->boundEntity = NO_ENTITY;
}
}

bDoorBehaviour::~bDoorBehaviour()
{
    // The process-wide count may have been reset under a door that outlived its game (tests).
    if (LiveDoorCount() > 0 && --LiveDoorCount() == 0)
        DoorButtonPool().clear();
}

void bDoorBehaviour::Awake(Coordinator& coordinator)
{
    if (LiveDoorCount()++ != 0)
        return;
    for (int i = 0; i < PoolSize; ++i)
        DoorButtonPool().emplace(InstantiatePrefab(coordinator, ButtonPrefab), false);
}

void bDoorBehaviour::Start(Coordinator& coordinator)
{
    for (auto& [button, lent] : DoorButtonPool())
    {
        if (!lent)
            continue;
        lent = false;
        HideButton(coordinator, button, true);
    }
}

void bDoorBehaviour::Update(Coordinator& coordinator)
{
    if (active || opened)
        return;
    // The door is queued for destruction below; it opens once even if it is updated again first.
    opened = true;

    if (bTutorialLogic* tutorial = TutorialLogicInstance(); tutorial != nullptr && tutorial->TutorialStep == BreachTutorialStep)
        tutorial->Advance(coordinator);

    if (auto lent = DoorButtonPool().find(Button); lent != DoorButtonPool().end())
    {
        lent->second = false;
        HideButton(coordinator, Button, false);
    }
    Button = NO_ENTITY;

    const auto* names = coordinator.GetSystem<sIdentifierSystem>();
    for (Entity gridEntity : names->FindEntitiesWithTag(coordinator, GridTag))
    {
        auto grid = coordinator.GetBehaviourAs<bUniqueGrid>(gridEntity);
        if (grid == nullptr)
            continue;
        if (grid->Grid != nullptr)
            grid->Grid->Remove(entity);
        grid->BuildOccupancyMap();
    }

    coordinator.GetSystem<sSoundSystem>()->PlaySfx(KickSound, coordinator);
    coordinator.DestroyEntity(entity);

    for (const std::string& name : attachedLights)
    {
        const auto [found, light] = names->FindEntityByName(coordinator, name);
        if (!found)
            continue;
        if (Lighting* lighting = coordinator.GetComponent<Lighting>(light))
            lighting->enabled = true;
    }
}

void bDoorBehaviour::OnSceneUnload(Coordinator&)
{
}

void bDoorBehaviour::Deserialize(const rapidjson::Value& object)
{
    TriggerRange = Json::Float(object, "TriggerRange", TriggerRange);
    if (Json::Find(object, "attachedLights") != nullptr)
        SplitCommaList(Json::String(object, "attachedLights"), attachedLights);
}

void bDoorBehaviour::Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    object.AddMember("TriggerRange", static_cast<double>(TriggerRange), allocator);
    if (attachedLights.empty())
        return;
    std::string joined;
    for (std::size_t i = 0; i < attachedLights.size(); ++i)
        joined += (i == 0 ? "" : ",") + attachedLights[i];
    object.AddMember("attachedLights", rapidjson::Value(joined.c_str(), allocator), allocator);
}

void bDoorBehaviour::Inspect()
{
    if (!ImGui::CollapsingHeader("Door Behaviour"))
        return;
    ImGui::DragFloat("Trigger Range", &TriggerRange);
    for (std::size_t i = 0; i < attachedLights.size(); ++i)
    {
        ImGui::TextUnformatted(attachedLights[i].c_str());
        ImGui::SameLine();
        ImGui::PushID(static_cast<int>(i));
        const bool remove = ImGui::Button("Delete attachedLight##");
        ImGui::PopID();
        if (remove)
        {
            attachedLights.erase(attachedLights.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
    static std::string newLight;
    ImGui::InputText("##new light source", &newLight);
    if (ImGui::Button("Add light source") && !newLight.empty())
    {
        attachedLights.push_back(newLight);
        newLight.clear();
    }
}

void bDoorBehaviour::ReleaseButton(Coordinator& coordinator)
{
    if (Button == NO_ENTITY)
        return;
    if (auto lent = DoorButtonPool().find(Button); lent != DoorButtonPool().end())
        lent->second = false;
    HideButton(coordinator, Button, false);
    Button = NO_ENTITY;
}
