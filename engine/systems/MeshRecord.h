#pragma once
#include <cstdint>
#include <string>

// One built-in mesh on the GPU: its vertex array keeps its vertex and element buffers alive.
struct MeshRecord
{
    std::string name;
    std::uint32_t primitive = 0; // GLenum
    std::uint32_t vertexArray = 0;
    int indexCount = 0;
};
