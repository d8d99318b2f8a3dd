#include "engine/systems/SpriteVertices.h"
#include "engine/systems/BuiltInMeshes.h"

#include <GL/glew.h>

#include <algorithm>

namespace
{
void Append(const MeshGeometry& mesh, std::size_t vertex, const Matrix3& m, const UvTransform& uv, std::vector<float>& out)
{
    const float x = mesh.positions[2 * vertex];
    const float y = mesh.positions[2 * vertex + 1];
    float u = 0.0f;
    float v = 0.0f;
    if (mesh.attributeSize == 2)
    {
        u = mesh.attribute[2 * vertex];
        v = mesh.attribute[2 * vertex + 1];
    }
    out.push_back(m.m[0] * x + m.m[3] * y + m.m[6]);
    out.push_back(m.m[1] * x + m.m[4] * y + m.m[7]);
    out.push_back(uv.offsetU + u * uv.scaleU);
    out.push_back(uv.offsetV + v * uv.scaleV);
}
}

int AppendMeshTriangles(const MeshGeometry& mesh, unsigned int count, const Matrix3& toWorld, const UvTransform& uv,
                        std::vector<float>& out)
{
    const std::size_t available = mesh.indices.size();
    const std::size_t used = std::min<std::size_t>(count, available);
    if (mesh.primitive == GL_TRIANGLES)
    {
        const std::size_t whole = used / 3 * 3;
        for (std::size_t k = 0; k < whole; ++k)
            Append(mesh, mesh.indices[k], toWorld, uv, out);
        return static_cast<int>(whole);
    }
    if (mesh.primitive == GL_TRIANGLE_FAN)
    {
        if (used < 3)
            return 0;
        for (std::size_t i = 1; i + 1 < used; ++i)
        {
            Append(mesh, mesh.indices[0], toWorld, uv, out);
            Append(mesh, mesh.indices[i], toWorld, uv, out);
            Append(mesh, mesh.indices[i + 1], toWorld, uv, out);
        }
        return static_cast<int>(3 * (used - 2));
    }
    return 0;
}

UvTransform SheetFrame(int index, float frameWidth, float frameHeight, int columns)
{
    const int perRow = std::max(columns, 1);
    const int frame = std::max(index, 0);
    UvTransform transform;
    transform.offsetU = static_cast<float>(frame % perRow) * frameWidth;
    transform.offsetV = 1.0f - static_cast<float>(frame / perRow + 1) * frameHeight;
    transform.scaleU = frameWidth;
    transform.scaleV = frameHeight;
    return transform;
}
