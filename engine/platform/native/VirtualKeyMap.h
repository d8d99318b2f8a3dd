#pragma once
#include <array>

// The GLFW keys or mouse buttons behind one Windows virtual-key code. A code that stands for
// either of two keys (Shift, Control, Alt) lists both; a code the engine never polls has none.
struct GlfwInput
{
    enum class Device
    {
        None,
        Keyboard,
        Mouse
    };
    Device device = Device::None;
    int count = 0;
    std::array<int, 2> codes = {0, 0};
};

// Maps the virtual-key codes the engine polls: 1, 2, 4 (left, right, middle mouse button),
// 27 Escape, 32 Space, 37-40 Left, Up, Right, Down, 49-55 '1'-'7', 65-90 'A'-'Z', 16 either
// Shift, 160 left Shift, 17 either Control, 18 either Alt, 122 F11, 107 and 109 keypad plus and
// minus, 187 '=', 189 '-', 46 Delete.
GlfwInput GlfwInputForVirtualKey(int virtualKey);
