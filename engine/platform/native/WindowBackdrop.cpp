#include "engine/platform/native/WindowBackdrop.h"

#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3.h>
#include <GLFW/glfw3native.h>

void PaintWindowBackdrop(GLFWwindow* window)
{
    if (window == nullptr)
        return;
    Display* display = glfwGetX11Display();
    const Window handle = glfwGetX11Window(window);
    if (display == nullptr || handle == 0)
        return;
    int width = 0;
    int height = 0;
    glfwGetWindowSize(window, &width, &height);
    if (width <= 0 || height <= 0)
        return;
    const GC context = XCreateGC(display, handle, 0, nullptr);
    XSetForeground(display, context, BlackPixel(display, DefaultScreen(display)));
    XFillRectangle(display, handle, context, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XFreeGC(display, context);
    XFlush(display);
}
