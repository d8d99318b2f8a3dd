#include "game/flow/bLevelSelect.h"

#include "engine/components/Identifier.h"
#include "engine/components/PhysicsCollision.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/systems/sIdentifierSystem.h"
#include "game/flow/ScreenElements.h"
#include "game/flow/bImageBehaviour.h"

#include <array>

// The level select's entities by level: each level's own entities begin with its prefix, its
// button among them; the locked overlay too, but it is never shown or hidden as one of them.

namespace
{
struct LevelEntry
{
    int level;
    const char* prefix;
    const char* button;
    const char* lockedOverlay;
    // How far the arrow sits above its place over this level's button (the art's own margin).
    float arrowLift;
};

// The last level is dressed like the others: with its unlock kept in the settings it can be
// reached, so its button shows and its overlay hides once it is unlocked.
constexpr std::array<LevelEntry, 4> Levels = {{
    {0, "AbandonedHouse", "AbandonedHouse_Button", "AbandonedHouse_Locked", 20.0f},
    {1, "Farmhouse", "Farmhouse_Button", "Farmhouse_Locked", 15.0f},
    {2, "Warehouse", "Warehouse_Button", "Warehouse_Locked", 0.0f},
    {3, "TownHall", "TownHall_Button", "TownHall_Locked", 0.0f},
}};
// With every level open there is nothing left to point at.
constexpr int LastLevel = 3;

const LevelEntry* EntryOf(int level)
{
    for (const LevelEntry& entry : Levels)
        if (entry.level == level)
            return &entry;
    return nullptr;
}

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}
}

void bLevelSelect::Awake(Coordinator&)
{
}

void bLevelSelect::Start(Coordinator& coordinator)
{
    if (const Entity arrow = FindNamedEntity(coordinator, "Pointer_Arrow"); arrow != NO_ENTITY)
    {
        const int highest = coordinator.HighestUnlockedLevel;
        if (highest == LastLevel)
        {
            coordinator.PauseQueue.Deactivate(arrow, coordinator);
        }
        else if (const LevelEntry* entry = EntryOf(highest))
        {
            PlacePointer(coordinator, arrow, entry->button);
            // The lift comes after the arrow's bobbing origin was set, so the arrow bobs about
            // its place over the button, not about the lifted point.
            if (Transform* transform = coordinator.GetComponent<Transform>(arrow); transform && entry->arrowLift != 0.0f)
                MoveByHand(*transform, Offset(transform->position, 0.0f, entry->arrowLift));
        }
    }

    for (const auto& [level, unlocked] : coordinator.LevelUnlocked)
    {
        const LevelEntry* entry = EntryOf(level);
        if (entry == nullptr)
            continue;
        if (unlocked)
        {
            if (const Entity overlay = FindNamedEntity(coordinator, entry->lockedOverlay); overlay != NO_ENTITY)
                coordinator.PauseQueue.Deactivate(overlay, coordinator);
            SetGroupVisible(coordinator, true, entry->prefix, entry->lockedOverlay);
        }
        else
        {
            SetGroupVisible(coordinator, false, entry->prefix, entry->lockedOverlay);
        }
    }
}

void bLevelSelect::Update(Coordinator& coordinator)
{
    if (!coordinator.LevelsChanged)
        return;
    Start(coordinator);
    coordinator.LevelsChanged = false;
}

void bLevelSelect::OnSceneUnload(Coordinator&)
{
}

void bLevelSelect::Deserialize(const rapidjson::Value&)
{
}

void bLevelSelect::Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const
{
}

void bLevelSelect::Inspect()
{
}

void bLevelSelect::SetGroupVisible(Coordinator& coordinator, bool show, const std::string& prefix,
                                   const std::string& excluded)
{
    const sIdentifierSystem& identifiers = *coordinator.GetSystem<sIdentifierSystem>();
    for (Entity candidate : identifiers.entities)
    {
        const Identifier* identifier = coordinator.GetComponent<Identifier>(candidate);
        if (identifier == nullptr || !StartsWith(identifier->name, prefix) || identifier->name == excluded)
            continue;
        if (show)
            coordinator.PauseQueue.Reactivate(candidate);
        else
            coordinator.PauseQueue.Deactivate(candidate, coordinator);
    }
}

void bLevelSelect::PlacePointer(Coordinator& coordinator, Entity arrow, const std::string& buttonName)
{
    const Entity button = FindNamedEntity(coordinator, buttonName);
    const auto image = coordinator.GetBehaviourAs<bImageBehaviour>(arrow);
    Transform* arrowPlace = coordinator.GetComponent<Transform>(arrow);
    const Transform* buttonPlace = coordinator.GetComponent<Transform>(button);
    if (button == NO_ENTITY || image == nullptr || arrowPlace == nullptr || buttonPlace == nullptr)
        return;
    const PhysicsCollision* collider = coordinator.GetComponent<PhysicsCollision>(button);
    const Renderer* arrowLook = coordinator.GetComponent<Renderer>(arrow);
    const float halfButton = collider != nullptr ? 0.5f * collider->shapeData.size.y : 0.0f;
    const float arrowHalfHeight = arrowLook != nullptr ? arrowLook->scaleY : 0.0f;
    MoveByHand(*arrowPlace, {buttonPlace->position.x,
                             buttonPlace->position.y + halfButton + image->FXLimits + arrowHalfHeight});
    image->BasePosition = arrowPlace->position;
}
