// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/hotkeys.h"

#include <gtest/gtest.h>

#include "core/unicode_text.h"

namespace kassavero {
namespace {

TEST(HotkeyCodeTest, HotkeyFieldsAlwaysAddCtrlAndAlt) {
    struct Case {
        HotkeyParts pressed;
        int code;
    };
    const Case cases[] = {
        {{'W', false, false, false}, 0xC057},  // a key alone
        {{'W', true, false, false}, 0xE057},   // Shift is kept
        {{'Z', false, true, false}, 0xC05A},   // Ctrl
        {{'Z', false, false, true}, 0xC05A},   // Alt
        {{'Z', true, true, false}, 0xE05A},    // Shift+Ctrl
        {{'Z', true, false, true}, 0xE05A},    // Shift+Alt
        {{0x70, false, true, true}, 0xC070},   // F1 with both already
        {{0, false, true, true}, 0},           // modifiers alone are no hotkey
        {{0x1FF, false, false, false}, 0},     // not a virtual-key code
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ForceCtrlAlt(c.pressed), c.code) << c.pressed.VirtualKey;
    }
    EXPECT_EQ(DecodeHotkey(49239), (HotkeyParts{'W', false, true, true}));
    EXPECT_EQ(EncodeHotkey(DecodeHotkey(0xE05A)), 0xE05A);
}

TEST(HotkeyCodeTest, VirtualKeysMapToKeysymsAndQtKeysAndBack) {
    struct Case {
        int vk;
        std::uint32_t keysym;
        int qtKey;
        bool keypad;
    };
    const Case cases[] = {
        {'W', 0x77, 'W', false},           {'0', 0x30, '0', false},
        {0x70, 0xFFBE, 0x01000030, false},  // F1
        {0x87, 0xFFD5, 0x01000047, false},  // F24
        {0x20, 0x20, 0x20, false},          // space
        {0x2E, 0xFFFF, 0x01000007, false},  // Delete
        {0x25, 0xFF51, 0x01000012, false},  // Left
        {0x60, 0xFFB0, '0', true},          // number pad 0
        {0x6B, 0xFFAB, '+', true},          // number pad +
        {0xBC, 0x2C, ',', false},           // comma key
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VirtualKeyToKeysym(c.vk), c.keysym) << c.vk;
        EXPECT_EQ(KeysymToVirtualKey(c.keysym), c.vk) << c.vk;
        bool keypad = !c.keypad;
        EXPECT_EQ(VirtualKeyToQtKey(c.vk, &keypad), c.qtKey) << c.vk;
        EXPECT_EQ(keypad, c.keypad) << c.vk;
        EXPECT_EQ(QtKeyToVirtualKey(c.qtKey, c.keypad), c.vk) << c.vk;
    }
    EXPECT_EQ(KeysymToVirtualKey('W'), 'W') << "upper-case keysyms";
    EXPECT_EQ(QtKeyToVirtualKey(0x01000005), 0x0D) << "Enter is Return";
    EXPECT_EQ(QtKeyToVirtualKey(0x01000020), 0) << "Shift alone";
    EXPECT_EQ(VirtualKeyToKeysym(0xFF), 0u);
}

}  // namespace
}  // namespace kassavero
