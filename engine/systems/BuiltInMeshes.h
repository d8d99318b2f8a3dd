#pragma once
#include "engine/systems/MeshRecord.h"

#include <cstdint>
#include <string>
#include <vector>

class GridSpec;

// The nine meshes that a Renderer's "modelID" indexes, as client-side data: "triangle",
// "square", "circle" (textured), "debugsquare", "debugcircle", "velocityVector",
// "translationAxis", "rotationAxis" and "scaleAxis" (coloured). Positions span -1 to 1.
struct MeshGeometry
{
    std::string name;
    std::uint32_t primitive = 0;   // GLenum
    std::vector<float> positions;  // x, y per vertex
    std::vector<float> attribute;  // texture coordinates (2 floats) or colours (3 floats)
    int attributeSize = 2;         // 2: texture coordinates (attribute 1); 3: colours (attribute 2)
    std::vector<std::uint16_t> indices;
};

inline constexpr int BuiltInMeshCount = 9;

// The geometry of mesh `index` (0 to 8).
MeshGeometry BuiltInMeshGeometry(int index);

// Uploads one mesh: one buffer with the positions followed by the second attribute, and the
// indices; the buffers are released at once and live on in the vertex array. Needs a GL context.
MeshRecord CreateMesh(const MeshGeometry& geometry);

// The outline of every cell of the grid as line pairs (8 vertices per cell), row by row from the
// grid's origin upwards, each row from left to right: x, y per vertex.
std::vector<float> GridOutlineVertices(const GridSpec& grid);
