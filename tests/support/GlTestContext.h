#pragma once

struct GLFWwindow;

// A real OpenGL 4.5 core context for tests: a hidden 1920 by 1080 GLFW window with GLEW
// loaded. Made once per test process on first use and current on the calling thread from
// then on; it lives until the process ends. Tests run under Xvfb (Mesa llvmpipe).
class GlTestContext
{
public:
    // The context, created on the first call. A context that cannot be made fails the
    // calling test with the GLFW or GLEW error.
    static GlTestContext& Get();
    // True once a context exists and is current.
    bool Ready() const { return window != nullptr; }
    GLFWwindow* Window() const { return window; }
    // Drains and returns the GL error queue's first error (GL_NO_ERROR when empty).
    static unsigned int TakeError();

    GlTestContext(const GlTestContext&) = delete;
    GlTestContext& operator=(const GlTestContext&) = delete;

private:
    GlTestContext();
    ~GlTestContext();

    GLFWwindow* window = nullptr;
};
