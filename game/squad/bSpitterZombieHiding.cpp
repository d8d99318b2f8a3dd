// Where the spitting zombie hides: the wall corners of the scene, the search for a spot behind
// one of them out of every living soldier's sight, and the paths it walks.
#include "game/squad/bSpitterZombie.h"
#include "engine/components/Identifier.h"
#include "engine/components/PhysicsCollision.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/systems/GridSpec.h"
#include "engine/systems/sIdentifierSystem.h"
#include "game/squad/LineOfSight.h"
#include "game/squad/SpitterSharedState.h"
#include "game/squad/VectorHelpers.h"
#include "game/squad/ZombieHelpers.h"
#include "game/squad/GridPaths.h"
#include "game/squad/bUniqueGrid.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace
{
constexpr std::size_t MostCorners = 400;
constexpr float QualifyingAngle = 0.7853982f;
constexpr float OutwardFactor = 1.5f;
constexpr float SpotAlong = 45.0f;
constexpr float SpotAcross = 15.0f;

struct WallBox
{
    float cx = 0.0f;
    float cy = 0.0f;
    float w = 0.0f;
    float h = 0.0f;
};

bool BoxOf(Coordinator& coordinator, Entity wall, WallBox& box)
{
    const Transform* transform = coordinator.GetComponent<Transform>(wall);
    const PhysicsCollision* collision = coordinator.GetComponent<PhysicsCollision>(wall);
    if (transform == nullptr || collision == nullptr)
        return false;
    box.cx = transform->position.x + collision->offset.x;
    box.cy = transform->position.y + collision->offset.y;
    box.w = collision->shape->size.x;
    box.h = collision->shape->size.y;
    return true;
}

// The outward direction and the spot beside the corner, by the corner's quadrant of its wall and
// where the threat stands; false for a corner level with the wall's centre on either axis.
bool SpotBeside(const WallCorner& corner, const WallBox& box, const Vector2& threat, Vector2& direction, Vector2& spot)
{
    const float x = corner.x;
    const float y = corner.y;
    const float outX = x - box.cx;
    const float outY = y - box.cy;
    if (x < box.cx && y > box.cy)
    {
        if (threat.y >= y)
            direction = {outX - OutwardFactor * box.w, 0.0f}, spot = {x - SpotAcross, y - SpotAlong};
        else
            direction = {0.0f, outY + OutwardFactor * box.h}, spot = {x + SpotAlong, y + SpotAcross};
    }
    else if (x < box.cx && y < box.cy)
    {
        if (threat.x < x)
            direction = {0.0f, outY - OutwardFactor * box.h}, spot = {x + SpotAlong, y - SpotAcross};
        else
            direction = {outX - OutwardFactor * box.w, 0.0f}, spot = {x - SpotAcross, y + SpotAlong};
    }
    else if (x > box.cx && y > box.cy)
    {
        if (threat.x < x)
            direction = {outX + OutwardFactor * box.w, 0.0f}, spot = {x + SpotAcross, y - SpotAlong};
        else
            direction = {0.0f, outY + OutwardFactor * box.h}, spot = {x - SpotAlong, y + SpotAcross};
    }
    else if (x > box.cx && y < box.cy)
    {
        if (threat.y >= y)
            direction = {0.0f, outY - OutwardFactor * box.h}, spot = {x - SpotAlong, y - SpotAcross};
        else
            direction = {outX + OutwardFactor * box.w, 0.0f}, spot = {x + SpotAcross, y + SpotAlong};
    }
    else
        return false;
    return true;
}

// The corner points away from the threat along the direction, within 45 degrees of it.
bool Qualifies(const Vector2& direction, const WallCorner& corner, const Vector2& threat)
{
    const Vector2 fromThreat = {corner.x - threat.x, corner.y - threat.y};
    if (direction.x * fromThreat.x + direction.y * fromThreat.y < 0.0f)
        return false;
    const Vector2 a = NormalizeVector2(direction);
    const Vector2 b = NormalizeVector2(fromThreat);
    // No angle without both directions.
    if ((a.x == 0.0f && a.y == 0.0f) || (b.x == 0.0f && b.y == 0.0f))
        return false;
    return AngleBetween(a, b) < QualifyingAngle;
}
}

void bSpitterZombie::BuildWallCorners(Coordinator& coordinator) const
{
    std::vector<WallCorner>& corners = WallCorners();
    for (Entity wall : coordinator.GetSystem<sIdentifierSystem>()->FindEntitiesWithTag(coordinator, "WALL"))
    {
        WallBox box;
        if (!BoxOf(coordinator, wall, box))
            continue;
        const float hw = box.w * 0.5f;
        const float hh = box.h * 0.5f;
        corners.push_back({wall, box.cx + hw, box.cy + hh});
        corners.push_back({wall, box.cx - hw, box.cy - hh});
        corners.push_back({wall, box.cx - hw, box.cy + hh});
        corners.push_back({wall, box.cx + hw, box.cy - hh});
    }
}

