// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/transfer_ini_file.h"

#include "core/unicode_text.h"

#include "core/number_text.h"

namespace kassavero {

std::u32string ProfileSection(std::u32string_view profileName) {
    return std::u32string(kProfileSectionPrefix) + std::u32string(profileName);
}

void TTransferIniFile::TransferString(bool write, std::u32string_view section,
                                      std::u32string& value, std::u32string_view ident) {
    if (write) {
        store_.WriteString(section, ident, value);
    } else if (auto stored = store_.ReadString(section, ident)) {
        value = std::move(*stored);
    }
}

void TTransferIniFile::TransferBool(bool write, std::u32string_view section, bool& value,
                                    std::u32string_view ident) {
    std::u32string text = value ? U"1" : U"0";
    TransferString(write, section, text, ident);
    value = !(text.empty() || text == U"0");
}

void TTransferIniFile::TransferInt(bool write, std::u32string_view section, int& value,
                                   std::u32string_view ident) {
    std::u32string text = AsciiToText(std::to_string(value));
    TransferString(write, section, text, ident);
    value = ParseInt32(text).value_or(0);
}

void TTransferIniFile::TransferProfile(bool write, std::u32string_view profileName,
                                       ProfileSettings& settings, char32_t systemDecimalSeparator) {
    const std::u32string section = ProfileSection(profileName);
    RegistryUpdate update(store_);
    if (write) {
        // The section takes the name as it is spelt now, even when an older spelling of
        // it is stored; a name of the form "profile x" would otherwise not be listed as
        // a profile again.
        store_.RespellSection(section);
        for (const SettingKey& key : ProfileKeys()) {
            store_.WriteString(section, key.Name, key.Encode(settings, systemDecimalSeparator));
        }
        settings.RecomputeSymbolSets();
        return;
    }
    for (const SettingKey& key : ProfileKeys()) {
        const auto stored = store_.ReadString(section, key.Name);
        if (stored) {
            key.Decode(settings, *stored, systemDecimalSeparator);
        } else {
            key.Decode(settings,
                       key.WhenMissing != nullptr ? std::u32string(key.WhenMissing)
                                                  : key.Encode(settings, systemDecimalSeparator),
                       systemDecimalSeparator);
        }
    }
}

void TransferFormPosition(Registry& store, std::u32string_view section, std::u32string_view name,
                          FormPosition& window, bool write) {
    TTransferIniFile file(store);
    RegistryUpdate update(store);
    int left = window.Left();
    int top = window.Top();
    file.TransferInt(write, section, left, std::u32string(name) + U"XPos");
    file.TransferInt(write, section, top, std::u32string(name) + U"YPos");
    if (!write) {
        window.SetLeft(left);
        window.SetTop(top);
    }
}

}  // namespace kassavero
