// What the soldier sees: the sight scan, the line of sight through glass, the danger icons of
// characters seen only through glass, and the choice of a target.
#include "game/squad/bPlayerBehaviour.h"
#include "engine/components/Identifier.h"
#include "engine/components/PhysicsCollision.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/systems/GridSpec.h"
#include "game/flow/bImageBehaviour.h"
#include "game/squad/LineOfSight.h"
#include "game/squad/VectorHelpers.h"

#include <cmath>
#include <numbers>

namespace
{
// A danger icon seen through glass stays while it sits this close (squared) to its character.
constexpr double IconOnCharacterSq = 100.0;

bool Carries(Coordinator& coordinator, Entity entity, const std::string& tag)
{
    const Identifier* identifier = coordinator.GetComponent<Identifier>(entity);
    return identifier != nullptr && identifier->HasTag(tag);
}

const Vector2* PositionOf(Coordinator& coordinator, Entity entity)
{
    const Transform* transform = coordinator.GetComponent<Transform>(entity);
    return transform == nullptr ? nullptr : &transform->position;
}

double SquaredDistance(const Vector2& a, const Vector2& b)
{
    const double dx = static_cast<double>(b.x) - a.x;
    const double dy = static_cast<double>(b.y) - a.y;
    return dx * dx + dy * dy;
}

const std::string DangerTag = "DANGER";
}

int bPlayerBehaviour::LineOfSight(Coordinator& coordinator, const GridSpec& grid, Vector2 point, Entity other)
{
    const Vector2* from = PositionOf(coordinator, entity);
    if (from == nullptr)
        return 0;
    bool glass = false;
    bool blocker = false;
    bool solidBlocker = false;
    for (Entity hit : SegmentHits(coordinator, grid, *from, point, entity, other))
    {
        const Identifier* identifier = coordinator.GetComponent<Identifier>(hit);
        if (identifier != nullptr && identifier->name.find("Glass") != std::string::npos)
        {
            glass = true;
            continue;
        }
        const PhysicsCollision* collision = coordinator.GetComponent<PhysicsCollision>(hit);
        if (collision != nullptr && collision->isTrigger)
            continue;
        blocker = true;
        if (identifier != nullptr && (identifier->HasTag("WALL") || identifier->HasTag("DOOR")))
            solidBlocker = true;
    }
    if (!blocker)
        return glass ? -1 : 1;
    // Behind glass, only walls and doors hide a character; anything else is seen past.
    return glass && !solidBlocker ? -1 : 0;
}

const std::vector<Entity>& bPlayerBehaviour::ScanSight(Coordinator& coordinator)
{
    const Vector2* position = PositionOf(coordinator, entity);
    if (position == nullptr || !coordinator.BroadphaseGrid)
    {
        sightList.clear();
        return sightList;
    }
    CircleHits(coordinator, *coordinator.BroadphaseGrid, *position, TriggerRange, sightTags, sightList);
    return sightList;
}

