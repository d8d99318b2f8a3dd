#include "engine/systems/BuiltInMeshes.h"
#include "engine/systems/GridSpec.h"

#include <GL/glew.h>

#include <cmath>

namespace
{
constexpr double CircleStep = 0.15707963267948966;
constexpr float RingStep = 0.15707964f;
constexpr int RingPoints = 40;

// 40 points from (1, 0), each the previous one turned by RingStep in single precision.
std::vector<float> RingPositions()
{
    std::vector<float> positions;
    const float c = std::cos(RingStep);
    const float s = std::sin(RingStep);
    float x = 1.0f;
    float y = 0.0f;
    for (int i = 0; i < RingPoints; ++i)
    {
        positions.push_back(x);
        positions.push_back(y);
        const float nextX = x * c - y * s;
        const float nextY = x * s + y * c;
        x = nextX;
        y = nextY;
    }
    return positions;
}

std::vector<float> Colours(const std::vector<std::pair<int, std::vector<float>>>& runs)
{
    std::vector<float> colours;
    for (const auto& [count, colour] : runs)
        for (int i = 0; i < count; ++i)
            colours.insert(colours.end(), colour.begin(), colour.end());
    return colours;
}

MeshGeometry Coloured(const char* name, std::uint32_t primitive, std::vector<float> positions,
                      const std::vector<std::pair<int, std::vector<float>>>& runs)
{
    MeshGeometry mesh;
    mesh.name = name;
    mesh.primitive = primitive;
    mesh.positions = std::move(positions);
    mesh.attribute = Colours(runs);
    mesh.attributeSize = 3;
    return mesh;
}

MeshGeometry Circle()
{
    MeshGeometry mesh;
    mesh.name = "circle";
    mesh.primitive = GL_TRIANGLE_FAN;
    mesh.positions = {0.0f, 0.0f};
    mesh.attribute = {0.5f, 0.5f};
    for (int i = 0; i <= RingPoints; ++i)
    {
        const double angle = static_cast<double>(i) * CircleStep;
        const float x = static_cast<float>(std::cos(angle));
        const float y = static_cast<float>(std::sin(angle));
        mesh.positions.push_back(x);
        mesh.positions.push_back(y);
        mesh.attribute.push_back((x + 1.0f) / 2.0f);
        mesh.attribute.push_back((y + 1.0f) / 2.0f);
    }
    // One texture coordinate more than there are vertices; it is never read.
    mesh.attribute.push_back(0.5f);
    mesh.attribute.push_back(0.5f);
    return mesh;
}

MeshGeometry Make(int index)
{
    const std::vector<float> white = {1.0f, 1.0f, 1.0f};
    const std::vector<float> red = {1.0f, 0.0f, 0.0f};
    const std::vector<float> green = {0.0f, 1.0f, 0.0f};
    const std::vector<float> blue = {0.0f, 0.0f, 1.0f};
    switch (index)
    {
    case 0:
    {
        MeshGeometry mesh;
        mesh.name = "triangle";
        mesh.primitive = GL_TRIANGLES;
        mesh.positions = {-1.0f, -1.0f, 1.0f, -1.0f, 0.0f, 1.0f};
        mesh.attribute = {0.0f, 0.0f, 1.0f, 0.0f, 0.5f, 1.0f};
        return mesh;
    }
    case 1:
    {
        MeshGeometry mesh;
        mesh.name = "square";
        mesh.primitive = GL_TRIANGLES;
        mesh.positions = {-1.0f, -1.0f, 1.0f, -1.0f, 1.0f, 1.0f, -1.0f, 1.0f};
        mesh.attribute = {0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f};
        mesh.indices = {0, 1, 2, 2, 3, 0};
        return mesh;
    }
    case 2:
        return Circle();
    case 3:
        return Coloured("debugsquare", GL_LINES,
                        {-1, -1, 1, -1, 1, -1, 1, 1, 1, 1, -1, 1, -1, 1, -1, -1}, {{8, green}});
    case 4:
        return Coloured("debugcircle", GL_LINE_LOOP, RingPositions(), {{RingPoints, {1.0f, 0.5f, 0.5f}}});
    case 5:
        return Coloured("velocityVector", GL_TRIANGLES, {0, 0, 0, 0.8f, 0.1f, 0.8f, 0, 1, -0.1f, 0.8f, 0, 0.8f},
                        {{6, white}});
    case 6:
        return Coloured("translationAxis", GL_TRIANGLES,
                        {0, 0, 0.7f, 0, 0.7f, -0.1f, 1, 0, 0.7f, 0.1f, 0.7f, 0, 0.2f, 0, 0.2f, 0.2f, 0, 0.2f, 0,
                         0.7f, 0.1f, 0.7f, 0, 1, -0.1f, 0.7f, 0, 0.7f},
                        {{6, red}, {3, blue}, {5, green}});
    case 7:
        return Coloured("rotationAxis", GL_TRIANGLES, RingPositions(), {{9, white}, {3, green}, {28, white}});
    default:
        return Coloured("scaleAxis", GL_TRIANGLES,
                        {0, 0, 0.8f, 0, 0.8f, -0.1f, 1, -0.1f, 1, 0.1f, 0.8f, 0.1f, 0.8f, 0, 0.2f, 0, 0.2f, 0.2f, 0,
                         0.2f, 0, 0.8f, 0.1f, 0.8f, 0.1f, 1, -0.1f, 1, -0.1f, 0.8f, 0, 0.8f},
                        {{7, red}, {3, blue}, {6, green}});
    }
}
}

