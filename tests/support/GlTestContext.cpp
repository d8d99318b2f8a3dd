#include "support/GlTestContext.h"
#include "engine/platform/native/GraphicsDriver.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <string>

static std::string& LastGlfwError()
{
    static std::string text;
    return text;
}

GlTestContext& GlTestContext::Get()
{
    static GlTestContext context;
    if (!context.Ready())
        ADD_FAILURE() << "No OpenGL 4.5 core context: " << LastGlfwError();
    else
        glfwMakeContextCurrent(context.window);
    return context;
}

GlTestContext::GlTestContext()
{
    glfwSetErrorCallback([](int code, const char* description) {
        LastGlfwError() = "GLFW error " + std::to_string(code) + ": " + description;
    });
    if (glfwInit() != GLFW_TRUE)
        return;
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 5);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    window = glfwCreateWindow(1920, 1080, "Duskvane tests", nullptr, nullptr);
    if (window == nullptr)
        return;
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    const GLenum status = glewInit();
    if (status != GLEW_OK)
    {
        LastGlfwError() = std::string("GLEW: ") + reinterpret_cast<const char*>(glewGetErrorString(status));
        glfwDestroyWindow(window);
        window = nullptr;
        return;
    }
    KeepGraphicsDriverLoaded();
    // GLEW's probing may leave an error behind in a core context.
    while (glGetError() != GL_NO_ERROR)
    {
    }
}

GlTestContext::~GlTestContext()
{
    if (window != nullptr)
        glfwDestroyWindow(window);
    glfwTerminate();
}

unsigned int GlTestContext::TakeError()
{
    const GLenum first = glGetError();
    while (glGetError() != GL_NO_ERROR)
    {
    }
    return first;
}