void bPlayerBehaviour::ChooseTarget(Coordinator& coordinator, const std::vector<Entity>& sight)
{
    CheckDangerIcons(coordinator, sight);
    CheckRevealedCharacters(coordinator);
    if (ActionState >= ActionReloading && ActionState <= ActionThrowing)
        return;
    const Transform* transform = coordinator.GetComponent<Transform>(entity);
    const GridSpec* grid = coordinator.BroadphaseGrid.get();
    if (transform == nullptr || grid == nullptr)
        return;

    // Near candidates are seen all around, far ones only inside the field of view.
    nearCandidates.clear();
    farCandidates.clear();
    const Vector2 facing = {std::cos(transform->rotation), std::sin(transform->rotation)};
    const float halfView = FieldOfView * 0.5f * std::numbers::pi_v<float> / 180.0f;
    for (Entity candidate : sight)
    {
        const Vector2* position = PositionOf(coordinator, candidate);
        if (position == nullptr || !Carries(coordinator, candidate, TargetTag))
            continue;
        const Vector2 offset = {position->x - transform->position.x, position->y - transform->position.y};
        const double distance = std::sqrt(SquaredDistance(transform->position, *position));
        if (distance <= ProximityRange)
            nearCandidates.push_back(candidate);
        else if (AngleBetween(facing, NormalizeVector2(offset)) < halfView)
            farCandidates.push_back(candidate);
    }

    bool chosenNow = false;
    bool nearSeen = false;
    // A candidate seen clearly becomes the target when there is none and loses its danger icon;
    // one seen only through glass is marked with one.
    const auto consider = [&](Entity candidate, bool farAway) {
        const Vector2* position = PositionOf(coordinator, candidate);
        const int sightLine = LineOfSight(coordinator, *grid, *position, candidate);
        std::shared_ptr<bCharacterBehaviour> character = coordinator.GetBehaviourAs<bCharacterBehaviour>(candidate);
        if (sightLine == 1)
        {
            // Once a near enemy is in clear view, far ones are left for later.
            if (farAway && nearSeen)
                return;
            if (Target == NO_ENTITY)
            {
                Target = candidate;
                chosenNow = true;
            }
            if (character && character->RemoveDangerIcon(coordinator))
                RevealedCharacters.insert(candidate);
            if (!farAway)
                nearSeen = true;
        }
        else if (sightLine == -1 && character)
            character->ShowDangerIcon(coordinator);
    };
    for (Entity candidate : nearCandidates)
        consider(candidate, false);
    for (Entity candidate : farCandidates)
        consider(candidate, true);

    // A target held from before is kept only while it stays in clear view; it is never
    // exchanged for a nearer one.
    if (Target != NO_ENTITY && !chosenNow)
    {
        const Vector2* position = PositionOf(coordinator, Target);
        if (position == nullptr || LineOfSight(coordinator, *grid, *position, Target) != 1)
            Target = NO_ENTITY;
    }

    if (Target != NO_ENTITY)
    {
        if (WeaponStats.InfiniteAmmo || ClipRounds > 0)
            ActionState = ActionShooting;
    }
    else if (ActionState == ActionShooting)
        ActionState = ActionIdle;
}

void bPlayerBehaviour::CheckDangerIcons(Coordinator& coordinator, const std::vector<Entity>& sight)
{
    const GridSpec* grid = coordinator.BroadphaseGrid.get();
    if (grid == nullptr)
        return;
    for (Entity icon : sight)
    {
        if (!Carries(coordinator, icon, DangerTag))
            continue;
        std::shared_ptr<bImageBehaviour> image = coordinator.GetBehaviourAs<bImageBehaviour>(icon);
        const Vector2* position = PositionOf(coordinator, icon);
        if (!image || position == nullptr)
            continue;
        const int sightLine = LineOfSight(coordinator, *grid, *position, icon);
        if (sightLine == 0)
            continue;
        if (sightLine == -1)
        {
            // Through glass, an icon that sits on its character stays: the character is only
            // glimpsed.
            const Vector2* character = PositionOf(coordinator, image->boundEntity);
            if (character != nullptr && coordinator.GetBehaviourAs<bCharacterBehaviour>(image->boundEntity) &&
                SquaredDistance(*character, *position) <= IconOnCharacterSq)
                continue;
        }
        const Entity revealed = image->ClearBoundDangerIcon(coordinator);
        if (revealed != NO_ENTITY)
            RevealedCharacters.insert(revealed);
    }
}

void bPlayerBehaviour::CheckRevealedCharacters(Coordinator& coordinator)
{
    const GridSpec* grid = coordinator.BroadphaseGrid.get();
    for (auto revealed = RevealedCharacters.begin(); revealed != RevealedCharacters.end();)
    {
        std::shared_ptr<IBehaviour> behaviour;
        if (!coordinator.GetBehaviour(*revealed, behaviour))
        {
            revealed = RevealedCharacters.erase(revealed);
            continue;
        }
        const Vector2* position = PositionOf(coordinator, *revealed);
        if (grid != nullptr && position != nullptr && LineOfSight(coordinator, *grid, *position, *revealed) == 1)
        {
            ++revealed;
            continue;
        }
        // Out of sight again: the level rules may mark it anew.
        if (auto character = std::dynamic_pointer_cast<bCharacterBehaviour>(behaviour))
            character->DangerIconShown = false;
        revealed = RevealedCharacters.erase(revealed);
    }
}