MeshGeometry BuiltInMeshGeometry(int index)
{
    MeshGeometry mesh = Make(index);
    if (mesh.indices.empty())
        for (std::size_t i = 0; i < mesh.positions.size() / 2; ++i)
            mesh.indices.push_back(static_cast<std::uint16_t>(i));
    return mesh;
}

MeshRecord CreateMesh(const MeshGeometry& geometry)
{
    const GLsizeiptr positionBytes = static_cast<GLsizeiptr>(geometry.positions.size() * sizeof(float));
    const GLsizeiptr attributeBytes = static_cast<GLsizeiptr>(geometry.attribute.size() * sizeof(float));
    const GLsizeiptr indexBytes = static_cast<GLsizeiptr>(geometry.indices.size() * sizeof(std::uint16_t));

    GLuint buffers[2] = {0, 0};
    glCreateBuffers(2, buffers);
    glNamedBufferStorage(buffers[0], positionBytes + attributeBytes, nullptr, GL_DYNAMIC_STORAGE_BIT);
    glNamedBufferSubData(buffers[0], 0, positionBytes, geometry.positions.data());
    glNamedBufferSubData(buffers[0], positionBytes, attributeBytes, geometry.attribute.data());
    glNamedBufferStorage(buffers[1], indexBytes, nullptr, GL_DYNAMIC_STORAGE_BIT);
    glNamedBufferSubData(buffers[1], 0, indexBytes, geometry.indices.data());

    GLuint vertexArray = 0;
    glCreateVertexArrays(1, &vertexArray);
    glEnableVertexArrayAttrib(vertexArray, 0);
    glVertexArrayVertexBuffer(vertexArray, 0, buffers[0], 0, 2 * sizeof(float));
    glVertexArrayAttribFormat(vertexArray, 0, 2, GL_FLOAT, GL_FALSE, 0);
    glVertexArrayAttribBinding(vertexArray, 0, 0);

    const GLuint attribute = geometry.attributeSize == 2 ? 1 : 2;
    glEnableVertexArrayAttrib(vertexArray, attribute);
    glVertexArrayVertexBuffer(vertexArray, 1, buffers[0], positionBytes,
                              static_cast<GLsizei>(geometry.attributeSize * sizeof(float)));
    glVertexArrayAttribFormat(vertexArray, attribute, geometry.attributeSize, GL_FLOAT, GL_FALSE, 0);
    glVertexArrayAttribBinding(vertexArray, attribute, 1);
    glVertexArrayElementBuffer(vertexArray, buffers[1]);

    // The vertex array holds on to both buffers.
    glDeleteBuffers(2, buffers);

    MeshRecord record;
    record.name = geometry.name;
    record.primitive = geometry.primitive;
    record.vertexArray = vertexArray;
    record.indexCount = static_cast<int>(geometry.indices.size());
    return record;
}

std::vector<float> GridOutlineVertices(const GridSpec& grid)
{
    std::vector<float> vertices;
    const std::uint32_t cellWidth = grid.width / grid.columns;
    const std::uint32_t cellHeight = grid.height / grid.rows;
    const float w = static_cast<float>(cellWidth);
    const float h = static_cast<float>(cellHeight);
    vertices.reserve(static_cast<std::size_t>(grid.columns) * grid.rows * 16);
    for (std::uint32_t row = 0; row < grid.rows; ++row)
    {
        const float y0 = grid.originY + static_cast<float>(row * cellHeight);
        for (std::uint32_t column = 0; column < grid.columns; ++column)
        {
            const float x0 = grid.originX + static_cast<float>(column * cellWidth);
            const float corners[16] = {x0,     y0,     x0 + w, y0,     x0 + w, y0,     x0 + w, y0 + h,
                                       x0 + w, y0 + h, x0,     y0 + h, x0,     y0 + h, x0,     y0};
            vertices.insert(vertices.end(), std::begin(corners), std::end(corners));
        }
    }
    return vertices;
}
