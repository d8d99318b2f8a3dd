#include "game/squad/bUniqueGrid.h"
#include "engine/core/Coordinator.h"
#include "engine/core/Json.h"
#include "engine/systems/GridSpec.h"
#include "engine/systems/PathSearchSpace.h"
#include "engine/systems/sPhysicsCollision.h"

#include <imgui.h>
#include <imgui_stdlib.h>

namespace
{
// The whole-number part of an extent; negative or NaN extents are empty.
std::uint32_t WholeExtent(float value)
{
    if (!(value > 0.0f))
        return 0;
    if (value >= 4294967295.0f)
        return 4294967295u;
    return static_cast<std::uint32_t>(value);
}

std::uint32_t ReadCount(const rapidjson::Value& object, const char* key)
{
    const int value = Json::Int(object, key);
    if (value < 0)
        Json::Error(key, "is negative");
    return static_cast<std::uint32_t>(value);
}
}

bUniqueGrid::bUniqueGrid() = default;
bUniqueGrid::~bUniqueGrid() = default;

std::unique_ptr<GridSpec> bUniqueGrid::MakeEmptyGrid() const
{
    const std::uint32_t columns = Columns == 0 ? 1 : Columns;
    const std::uint32_t rows = Rows == 0 ? 1 : Rows;
    // The origin is part of the extent, as the levels were laid out with it.
    return std::make_unique<GridSpec>(WholeExtent(static_cast<float>(Columns) * TileSize + GridOrigin_X),
                                      WholeExtent(static_cast<float>(Rows) * TileSize + GridOrigin_Y), GridOrigin_X,
                                      GridOrigin_Y, columns, rows);
}

void bUniqueGrid::Awake(Coordinator& coordinator)
{
    sPhysicsCollision* collision = coordinator.GetSystem<sPhysicsCollision>();
    collision->ClearExtentsSwapped(coordinator);
    Grid = MakeEmptyGrid();
    Grid->Clear();
    collision->InsertTaggedIntoGrid(coordinator, *Grid, {RegisterTag});
    OccupancyMap.assign(static_cast<std::size_t>(Grid->columns) * Grid->rows, ' ');
    BuildOccupancyMap();
}

void bUniqueGrid::BuildOccupancyMap()
{
    if (!Grid)
    {
        OccupancyMap.clear();
        return;
    }
    const std::size_t columns = Grid->columns;
    const std::size_t rows = Grid->rows;
    OccupancyMap.assign(columns * rows, ' ');
    for (std::size_t r = 0; r < rows; ++r)
        for (std::size_t c = 0; c < columns; ++c)
            if ((Grid->rowBits[r] & Grid->columnBits[c]).Any())
                OccupancyMap[c + columns * r] = '1';
    for (std::size_t r = 0; r < rows; ++r)
        for (std::size_t c = 0; c < columns; ++c)
        {
            char& cell = OccupancyMap[c + columns * r];
            if (cell != ' ')
                continue;
            bool nearBlocked = false;
            for (std::size_t nr = (r == 0 ? 0 : r - 1); nr <= r + 1 && nr < rows && !nearBlocked; ++nr)
                for (std::size_t nc = (c == 0 ? 0 : c - 1); nc <= c + 1 && nc < columns; ++nc)
                    if (OccupancyMap[nc + columns * nr] == '1')
                    {
                        nearBlocked = true;
                        break;
                    }
            if (nearBlocked)
                cell = '.';
        }
}

void bUniqueGrid::Start(Coordinator&)
{
}

void bUniqueGrid::Update(Coordinator&)
{
}

void bUniqueGrid::OnSceneUnload(Coordinator&)
{
}

void bUniqueGrid::Deserialize(const rapidjson::Value& object)
{
    GridOrigin_X = Json::Float(object, "GridOrigin_X");
    GridOrigin_Y = Json::Float(object, "GridOrigin_Y");
    TileSize = Json::Float(object, "TileSize");
    Columns = ReadCount(object, "Columns");
    Rows = ReadCount(object, "Rows");
    RegisterTag = Json::String(object, "RegisterTag");
}

void bUniqueGrid::Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    object.AddMember("GridOrigin_X", static_cast<double>(GridOrigin_X), allocator);
    object.AddMember("GridOrigin_Y", static_cast<double>(GridOrigin_Y), allocator);
    object.AddMember("TileSize", static_cast<double>(TileSize), allocator);
    object.AddMember("Columns", Columns, allocator);
    object.AddMember("Rows", Rows, allocator);
    object.AddMember("RegisterTag", rapidjson::Value(RegisterTag.c_str(), allocator), allocator);
}

void bUniqueGrid::Inspect()
{
    if (!ImGui::CollapsingHeader("Unique Grid Behaviour"))
        return;
    ImGui::DragFloat("X", &GridOrigin_X);
    ImGui::DragFloat("Y", &GridOrigin_Y);
    ImGui::DragFloat("Tile Size", &TileSize);
    int columns = static_cast<int>(Columns);
    if (ImGui::InputInt("Columns", &columns))
        Columns = columns < 0 ? 0 : static_cast<std::uint32_t>(columns);
    int rows = static_cast<int>(Rows);
    if (ImGui::InputInt("Rows", &rows))
        Rows = rows < 0 ? 0 : static_cast<std::uint32_t>(rows);
    ImGui::InputText("Register Tag", &RegisterTag);
}
