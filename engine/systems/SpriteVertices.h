#pragma once
#include "engine/components/Matrix3.h"

#include <vector>

struct MeshGeometry;

// Maps a mesh's texture coordinates into part of a texture: uv' = offset + uv x scale. A
// spritesheet frame is its corner and size in the sheet; a tiled texture repeats `scale` times.
struct UvTransform
{
    float offsetU = 0.0f;
    float offsetV = 0.0f;
    float scaleU = 1.0f;
    float scaleV = 1.0f;
};

// Appends the triangles that drawing the mesh with `count` of its indices would draw, as a
// triangle list of (x, y, u, v) vertices: positions through the model matrix (world units),
// texture coordinates through the transform. A triangle list takes its whole triangles among the
// first `count` indices; a fan takes its first `count` vertices; other primitives give nothing,
// and so do meshes without texture coordinates but with a colour, whose vertices all read (0, 0).
// Returns the number of vertices appended.
int AppendMeshTriangles(const MeshGeometry& mesh, unsigned int count, const Matrix3& toWorld, const UvTransform& uv,
                        std::vector<float>& out);

// The corner and size of frame `index` in a sheet of frames `frameWidth` by `frameHeight` (as
// shares of the sheet) laid out in rows of `columns` from the sheet's top left; textures are
// stored bottom row first.
UvTransform SheetFrame(int index, float frameWidth, float frameHeight, int columns);