void bSpitterZombie::PathTo(Coordinator& coordinator, Vector2 point)
{
    const Vector2* position = PositionOf(coordinator, entity);
    if (PathGrid == nullptr || !PathGrid->Grid || position == nullptr)
        return;
    const CellLookup goal = WorldToCell(*PathGrid, point);
    Cell start;
    if (!goal.found || !StartCellOf(*PathGrid->Grid, *position, start))
        return;
    GoalCell = {goal.column, goal.row};
    pathMemo.Find(*PathGrid, Path, start, GoalCell);
}

bool bSpitterZombie::HiddenFromSoldiers(Coordinator& coordinator, const Vector2& spot)
{
    for (Entity soldier : LivingPlayers())
        if (HasLineOfSight(*this, coordinator, spot, soldier))
            return false;
    return true;
}

void bSpitterZombie::FindHidingSpot(Coordinator& coordinator)
{
    LastThreat = Threat;
    const Vector2* at = PositionOf(coordinator, entity);
    const Vector2* threatAt = PositionOf(coordinator, Threat);
    Path.clear();
    if (at == nullptr || threatAt == nullptr || PathGrid == nullptr || !PathGrid->Grid)
        return;
    // The same search over the same world found nothing before: it would find nothing again.
    const bool described = DescribeSearch(coordinator, searchNow);
    if (described && SameSearch(searchNow))
        return;

    const Vector2 spitter = *at;
    const Vector2 threat = *threatAt;
    std::vector<WallCorner>& corners = WallCorners();
    const auto distance = [&spitter](const WallCorner& c) {
        return SquaredDistance(spitter, {c.x, c.y});
    };
    // Equal distances are ordered by wall and place, so every run visits the corners alike.
    std::sort(corners.begin(), corners.end(), [&distance](const WallCorner& a, const WallCorner& b) {
        return std::make_tuple(distance(a), a.wall, a.x, a.y) < std::make_tuple(distance(b), b.wall, b.x, b.y);
    });

    Cell start;
    const bool startFound = StartCellOf(*PathGrid->Grid, spitter, start);
    const Vector2 toThreat = {threat.x - spitter.x, threat.y - spitter.y};
    std::size_t considered = 0;
    for (const WallCorner& corner : corners)
    {
        const Vector2 toCorner = {corner.x - spitter.x, corner.y - spitter.y};
        if (toThreat.x * toCorner.x + toThreat.y * toCorner.y > 0.0f)
            continue;
        if (++considered > MostCorners)
            break;
        WallBox box;
        Vector2 direction;
        Vector2 spot;
        if (!BoxOf(coordinator, corner.wall, box) || !SpotBeside(corner, box, threat, direction, spot) ||
            !Qualifies(direction, corner, threat))
            continue;
        const CellLookup cell = WorldToCell(*PathGrid, spot);
        if (!cell.found || PathGrid->Grid->QueryPoint(spot).Any() || !startFound)
            continue;
        // Sight is cheaper to judge than a path, and both must hold.
        if (!HiddenFromSoldiers(coordinator, spot))
            continue;
        GoalCell = {cell.column, cell.row};
        FindPath(*PathGrid, Path, start, GoalCell);
        if (Path.empty())
            continue;
        HidingSpot = spot;
        HidingSpotFound = true;
        Threat = NO_ENTITY;
        failedSearch.valid = false;
        return;
    }
    if (described)
        std::swap(failedSearch, searchNow);
}

bool bSpitterZombie::DescribeSearch(Coordinator& coordinator, FailedSearch& record) const
{
    const std::set<Entity>& living = LivingPlayers();
    if (living.size() > record.soldiers.size() || !coordinator.BroadphaseGrid)
        return false;
    record.valid = true;
    record.spitter = *PositionOf(coordinator, entity);
    record.threat = Threat;
    record.threatAt = *PositionOf(coordinator, Threat);
    record.soldierCount = 0;
    for (Entity soldier : living)
    {
        const Vector2* at = PositionOf(coordinator, soldier);
        record.soldiers[record.soldierCount] = soldier;
        record.soldiersAt[record.soldierCount] = at != nullptr ? *at : Vector2{NAN, NAN};
        ++record.soldierCount;
    }
    record.cornerCount = WallCorners().size();
    record.grid = PathGrid;
    record.map.assign(PathGrid->OccupancyMap.begin(), PathGrid->OccupancyMap.end());
    // What blocks sight: the colliders in the world (a destroyed target or a removed door leaves).
    record.colliders = coordinator.BroadphaseGrid->ids;
    return true;
}

bool bSpitterZombie::SameSearch(const FailedSearch& now) const
{
    const FailedSearch& before = failedSearch;
    const auto same = [](const Vector2& a, const Vector2& b) {
        return a.x == b.x && a.y == b.y;
    };
    if (!before.valid || !now.valid || !same(before.spitter, now.spitter) || before.threat != now.threat ||
        !same(before.threatAt, now.threatAt) || before.soldierCount != now.soldierCount ||
        before.cornerCount != now.cornerCount || before.grid != now.grid)
        return false;
    for (std::size_t i = 0; i < now.soldierCount; ++i)
        if (before.soldiers[i] != now.soldiers[i] || !same(before.soldiersAt[i], now.soldiersAt[i]))
            return false;
    return before.map == now.map && before.colliders == now.colliders;
}
