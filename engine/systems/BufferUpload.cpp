#include "engine/systems/BufferUpload.h"

#include <GL/glew.h>

void UploadGrowing(std::uint32_t buffer, std::size_t& capacity, const void* data, std::size_t size)
{
    if (size == 0)
        return;
    if (size > capacity)
    {
        capacity = size + size / 2;
        glNamedBufferData(buffer, static_cast<GLsizeiptr>(capacity), nullptr, GL_DYNAMIC_DRAW);
    }
    glNamedBufferSubData(buffer, 0, static_cast<GLsizeiptr>(size), data);
}
