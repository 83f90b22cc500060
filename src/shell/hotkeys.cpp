#include "shell/hotkeys.h"

#include <array>

#include "platform/global_hotkeys.h"
#include "settings/hotkey_code.h"

namespace kassavero {
namespace {

struct NamedKey {
    unsigned virtualKey;
    const char* name;
};

// Keys other than letters, digits, function and keypad digit keys.
constexpr std::array<NamedKey, 33> kNamedKeys{{
    {0x08, "Backspace"}, {0x09, "Tab"},   {0x0D, "Enter"},       {0x13, "Pause"}, {0x1B, "Esc"},
    {0x20, "Space"},     {0x21, "PgUp"},  {0x22, "PgDown"},      {0x23, "End"},   {0x24, "Home"},
    {0x25, "Left"},      {0x26, "Up"},    {0x27, "Right"},       {0x28, "Down"},  {0x2D, "Ins"},
    {0x2E, "Del"},       {0x6A, "Num *"}, {0x6B, "Num +"},       {0x6D, "Num -"}, {0x6E, "Num ,"},
    {0x6F, "Num /"},     {0xBA, ";"},     {0xBB, "="},           {0xBC, ","},     {0xBD, "-"},
    {0xBE, "."},         {0xBF, "/"},     {0xC0, "`"},           {0xDB, "["},     {0xDC, "\\"},
    {0xDD, "]"},         {0xDE, "'"},     {0x91, "Scroll Lock"},
}};

}  // namespace

HotkeyCombination HotkeyFromShortcut(int shortcut) {
    const HotkeyParts parts = DecodeHotkey(shortcut);
    HotkeyCombination combination;
    if (parts.Shift)
        combination.modifiers |= hotkey_mod::kShift;
    if (parts.Ctrl)
        combination.modifiers |= hotkey_mod::kControl;
    if (parts.Alt)
        combination.modifiers |= hotkey_mod::kAlt;
    combination.virtualKey = static_cast<unsigned>(parts.VirtualKey);
    return combination;
}

std::string VirtualKeyName(unsigned virtualKey) {
    if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z'))
        return std::string(1, static_cast<char>(virtualKey));
    if (virtualKey >= 0x60 && virtualKey <= 0x69)
        return "Num " + std::to_string(virtualKey - 0x60);
    if (virtualKey >= 0x70 && virtualKey <= 0x87)
        return "F" + std::to_string(virtualKey - 0x70 + 1);
    for (const NamedKey& key : kNamedKeys) {
        if (key.virtualKey == virtualKey)
            return key.name;
    }
    return {};
}

std::string ShortcutText(int shortcut, std::string_view ctrlName, std::string_view shiftName) {
    const HotkeyParts parts = DecodeHotkey(shortcut);
    const std::string key = VirtualKeyName(static_cast<unsigned>(parts.VirtualKey));
    if (key.empty())
        return {};
    std::string text;
    if (parts.Ctrl)
        text.append(ctrlName).append("+");
    if (parts.Alt)
        text += "Alt+";
    if (parts.Shift)
        text.append(shiftName).append("+");
    return text + key;
}

}  // namespace kassavero
