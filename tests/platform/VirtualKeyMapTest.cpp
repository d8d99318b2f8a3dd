#include "engine/core/Coordinator.h"
#include "engine/platform/native/VirtualKeyMap.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>
#include <set>

namespace
{
using Device = GlfwInput::Device;

struct KeyCase
{
    int virtualKey;
    Device device;
    std::set<int> glfw;
};

const KeyCase Cases[] = {
    {1, Device::Mouse, {GLFW_MOUSE_BUTTON_LEFT}},
    {2, Device::Mouse, {GLFW_MOUSE_BUTTON_RIGHT}},
    {4, Device::Mouse, {GLFW_MOUSE_BUTTON_MIDDLE}},
    {27, Device::Keyboard, {GLFW_KEY_ESCAPE}},
    {32, Device::Keyboard, {GLFW_KEY_SPACE}},
    {37, Device::Keyboard, {GLFW_KEY_LEFT}},
    {38, Device::Keyboard, {GLFW_KEY_UP}},
    {39, Device::Keyboard, {GLFW_KEY_RIGHT}},
    {40, Device::Keyboard, {GLFW_KEY_DOWN}},
    {49, Device::Keyboard, {GLFW_KEY_1}},
    {55, Device::Keyboard, {GLFW_KEY_7}},
    {65, Device::Keyboard, {GLFW_KEY_A}},
    {87, Device::Keyboard, {GLFW_KEY_W}},
    {90, Device::Keyboard, {GLFW_KEY_Z}},
    {16, Device::Keyboard, {GLFW_KEY_LEFT_SHIFT, GLFW_KEY_RIGHT_SHIFT}},
    {160, Device::Keyboard, {GLFW_KEY_LEFT_SHIFT}},
    {17, Device::Keyboard, {GLFW_KEY_LEFT_CONTROL, GLFW_KEY_RIGHT_CONTROL}},
    {18, Device::Keyboard, {GLFW_KEY_LEFT_ALT, GLFW_KEY_RIGHT_ALT}},
    {122, Device::Keyboard, {GLFW_KEY_F11}},
    {107, Device::Keyboard, {GLFW_KEY_KP_ADD}},
    {109, Device::Keyboard, {GLFW_KEY_KP_SUBTRACT}},
    {187, Device::Keyboard, {GLFW_KEY_EQUAL}},
    {189, Device::Keyboard, {GLFW_KEY_MINUS}},
    {46, Device::Keyboard, {GLFW_KEY_DELETE}},
    // Never polled: Enter, '8', '0', 'a' as a code, the right Shift's own code, F12, 0.
    {13, Device::None, {}},
    {56, Device::None, {}},
    {48, Device::None, {}},
    {97, Device::None, {}},
    {161, Device::None, {}},
    {123, Device::None, {}},
    {0, Device::None, {}},
};

std::set<int> CodesOf(const GlfwInput& input)
{
    return std::set<int>(input.codes.begin(), input.codes.begin() + input.count);
}
}

TEST(VirtualKeyMap, MapsEachCodeToItsGlfwInputs)
{
    for (const KeyCase& c : Cases)
    {
        const GlfwInput input = GlfwInputForVirtualKey(c.virtualKey);
        EXPECT_EQ(input.device, c.device) << "code " << c.virtualKey;
        EXPECT_EQ(CodesOf(input), c.glfw) << "code " << c.virtualKey;
    }
}

TEST(VirtualKeyMap, EveryPolledCodeReachesItsOwnInput)
{
    // Every code the coordinator polls reaches some input, and no two codes share one except
    // the two Shift codes (left Shift is part of either Shift).
    std::set<std::pair<int, int>> seen;
    for (int code : Coordinator::KeyCodes)
    {
        const GlfwInput input = GlfwInputForVirtualKey(code);
        ASSERT_NE(input.device, Device::None) << "code " << code;
        for (int glfw : CodesOf(input))
        {
            const bool fresh = seen.insert({static_cast<int>(input.device), glfw}).second;
            EXPECT_TRUE(fresh || code == 16 || code == 160) << "code " << code;
        }
    }
}
