// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/hotkeys.h"

#include <array>

namespace kassavero {
namespace {

constexpr int kShift = 0x2000;
constexpr int kCtrl = 0x4000;
constexpr int kAlt = 0x8000;

// Qt key numbers (stable values of Qt::Key).
constexpr int kQtEscape = 0x01000000;
constexpr int kQtTab = 0x01000001;
constexpr int kQtBackspace = 0x01000003;
constexpr int kQtReturn = 0x01000004;
constexpr int kQtEnter = 0x01000005;
constexpr int kQtInsert = 0x01000006;
constexpr int kQtDelete = 0x01000007;
constexpr int kQtPause = 0x01000008;
constexpr int kQtPrint = 0x01000009;
constexpr int kQtHome = 0x01000010;
constexpr int kQtEnd = 0x01000011;
constexpr int kQtLeft = 0x01000012;
constexpr int kQtUp = 0x01000013;
constexpr int kQtRight = 0x01000014;
constexpr int kQtDown = 0x01000015;
constexpr int kQtPageUp = 0x01000016;
constexpr int kQtPageDown = 0x01000017;
constexpr int kQtF1 = 0x01000030;

struct KeyRow {
    int VirtualKey;
    std::uint32_t Keysym;
    int QtKey;
    bool Keypad;
};

// Keys outside the contiguous ranges handled in code. The punctuation rows are the
// US layout's meaning of the OEM keys.
constexpr std::array<KeyRow, 40> kKeys{{
    {0x08, 0xFF08, kQtBackspace, false}, {0x09, 0xFF09, kQtTab, false},
    {0x0D, 0xFF0D, kQtReturn, false},    {0x13, 0xFF13, kQtPause, false},
    {0x1B, 0xFF1B, kQtEscape, false},    {0x20, 0x0020, 0x20, false},
    {0x21, 0xFF55, kQtPageUp, false},    {0x22, 0xFF56, kQtPageDown, false},
    {0x23, 0xFF57, kQtEnd, false},       {0x24, 0xFF50, kQtHome, false},
    {0x25, 0xFF51, kQtLeft, false},      {0x26, 0xFF52, kQtUp, false},
    {0x27, 0xFF53, kQtRight, false},     {0x28, 0xFF54, kQtDown, false},
    {0x2C, 0xFF61, kQtPrint, false},     {0x2D, 0xFF63, kQtInsert, false},
    {0x2E, 0xFFFF, kQtDelete, false},    {0x60, 0xFFB0, 0x30, true},
    {0x61, 0xFFB1, 0x31, true},          {0x62, 0xFFB2, 0x32, true},
    {0x63, 0xFFB3, 0x33, true},          {0x64, 0xFFB4, 0x34, true},
    {0x65, 0xFFB5, 0x35, true},          {0x66, 0xFFB6, 0x36, true},
    {0x67, 0xFFB7, 0x37, true},          {0x68, 0xFFB8, 0x38, true},
    {0x69, 0xFFB9, 0x39, true},          {0x6A, 0xFFAA, 0x2A, true},
    {0x6B, 0xFFAB, 0x2B, true},          {0x6D, 0xFFAD, 0x2D, true},
    {0x6E, 0xFFAE, 0x2E, true},          {0x6F, 0xFFAF, 0x2F, true},
    {0xBA, 0x003B, 0x3B, false},         {0xBB, 0x003D, 0x3D, false},
    {0xBC, 0x002C, 0x2C, false},         {0xBD, 0x002D, 0x2D, false},
    {0xBE, 0x002E, 0x2E, false},         {0xBF, 0x002F, 0x2F, false},
    {0xC0, 0x0060, 0x60, false},         {0xDE, 0x0027, 0x27, false},
}};

bool IsLetter(int vk) {
    return vk >= 'A' && vk <= 'Z';
}
bool IsDigit(int vk) {
    return vk >= '0' && vk <= '9';
}
bool IsFunctionKey(int vk) {
    return vk >= 0x70 && vk <= 0x87;  // F1..F24
}

}  // namespace

HotkeyParts DecodeHotkey(int code) {
    return {code & 0xFF, (code & kShift) != 0, (code & kCtrl) != 0, (code & kAlt) != 0};
}

int EncodeHotkey(const HotkeyParts& parts) {
    return (parts.VirtualKey & 0xFF) | (parts.Shift ? kShift : 0) | (parts.Ctrl ? kCtrl : 0) |
           (parts.Alt ? kAlt : 0);
}

int ForceCtrlAlt(const HotkeyParts& pressed) {
    if (pressed.VirtualKey <= 0 || pressed.VirtualKey > 0xFF)
        return 0;
    HotkeyParts forced = pressed;
    forced.Ctrl = true;
    forced.Alt = true;
    return EncodeHotkey(forced);
}

std::uint32_t VirtualKeyToKeysym(int vk) {
    if (IsLetter(vk))
        return static_cast<std::uint32_t>(vk - 'A' + 'a');
    if (IsDigit(vk))
        return static_cast<std::uint32_t>(vk);
    if (IsFunctionKey(vk))
        return 0xFFBEu + static_cast<std::uint32_t>(vk - 0x70);
    for (const KeyRow& row : kKeys) {
        if (row.VirtualKey == vk)
            return row.Keysym;
    }
    return 0;
}

int KeysymToVirtualKey(std::uint32_t keysym) {
    if (keysym >= 'a' && keysym <= 'z')
        return static_cast<int>(keysym - 'a' + 'A');
    if ((keysym >= 'A' && keysym <= 'Z') || (keysym >= '0' && keysym <= '9'))
        return static_cast<int>(keysym);
    if (keysym >= 0xFFBE && keysym <= 0xFFD5)
        return 0x70 + static_cast<int>(keysym - 0xFFBE);
    if (keysym == 0xFF8D)  // the number pad's Enter
        return 0x0D;
    for (const KeyRow& row : kKeys) {
        if (row.Keysym == keysym)
            return row.VirtualKey;
    }
    return 0;
}

int VirtualKeyToQtKey(int vk, bool* keypad) {
    if (keypad != nullptr)
        *keypad = false;
    if (IsLetter(vk) || IsDigit(vk))
        return vk;
    if (IsFunctionKey(vk))
        return kQtF1 + (vk - 0x70);
    for (const KeyRow& row : kKeys) {
        if (row.VirtualKey == vk) {
            if (keypad != nullptr)
                *keypad = row.Keypad;
            return row.QtKey;
        }
    }
    return 0;
}

int QtKeyToVirtualKey(int qtKey, bool keypad) {
    if (qtKey >= 'a' && qtKey <= 'z')
        return qtKey - 'a' + 'A';
    if (qtKey >= 'A' && qtKey <= 'Z')
        return qtKey;
    if (IsDigit(qtKey) && !keypad)
        return qtKey;
    if (qtKey >= kQtF1 && qtKey < kQtF1 + 24)
        return 0x70 + (qtKey - kQtF1);
    if (qtKey == kQtEnter)
        return 0x0D;
    for (const KeyRow& row : kKeys) {
        if (row.QtKey == qtKey && row.Keypad == keypad)
            return row.VirtualKey;
    }
    // A key pressed on the number pad that has no number-pad code of its own.
    if (keypad) {
        for (const KeyRow& row : kKeys) {
            if (row.QtKey == qtKey)
                return row.VirtualKey;
        }
    }
    return 0;
}

}  // namespace kassavero
