#include "game/squad/GridPaths.h"

#include "engine/core/Assert.h"
#include "engine/core/Coordinator.h"
#include "engine/systems/GridSpec.h"
#include "engine/systems/sIdentifierSystem.h"
#include "game/squad/VectorHelpers.h"
#include "game/squad/bUniqueGrid.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

Vector2 CellCentre(const GridSpec& grid, const Cell& cell)
{
    const std::uint32_t cellWidth = grid.width / grid.columns;
    const std::uint32_t cellHeight = grid.height / grid.rows;
    return {static_cast<float>(cell.x) * static_cast<float>(cellWidth) + grid.originX +
                static_cast<float>(cellWidth) * 0.5f,
            static_cast<float>(cell.y) * static_cast<float>(cellHeight) + grid.originY +
                static_cast<float>(cellHeight) * 0.5f};
}

bool StartCellOf(const GridSpec& grid, const Vector2& position, Cell& cell)
{
    const std::uint32_t cellWidth = grid.width / grid.columns;
    const std::uint32_t cellHeight = grid.height / grid.rows;
    if (cellWidth == 0 || cellHeight == 0 || std::isnan(position.x) || std::isnan(position.y))
        return false;
    const float x = std::clamp(position.x, grid.originX, grid.originX + static_cast<float>(grid.width));
    const float y = std::clamp(position.y, grid.originY, grid.originY + static_cast<float>(grid.height));
    cell.x = std::min(static_cast<int>((x - grid.originX) / static_cast<float>(cellWidth)),
                      static_cast<int>(grid.columns) - 1);
    cell.y = std::min(static_cast<int>((y - grid.originY) / static_cast<float>(cellHeight)),
                      static_cast<int>(grid.rows) - 1);
    return true;
}

bUniqueGrid* FindPathGrid(Coordinator& coordinator)
{
    const auto [found, gridEntity] =
        coordinator.GetSystem<sIdentifierSystem>()->FindEntityByName(coordinator, "PathfindingGrid");
    if (!found)
        Assert("PATHFINDING GRID NOT FOUND");
    return coordinator.GetBehaviourAs<bUniqueGrid>(gridEntity).get();
}

PathStep StepAlongPath(const GridSpec& grid, Path& path, const Cell& goal, const Vector2& position,
                       float waypointReach, float goalReach, Vector2& direction)
{
    if (path.empty())
        return PathStep::None;
    const Cell first = path.front();
    const Vector2 centre = CellCentre(grid, first);
    const double dx = static_cast<double>(centre.x) - position.x;
    const double dy = static_cast<double>(centre.y) - position.y;
    const double reach = dx * dx + dy * dy;
    if (first == goal && reach < goalReach)
    {
        path.pop_front();
        return PathStep::Reached;
    }
    if (reach < waypointReach)
        path.pop_front();
    if (path.empty())
        return PathStep::None;
    const Vector2 next = CellCentre(grid, path.front());
    direction = NormalizeVector2({next.x - position.x, next.y - position.y});
    return PathStep::Steer;
}
