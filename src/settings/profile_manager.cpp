// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/profile_manager.h"

#include <utility>
#include <vector>

#include "core/unicode_text.h"
#include "settings/later_currency_choice.h"
#include "settings/symbol_list.h"
#include "settings/transfer_ini_file.h"

namespace kassavero {
namespace {

constexpr std::u32string_view kDefaultProfile = U"DefaultProfile";
constexpr std::u32string_view kEntriesValid = U"EntriesValid";
constexpr std::u32string_view kEuroSignInfoSeen = U"EuroCurrencySymbolInfoSeen";

bool SameName(std::u32string_view a, std::u32string_view b) {
    return a.size() == b.size() && LowerCase(a) == LowerCase(b);
}

// A profile name is a line of its own in the store and a menu entry: control
// characters, which a pasted text may bring along, become blanks. A backslash would make
// the profile a key inside another, which is no profile; it becomes a slash.
std::u32string CleanProfileName(std::u32string name) {
    for (char32_t& c : name) {
        if (c < 0x20)
            c = U' ';
        else if (c == U'\\')
            c = U'/';
    }
    return name;
}

}  // namespace

ProfileManager::ProfileManager(ActiveProfile& profile, Registry& store, const SystemInfo& system,
                               Translator& translator, MessageBoxes& messageBoxes,
                               NameInput& nameInput)
    : profile_(profile),
      store_(store),
      system_(system),
      translator_(translator),
      messageBoxes_(messageBoxes),
      nameInput_(nameInput),
      homeCurrency_(HomeCurrencyForLanguage(system.DefaultLanguageId())) {}

int ProfileManager::FindProfile(std::u32string_view name) const {
    const auto& names = profile_.ProfileNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (SameName(names[i], name))
            return static_cast<int>(i);
    }
    return -1;
}

bool ProfileManager::SectionListed(std::u32string_view section) {
    for (const auto& listed : store_.ReadSections()) {
        if (SameName(listed, section))
            return true;
    }
    return false;
}

void ProfileManager::Select(int position) {
    const auto count = static_cast<int>(profile_.ProfileNames().size());
    selected_ = position >= 0 && position < count ? position : -1;
}

void ProfileManager::NotifyListAndActive() {
    profile_.ProfileListCallback().Notify(profile_);
    profile_.ActiveProfileCallback().Notify(profile_);
}

void ProfileManager::LoadAtStartUp(std::u32string_view translationLanguage) {
    RegistryUpdate update(store_);

    std::vector<std::u32string> names;
    for (const auto& section : store_.ReadSections()) {
        // Only keys right below the root are profiles: "Profile A\Sub" is a key inside
        // one, left alone.
        if (section.starts_with(kProfileSectionPrefix) &&
            section.find(U'\\') == std::u32string::npos) {
            names.push_back(section.substr(kProfileSectionPrefix.size()));
        }
    }
    profile_.SetProfiles(std::move(names), -1);
    if (const auto stored = store_.ReadString(kGeneralSection, kDefaultProfile)) {
        profile_.SetActiveProfileIndex(FindProfile(*stored));
    }
    if (profile_.ActiveProfileIndex() < 0) {
        std::vector<std::u32string> list = profile_.ProfileNames();
        if (list.empty())
            list.push_back(translator_.TranslateKey("Unbenannt"));
        profile_.SetProfiles(std::move(list), 0);
    }
    selected_ = profile_.ActiveProfileIndex();

    ProfileSettings& settings = profile_.MutableSettings();
    SettingsToDefaults(settings, system_.DecimalSeparator(), system_.ThousandSeparator(),
                       homeCurrency_);
    TTransferIniFile file(store_);
    // Without the mark of an earlier start the profile is written with the defaults. A
    // profile that is stored all the same (the mark was lost from a damaged file) is
    // read instead of being written over.
    const bool firstStart = !store_.ValueExists(kGeneralSection, kEntriesValid) &&
                            !store_.SectionExists(ProfileSection(profile_.Name()));
    // A desktop of a country that joined the euro later starts with its own currency.
    if (firstStart) {
        ProposeLaterHomeCurrency(settings, system_.DefaultLanguageId(), translator_,
                                 system_.DecimalSeparator());
    }
    file.TransferProfile(firstStart, profile_.Name(), settings, system_.DecimalSeparator());
    if (!store_.ValueExists(kGeneralSection, kEntriesValid)) {
        store_.WriteString(kGeneralSection, kEntriesValid, U"1");
    }

    translationLanguage_ = LanguageNumberOfSectionName(translationLanguage);
    FillEmptySymbolLists();

    // Every Linux desktop shows the euro sign, so the check finds nothing to tell and
    // only records that it has run.
    bool euroSignInfoSeen = false;
    file.TransferBool(false, kGeneralSection, euroSignInfoSeen, kEuroSignInfoSeen);
    if (!euroSignInfoSeen)
        store_.WriteString(kGeneralSection, kEuroSignInfoSeen, U"1");
}

