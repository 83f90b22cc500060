// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/transfer_ini_file.h"

#include "core/number_text.h"

namespace kassavero {

std::string ProfileSection(std::string_view profileName) {
    return std::string(kProfileSectionPrefix) + std::string(profileName);
}

void TTransferIniFile::TransferString(bool write, std::string_view section, std::string& value,
                                      std::string_view ident) {
    if (write) {
        store_.WriteString(section, ident, value);
    } else if (auto stored = store_.ReadString(section, ident)) {
        value = std::move(*stored);
    }
}

void TTransferIniFile::TransferBool(bool write, std::string_view section, bool& value,
                                    std::string_view ident) {
    std::string text = value ? "1" : "0";
    TransferString(write, section, text, ident);
    value = !(text.empty() || text == "0");
}

void TTransferIniFile::TransferInt(bool write, std::string_view section, int& value,
                                   std::string_view ident) {
    std::string text = std::to_string(value);
    TransferString(write, section, text, ident);
    value = ParseInt32(text).value_or(0);
}

void TTransferIniFile::TransferProfile(bool write, std::string_view profileName,
                                       ProfileSettings& settings, char systemDecimalSeparator) {
    const std::string section = ProfileSection(profileName);
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
                       key.WhenMissing != nullptr ? std::string(key.WhenMissing)
                                                  : key.Encode(settings, systemDecimalSeparator),
                       systemDecimalSeparator);
        }
    }
}

void TransferFormPosition(Registry& store, std::string_view section, std::string_view name,
                          FormPosition& window, bool write) {
    TTransferIniFile file(store);
    RegistryUpdate update(store);
    int left = window.Left();
    int top = window.Top();
    file.TransferInt(write, section, left, std::string(name) + "XPos");
    file.TransferInt(write, section, top, std::string(name) + "YPos");
    if (!write) {
        window.SetLeft(left);
        window.SetTop(top);
    }
}

}  // namespace kassavero
