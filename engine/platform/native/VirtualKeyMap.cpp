#include "engine/platform/native/VirtualKeyMap.h"

#include <GLFW/glfw3.h>

static GlfwInput Keys(int first, int second = -1)
{
    GlfwInput input;
    input.device = GlfwInput::Device::Keyboard;
    input.codes[0] = first;
    input.count = 1;
    if (second >= 0)
    {
        input.codes[1] = second;
        input.count = 2;
    }
    return input;
}

static GlfwInput MouseButton(int button)
{
    GlfwInput input;
    input.device = GlfwInput::Device::Mouse;
    input.codes[0] = button;
    input.count = 1;
    return input;
}

GlfwInput GlfwInputForVirtualKey(int virtualKey)
{
    // Digits and letters share their codes with GLFW (both are ASCII).
    if ((virtualKey >= '1' && virtualKey <= '7') || (virtualKey >= 'A' && virtualKey <= 'Z'))
        return Keys(virtualKey);
    switch (virtualKey)
    {
    case 1: return MouseButton(GLFW_MOUSE_BUTTON_LEFT);
    case 2: return MouseButton(GLFW_MOUSE_BUTTON_RIGHT);
    case 4: return MouseButton(GLFW_MOUSE_BUTTON_MIDDLE);
    case 16: return Keys(GLFW_KEY_LEFT_SHIFT, GLFW_KEY_RIGHT_SHIFT);
    case 17: return Keys(GLFW_KEY_LEFT_CONTROL, GLFW_KEY_RIGHT_CONTROL);
    case 18: return Keys(GLFW_KEY_LEFT_ALT, GLFW_KEY_RIGHT_ALT);
    case 27: return Keys(GLFW_KEY_ESCAPE);
    case 32: return Keys(GLFW_KEY_SPACE);
    case 37: return Keys(GLFW_KEY_LEFT);
    case 38: return Keys(GLFW_KEY_UP);
    case 39: return Keys(GLFW_KEY_RIGHT);
    case 40: return Keys(GLFW_KEY_DOWN);
    case 46: return Keys(GLFW_KEY_DELETE);
    case 107: return Keys(GLFW_KEY_KP_ADD);
    case 109: return Keys(GLFW_KEY_KP_SUBTRACT);
    case 122: return Keys(GLFW_KEY_F11);
    case 160: return Keys(GLFW_KEY_LEFT_SHIFT);
    case 187: return Keys(GLFW_KEY_EQUAL);
    case 189: return Keys(GLFW_KEY_MINUS);
    default: return GlfwInput{};
    }
}