void ProfileManager::FillEmptySymbolLists() {
    ProfileSettings& settings = profile_.MutableSettings();
    const int systemLanguage = LanguageNumberOfLanguageId(system_.DefaultLanguageId());
    LanguageSet languages;
    languages.set(static_cast<std::size_t>(translationLanguage_));
    languages.set(static_cast<std::size_t>(systemLanguage));
    for (CurrencyIndex c = 0; c < kCurrencyCount; ++c) {
        if (settings.InputSymbolsFor[c].empty()) {
            DefaultCurrencySymbols(settings.InputSymbolsFor[c], c, languages, homeCurrency_,
                                   settings.CustomCurrencyName);
        }
    }
    if (settings.InputNonCurrencySymbols.empty()) {
        LanguageSet systemOnly;
        systemOnly.set(static_cast<std::size_t>(systemLanguage));
        DefaultNonCurrencySymbols(settings.InputNonCurrencySymbols, systemOnly);
    }
}

void ProfileManager::SaveProfileAs() {
    const auto& current = profile_.ProfileNames();
    const std::u32string proposed =
        selected_ >= 0 ? current[static_cast<std::size_t>(selected_)] : std::u32string();
    const auto typed = nameInput_.AskName(translator_.TranslateKey("Profilname"),
                                          translator_.TranslateKey("ProfilSpeichernAls"), proposed);
    if (!typed || typed->empty()) {
        NotifyListAndActive();
        return;
    }
    const std::u32string name = CleanProfileName(*typed);

    std::vector<std::u32string> names = current;
    if (const int existing = FindProfile(name); existing >= 0) {
        const std::u32string question =
            translator_.TranslateKey("WollenSieDasProfilXUeberschreiben1") + U"'" + name + U"'" +
            translator_.TranslateKey("WollenSieDasProfilXUeberschreiben2");
        if (messageBoxes_.ShowMessageBox(question, translator_.TranslateKey("ProfilSpeichern"),
                                         mb::kYesNoCancel | mb::kIconQuestion) != kIdYes) {
            NotifyListAndActive();
            return;
        }
        names.erase(names.begin() + existing);
    }
    names.push_back(name);
    const int position = static_cast<int>(names.size()) - 1;
    profile_.SetProfiles(std::move(names), position);
    selected_ = position;

    RegistryUpdate update(store_);
    store_.WriteString(kGeneralSection, kDefaultProfile, name);
    TTransferIniFile(store_).TransferProfile(true, name, profile_.MutableSettings(),
                                             system_.DecimalSeparator());
    update.Commit();
    NotifyListAndActive();
}

void ProfileManager::ActivateProfile(int position) {
    if (position < 0 || position >= static_cast<int>(profile_.ProfileNames().size()))
        return;
    profile_.SetActiveProfileIndex(position);
    selected_ = position;
    {
        RegistryUpdate update(store_);
        store_.WriteString(kGeneralSection, kDefaultProfile, profile_.Name());
        TTransferIniFile(store_).TransferProfile(false, profile_.Name(), profile_.MutableSettings(),
                                                 system_.DecimalSeparator());
    }
    FillEmptySymbolLists();
    if (readListener_)
        readListener_();
    profile_.ActiveProfileCallback().Notify(profile_);
}

void ProfileManager::DeleteSelectedProfile() {
    const bool hadActive = profile_.ActiveProfileIndex() >= 0;
    const std::u32string activeName = profile_.Name();
    std::vector<std::u32string> names = profile_.ProfileNames();

    if (selected_ >= 0) {
        const std::u32string name = names[static_cast<std::size_t>(selected_)];
        const std::u32string caption = translator_.TranslateKey("ProfilLoeschen");
        if (selected_ == profile_.ActiveProfileIndex()) {
            messageBoxes_.ShowMessageBox(
                translator_.TranslateKey("DasAktiveProfilKannNichtGeloeschtWerden"), caption,
                mb::kOk | mb::kIconInformation);
        } else {
            const std::u32string question =
                translator_.TranslateKey("WollenSieDasProfilXLoeschen1") + U"'" + name + U"'" +
                translator_.TranslateKey("WollenSieDasProfilXLoeschen2");
            if (messageBoxes_.ShowMessageBox(question, caption,
                                             mb::kYesNoCancel | mb::kIconQuestion) == kIdYes) {
                const std::u32string section = ProfileSection(name);
                // A section without values needs no store operation; an empty key that is
                // still listed would bring the profile back at the next start, though.
                if (store_.SectionExists(section) || SectionListed(section)) {
                    store_.EraseSection(section);
                }
                names.erase(names.begin() + selected_);
                selected_ = -1;
            }
        }
    }

    profile_.SetProfiles(std::move(names), -1);
    if (hadActive)
        profile_.SetActiveProfileIndex(FindProfile(activeName));
    NotifyListAndActive();
}

void ProfileManager::TransferActiveProfile(bool write) {
    if (profile_.ActiveProfileIndex() < 0)
        return;
    TTransferIniFile(store_).TransferProfile(write, profile_.Name(), profile_.MutableSettings(),
                                             system_.DecimalSeparator());
    if (write)
        return;
    FillEmptySymbolLists();
    if (readListener_)
        readListener_();
}

}  // namespace kassavero
