// The soldier's life cycle, its JSON and the order of its Update. The steps themselves live in
// bPlayerBehaviourMove.cpp, bPlayerBehaviourSight.cpp, bPlayerBehaviourWeapon.cpp and
// bPlayerBehaviourContacts.cpp.
#include "game/squad/bPlayerBehaviour.h"
#include "engine/components/Identifier.h"
#include "engine/components/Lighting.h"
#include "engine/components/Transform.h"
#include "engine/core/Assert.h"
#include "engine/core/Coordinator.h"
#include "engine/core/Json.h"
#include "engine/platform/PrefabFile.h"
#include "engine/systems/sIdentifierSystem.h"
#include "game/definitions/NameTableJson.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bHUD.h"
#include "game/squad/SoldierSharedState.h"
#include "game/squad/bUniqueGrid.h"

#include <imgui.h>
#include <imgui_stdlib.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <limits>

namespace
{
// The torch's beam ends a little before its light does.
constexpr float TorchRangeMargin = 20.0f;

// A counter of the soldier's: any JSON integer, kept to its low 16 bits as the field is 16 bits
// wide. Missing keeps the field; a member that is not an integer is the JSON error.
void ReadCounter(const rapidjson::Value& object, const char* key, std::uint16_t& field)
{
    const rapidjson::Value* value = Json::Find(object, key);
    if (value == nullptr)
        return;
    if (value->IsInt64())
        field = static_cast<std::uint16_t>(static_cast<std::uint64_t>(value->GetInt64()));
    else if (value->IsUint64())
        field = static_cast<std::uint16_t>(value->GetUint64());
    else
        Json::Error(key, "is not an integer");
}

// The number formed by the first run of decimal digits in the name ("Player_2" gives 2). A name
// without digits cannot number a soldier: that stops the game, as a malformed level must.
std::uint16_t NumberInName(const std::string& name)
{
    const auto first =
        std::find_if(name.begin(), name.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
    if (first == name.end())
        Assert("invalid stoi argument: the soldier \"" + name + "\" has no number in its name");
    long long number = 0;
    for (auto digit = first; digit != name.end() && std::isdigit(static_cast<unsigned char>(*digit)); ++digit)
    {
        number = number * 10 + (*digit - '0');
        if (number > std::numeric_limits<int>::max())
            Assert("stoi argument out of range: the number in the soldier name \"" + name + "\" is too large");
    }
    return static_cast<std::uint16_t>(number);
}
}

bPlayerBehaviour::~bPlayerBehaviour()
{
    // Only soldiers that were counted in are counted out: a behaviour built but never woken (as
    // the content check builds them) must not empty a running scene's shared state.
    if (!countedAlive)
        return;
    if (--LivePlayerCount() == 0)
    {
        PickupMapPending() = true;
        PickupSightMap().clear();
        PlayerList().clear();
    }
}

void bPlayerBehaviour::Awake(Coordinator& coordinator)
{
    ++LivePlayerCount();
    countedAlive = true;
    BulletLine = InstantiatePrefab(coordinator, "Bullet_Line");
}

void bPlayerBehaviour::Start(Coordinator& coordinator)
{
    sIdentifierSystem* names = coordinator.GetSystem<sIdentifierSystem>();
    const auto [gridFound, gridEntity] = names->FindEntityByName(coordinator, "PathfindingGrid");
    if (!gridFound)
        Assert("PATHFINDING GRID NOT FOUND");
    PathGrid = coordinator.GetBehaviourAs<bUniqueGrid>(gridEntity).get();

    ClipRounds = WeaponStats.ClipSize;

    const Identifier* identifier = coordinator.GetComponent<Identifier>(entity);
    if (HUDInstance() != nullptr && identifier != nullptr)
    {
        PlayerNumber = NumberInName(identifier->name);
        const std::vector<Entity>& markers = HUDInstance()->SelectionEntities;
        if (PlayerNumber >= 1 && markers.size() >= PlayerNumber)
            SelectionMarker = markers[PlayerNumber - 1];
    }

    Transform* transform = coordinator.GetComponent<Transform>(entity);
    if (transform != nullptr)
        HomePosition = transform->position;

    // Without a range of its own the soldier sees as far as its torch reaches.
    if (TriggerRange == 0.0f && transform != nullptr)
        for (const std::string& child : transform->GetAllChildren(coordinator))
        {
            if (child.find("SpotLight") == std::string::npos)
                continue;
            const auto [found, light] = names->FindEntityByName(coordinator, child);
            if (!found)
                continue;
            if (const Lighting* lighting = coordinator.GetComponent<Lighting>(light))
                TriggerRange = lighting->radius - TorchRangeMargin;
        }

    PlayerList().push_back(entity);
    if (PickupMapPending())
    {
        for (Entity pickup : names->FindEntitiesWithTag(coordinator, "PICKUP"))
            PickupSightMap().emplace(pickup, false);
        PickupMapPending() = false;
    }

    sightTags = {TargetTag, "PICKUP", "DOOR", "DANGER"};
    sightList.reserve(64);
    nearCandidates.reserve(32);
    farCandidates.reserve(32);
}

void bPlayerBehaviour::Update(Coordinator& coordinator)
{
    if (!active)
        return;
    if (CurrentHealth <= 0.0f)
    {
        OnDeath(coordinator);
        return;
    }
    TrackOffscreenMarker(coordinator);
    ReturnToLevel(coordinator);
    if (FollowPath(coordinator))
        return;
    const std::vector<Entity>& sight = ScanSight(coordinator);
    MarkSeenPickups(coordinator, sight);
    UpdateDoorsInReach(coordinator, sight);
    FinishContactFrame(coordinator);
    ChooseTarget(coordinator, sight);
    RunWeapon(coordinator);
}

void bPlayerBehaviour::OnSceneUnload(Coordinator&)
{
}

void bPlayerBehaviour::Deserialize(const rapidjson::Value& object)
{
    MaxHealth = Json::Float(object, "MaxHealth", MaxHealth);
    CurrentHealth = Json::Float(object, "CurrentHealth", CurrentHealth);
    TriggerRange = Json::Float(object, "TriggerRange", TriggerRange);
    TargetTag = Json::String(object, "TargetTag", TargetTag);
    // A missing "Weapon" is taken as a name the table lacks: the record stays as it was.
    if (const std::optional<WeaponType> weapon = FindTableKey(object, "Weapon", WeaponTypes()))
        WeaponStats = WeaponFiguresOf(*weapon);
    ReadCounter(object, "AmmoTotal", AmmoTotal);
    ReadCounter(object, "HealthPacks", HealthPacks);
    ReadCounter(object, "Grenades", Grenades);
    ReadCounter(object, "Molotovs", Molotovs);
    ProximityRange = Json::Float(object, "ProximityRange", ProximityRange);
    FieldOfView = Json::Float(object, "FieldOfView", FieldOfView);
}

void bPlayerBehaviour::Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    object.AddMember("MaxHealth", static_cast<double>(MaxHealth), allocator);
    object.AddMember("CurrentHealth", static_cast<double>(CurrentHealth), allocator);
    object.AddMember("TriggerRange", static_cast<double>(TriggerRange), allocator);
    object.AddMember("TargetTag", rapidjson::Value(TargetTag.c_str(), allocator), allocator);
    // An unarmed soldier writes the empty text, which no weapon has: it reads back unarmed.
    WriteTableKey(object, "Weapon", WeaponTypes(), WeaponStats.WeaponType, allocator);
    object.AddMember("AmmoTotal", static_cast<unsigned>(AmmoTotal), allocator);
    object.AddMember("HealthPacks", static_cast<unsigned>(HealthPacks), allocator);
    object.AddMember("Grenades", static_cast<unsigned>(Grenades), allocator);
    object.AddMember("Molotovs", static_cast<unsigned>(Molotovs), allocator);
    object.AddMember("ProximityRange", static_cast<double>(ProximityRange), allocator);
    object.AddMember("FieldOfView", static_cast<double>(FieldOfView), allocator);
}

void bPlayerBehaviour::Inspect()
{
    if (!ImGui::CollapsingHeader("Player Behaviour"))
        return;
    ImGui::InputFloat("Max Health", &MaxHealth, 0.0f, 0.0f, "%.3f");
    ImGui::InputFloat("Current Health", &CurrentHealth, 0.0f, 0.0f, "%.3f");
    ImGui::InputFloat("Trigger Range", &TriggerRange, 0.0f, 0.0f, "%.3f");
    ImGui::InputText("Target Tag", &TargetTag);
    // The counters are 16 bits wide; a negative entry is stored as 0.
    const auto counter = [](const char* label, std::uint16_t& field) {
        int value = field;
        if (ImGui::InputInt(label, &value))
            field = static_cast<std::uint16_t>(std::clamp(value, 0, 0xFFFF));
    };
    counter("Ammo Total", AmmoTotal);
    counter("Health Packs", HealthPacks);
    counter("Grenades", Grenades);
    counter("Molotovs", Molotovs);
}
