// SPDX-License-Identifier: GPL-3.0-or-later
#include "i18n/interface_language.h"

#include "i18n/translation.h"
#include "platform/private_profile_file.h"

namespace kassavero {
namespace {

constexpr std::u32string_view kGeneralSection = U"Allgemein";
constexpr std::u32string_view kLanguageKey = U"Sprache";

}  // namespace

FileInterfaceLanguages::FileInterfaceLanguages(std::filesystem::path translationFile,
                                               std::filesystem::path userFile)
    : translationFile_(std::move(translationFile)), userFile_(std::move(userFile)) {}

std::vector<std::u32string> FileInterfaceLanguages::Available() {
    PrivateProfileFile file(translationFile_);
    std::vector<std::u32string> sections;
    for (std::u32string& name : file.SectionNames()) {
        if (name != kGeneralSection && !name.empty())
            sections.push_back(std::move(name));
    }
    return sections;
}

std::u32string FileInterfaceLanguages::Chosen() {
    PrivateProfileFile user(userFile_);
    return user.ReadString(kGeneralSection, kLanguageKey, U"", Translation::kMaxSectionNameLength);
}

bool FileInterfaceLanguages::Choose(std::u32string_view section) {
    // The configuration folder exists: the program made it, private, at start-up.
    PrivateProfileFile user(userFile_);
    return user.WriteString(kGeneralSection, kLanguageKey, section) && user.Flush();
}

}  // namespace kassavero
