#include "shell/hotkeys.h"

#include <array>

#include "platform/global_hotkeys.h"
#include "settings/profile_settings.h"

namespace kassavero {
namespace {

struct NamedKey {
    unsigned virtualKey;
    std::uint32_t keysym;
    const char* name;
};

// Keys other than letters, digits, function and keypad digit keys.
constexpr std::array<NamedKey, 33> kNamedKeys{{
    {0x08, 0xff08, "Backspace"}, {0x09, 0xff09, "Tab"},    {0x0D, 0xff0d, "Enter"},
    {0x13, 0xff13, "Pause"},     {0x1B, 0xff1b, "Esc"},    {0x20, 0x0020, "Space"},
    {0x21, 0xff55, "PgUp"},      {0x22, 0xff56, "PgDown"}, {0x23, 0xff57, "End"},
    {0x24, 0xff50, "Home"},      {0x25, 0xff51, "Left"},   {0x26, 0xff52, "Up"},
    {0x27, 0xff53, "Right"},     {0x28, 0xff54, "Down"},   {0x2D, 0xff63, "Ins"},
    {0x2E, 0xffff, "Del"},       {0x6A, 0xffaa, "Num *"},  {0x6B, 0xffab, "Num +"},
    {0x6D, 0xffad, "Num -"},     {0x6E, 0xffae, "Num ,"},  {0x6F, 0xffaf, "Num /"},
    {0xBA, 0x003b, ";"},         {0xBB, 0x003d, "="},      {0xBC, 0x002c, ","},
    {0xBD, 0x002d, "-"},         {0xBE, 0x002e, "."},      {0xBF, 0x002f, "/"},
    {0xC0, 0x0060, "`"},         {0xDB, 0x005b, "["},      {0xDC, 0x005c, "\\"},
    {0xDD, 0x005d, "]"},         {0xDE, 0x0027, "'"},      {0x91, 0xff14, "Scroll Lock"},
}};

const NamedKey* FindNamedKey(unsigned virtualKey) {
    for (const NamedKey& key : kNamedKeys) {
        if (key.virtualKey == virtualKey)
            return &key;
    }
    return nullptr;
}

}  // namespace

HotkeyCombination HotkeyFromShortcut(int shortcut) {
    HotkeyCombination combination;
    if (shortcut & kHotkeyShift)
        combination.modifiers |= hotkey_mod::kShift;
    if (shortcut & kHotkeyCtrl)
        combination.modifiers |= hotkey_mod::kControl;
    if (shortcut & kHotkeyAlt)
        combination.modifiers |= hotkey_mod::kAlt;
    combination.virtualKey = static_cast<unsigned>(shortcut) & 0xFFu;
    return combination;
}

std::uint32_t VirtualKeyToKeysym(unsigned virtualKey) {
    if ((virtualKey >= '0' && virtualKey <= '9'))
        return virtualKey;
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return virtualKey - 'A' + 'a';
    if (virtualKey >= 0x60 && virtualKey <= 0x69)  // keypad digits
        return 0xffb0 + (virtualKey - 0x60);
    if (virtualKey >= 0x70 && virtualKey <= 0x87)  // F1..F24
        return 0xffbe + (virtualKey - 0x70);
    const NamedKey* key = FindNamedKey(virtualKey);
    return key ? key->keysym : 0;
}

std::string VirtualKeyName(unsigned virtualKey) {
    if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z'))
        return std::string(1, static_cast<char>(virtualKey));
    if (virtualKey >= 0x60 && virtualKey <= 0x69)
        return "Num " + std::to_string(virtualKey - 0x60);
    if (virtualKey >= 0x70 && virtualKey <= 0x87)
        return "F" + std::to_string(virtualKey - 0x70 + 1);
    const NamedKey* key = FindNamedKey(virtualKey);
    return key ? key->name : std::string();
}

std::string ShortcutText(int shortcut, std::string_view ctrlName, std::string_view shiftName) {
    const std::string key = VirtualKeyName(static_cast<unsigned>(shortcut) & 0xFFu);
    if (key.empty())
        return {};
    std::string text;
    if (shortcut & kHotkeyCtrl)
        text.append(ctrlName).append("+");
    if (shortcut & kHotkeyAlt)
        text += "Alt+";
    if (shortcut & kHotkeyShift)
        text.append(shiftName).append("+");
    return text + key;
}

}  // namespace kassavero
