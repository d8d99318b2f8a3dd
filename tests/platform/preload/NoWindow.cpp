// Preloaded into build/duskvane by the entry's tests: window creation fails without GLFW
// reporting any reason, which no real driver can be made to do on demand.
#include <GLFW/glfw3.h>

extern "C" GLFWwindow* glfwCreateWindow(int, int, const char*, GLFWmonitor*, GLFWwindow*)
{
    return nullptr;
}
