// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/profile_manager.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/unicode_text.h"

#include <memory>

#include "fakes/fake_message_boxes.h"
#include "fakes/fake_name_input.h"
#include "fakes/fake_system_info.h"
#include "fakes/fake_translator.h"
#include "fakes/temp_dir.h"
#include "platform/registry_file.h"
#include "settings/transfer_ini_file.h"

namespace kassavero {
namespace {

using ::testing::ElementsAre;
using testing::FakeMessageBoxes;
using testing::FakeNameInput;
using testing::FakeSystemInfo;
using testing::FakeTranslator;
using testing::TempDir;

// One run of the program against the store in a temporary configuration directory.
class ProfileManagerTest : public ::testing::Test {
  protected:
    ProfileManagerTest() {
        translator_.texts = {{"Unbenannt", U"Ohne Namen"}};
        StartRun();
    }

    // A new run: fresh objects on the same store file, like a restart.
    void StartRun() {
        manager_.reset();
        profile_ = std::make_unique<ActiveProfile>();
        store_ = std::make_unique<RegistryFile>(temp_.Path() / U"Kassavero");
        manager_ = std::make_unique<ProfileManager>(*profile_, *store_, system_, translator_,
                                                    boxes_, nameInput_);
        listCalls_ = activeCalls_ = 0;
        profile_->ProfileListCallback().Set([this](ActiveProfile&) { ++listCalls_; });
        profile_->ActiveProfileCallback().Set([this](ActiveProfile& sender) {
            ++activeCalls_;
            checkedIndex_ = sender.ActiveProfileIndex();
        });
    }

    void Restart() {
        StartRun();
        manager_->LoadAtStartUp(U"Deutsch");
    }

    // Stores a profile section with one value, as an earlier run would have.
    void StoreProfile(const std::u32string& name, const std::u32string& key,
                      const std::u32string& value) {
        store_->WriteString(ProfileSection(name), key, value);
    }

    void SaveAs(const std::u32string& name) {
        nameInput_.answer = name;
        manager_->SaveProfileAs();
    }

    const std::vector<std::u32string>& Names() const { return profile_->ProfileNames(); }
    std::u32string Disk() const { return testing::ReadFileText(store_->FilePath()); }

    TempDir temp_;
    FakeSystemInfo system_;
    FakeTranslator translator_;
    FakeMessageBoxes boxes_;
    FakeNameInput nameInput_;
    std::unique_ptr<ActiveProfile> profile_;
    std::unique_ptr<RegistryFile> store_;
    std::unique_ptr<ProfileManager> manager_;
    int listCalls_ = 0;
    int activeCalls_ = 0;
    int checkedIndex_ = -99;
};

TEST_F(ProfileManagerTest, FirstStartOnAnEmptyStore) {
    manager_->LoadAtStartUp(U"Deutsch");

    EXPECT_THAT(Names(), ElementsAre(U"Ohne Namen"));
    EXPECT_EQ(profile_->ActiveProfileIndex(), 0);
    EXPECT_EQ(profile_->Name(), U"Ohne Namen");
    EXPECT_EQ(manager_->SelectedIndex(), 0);
    EXPECT_EQ(store_->WriteCount(), 1) << "the whole start-up is one write";
    EXPECT_TRUE(boxes_.shown.empty());

    ProfileSettings defaults;
    SettingsToDefaults(defaults, U',', U'.', kDEM);
    for (const auto& key : ProfileKeys()) {
        EXPECT_EQ(store_->ReadString(U"Profile Ohne Namen", key.Name), key.Encode(defaults, U','))
            << TextToUtf8(key.Name);
    }
    EXPECT_EQ(store_->ReadString(U"Profile Ohne Namen", U"InputSymbolsForDEM"), U"()");
    EXPECT_EQ(store_->ReadString(U"Profile Ohne Namen", U"InputNonCurrencySymbols"), U"()");
    EXPECT_EQ(store_->ReadString(U"General", U"EntriesValid"), U"1");
    EXPECT_EQ(store_->ReadString(U"General", U"EuroCurrencySymbolInfoSeen"), U"1");
    EXPECT_FALSE(store_->ValueExists(U"General", U"DefaultProfile"));

    // The live lists are filled with the defaults all the same.
    const auto& settings = profile_->Settings();
    ASSERT_FALSE(settings.InputSymbolsFor[kDEM].empty());
    EXPECT_EQ(settings.InputSymbolsFor[kDEM][0].Symbol, U"DEM");
    EXPECT_EQ(settings.InputSymbolsFor[kCUS1][0].Symbol, U"CUS1");
    EXPECT_EQ(settings.InputNonCurrencySymbols.back().Symbol, U"Stk");

    // The next start reads the profile, fills the lists again, and writes nothing.
    Restart();
    EXPECT_THAT(Names(), ElementsAre(U"Ohne Namen"));
    EXPECT_EQ(store_->WriteCount(), 0);
    EXPECT_EQ(profile_->Settings().InputSymbolsFor[kDEM][0].Symbol, U"DEM");
}

TEST_F(ProfileManagerTest, ProfilesAreTheSectionsThatBeginWithProfileAndABlank) {
    StoreProfile(U"B", U"OutputReplace", U"1");
    store_->WriteString(U"profile x", U"OutputReplace", U"1");
    store_->WriteString(U"Profiles", U"OutputReplace", U"1");
    StoreProfile(U"", U"OutputReplace", U"1");
    StoreProfile(U"A", U"OutputReplace", U"1");
    store_->WriteString(U"General", U"EntriesValid", U"1");
    Restart();
    EXPECT_THAT(Names(), ElementsAre(U"B", U"", U"A"));
    EXPECT_EQ(profile_->ActiveProfileIndex(), 0) << "no default profile: the first one";
}

TEST_F(ProfileManagerTest, ProfilesInAnyScriptAndKeysInsideAProfileSurviveStartAndSave) {
    // Names in Greek and Cyrillic are profiles like any other; a key inside a profile is not.
    const std::u32string kept[] = {
        U"[HKEY_CURRENT_USER\\Software\\Kassavero\\Profile \u0395\u03bb\u03bb\u03ac\u03b4\u03b1]\n"
        U"\"OutputReplace\"=\"1\"\n",
        U"[HKEY_CURRENT_USER\\Software\\Kassavero\\Profile \u0420\u043e\u0441\u0441\u0438\u044f]\n"
        U"\"OutputReplace\"=\"0\"\n",
        U"[HKEY_CURRENT_USER\\Software\\Kassavero\\Profile A\\Sub]\n\"Inner\"=\"x\"\n"};
    std::u32string file = U"REGEDIT4\n\n";
    for (const auto& section : kept)
        file += section + U"\n";
    file += U"[HKEY_CURRENT_USER\\Software\\Kassavero\\Profile A]\n\"OutputReplace\"=\"1\"\n";
    testing::WriteFileText(store_->FilePath(), file);

    Restart();  // writes the euro-sign mark
    EXPECT_THAT(Names(), ElementsAre(U"\u0395\u03bb\u03bb\u03ac\u03b4\u03b1",
                                     U"\u0420\u043e\u0441\u0441\u0438\u044f", U"A"));
    manager_->ActivateProfile(2);
    profile_->MutableSettings().CalculatorPrecision = 2;
    SaveAs(U"A");
    SaveAs(U"A\\B");
    EXPECT_THAT(Names(), ElementsAre(U"\u0395\u03bb\u03bb\u03ac\u03b4\u03b1",
                                     U"\u0420\u043e\u0441\u0441\u0438\u044f", U"A", U"A/B"));
    const std::u32string disk = Disk();
    for (const auto& section : kept)
        EXPECT_NE(disk.find(section), std::u32string::npos) << "lost or changed:\n"
                                                            << TextToUtf8(section);
    EXPECT_EQ(store_->ReadString(U"Profile A", U"CalculatorPrecision"), U"2");
}

TEST_F(ProfileManagerTest, TheDefaultProfileIsFoundInAnyLetterCase) {
    StoreProfile(U"Erste", U"CalculatorPrecision", U"0");
    StoreProfile(U"Zweite", U"CalculatorPrecision", U"2");
    store_->WriteString(U"General", U"EntriesValid", U"1");
    store_->WriteString(U"General", U"DefaultProfile", U"ZWEITE");
    Restart();
    EXPECT_EQ(profile_->ActiveProfileIndex(), 1);
    EXPECT_EQ(profile_->Settings().CalculatorPrecision, 2);

    // Its section deleted by hand: the first profile becomes active.
    store_->EraseSection(U"Profile Zweite");
    Restart();
    EXPECT_THAT(Names(), ElementsAre(U"Erste"));
    EXPECT_EQ(profile_->ActiveProfileIndex(), 0);
    EXPECT_EQ(profile_->Settings().CalculatorPrecision, 0);
}

TEST(FirstStart, ADesktopOfALaterEuroCountryStartsWithItsCurrency) {
    struct Case {
        std::uint16_t language;
        char32_t decimal, thousand;
        const char32_t* code;
        const char32_t* rate;
        int source;
    };
    const Case cases[] = {
        {0x0402, U',', U'\xA0', U"BGN", U"1,95583", kCUS1},  // bg_BG
        {0x041A, U',', U'.', U"HRK", U"7,53450", kCUS1},     // hr_HR
        {0x0808, U',', U'.', U"CYP", U"0,585274", kCUS1},    // el_CY
        {0x043A, U'.', U',', U"MTL", U"0.429300", kCUS1},    // mt_MT
        {0x081A, U',', U'.', U"", U"", -1},                  // sr_RS: as before
        {0x0407, U',', U'.', U"", U"", kDEM},                // de_DE: as before
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        TempDir temp;
        FakeSystemInfo system;
        system.languageId = c.language;
        system.decimal = c.decimal;
        system.thousand = c.thousand;
        FakeTranslator translator;
        FakeMessageBoxes boxes;
        FakeNameInput names;
        for (int run = 0; run < 2; ++run) {  // the first start, then a start that reads it
            ActiveProfile profile;
            RegistryFile store(temp.Path() / U"Kassavero");
            ProfileManager(profile, store, system, translator, boxes, names)
                .LoadAtStartUp(U"English");
            const ProfileSettings& s = profile.Settings();
            EXPECT_EQ(s.CustomCurrencySymbol[0], c.code);
            EXPECT_EQ(s.CustomCurrencyRate[0], c.rate);
            EXPECT_EQ(s.InputDefaultCurrency, c.source);
            EXPECT_EQ(s.OutputDefaultCurrency, kEUR);
            EXPECT_EQ(s.Output[kCUS1].ThousandSymbol, c.thousand);
            // Its own symbols, kept by the store, not the defaults of an empty slot.
            EXPECT_EQ(s.InputSymbolsFor[kCUS1].front().Symbol == U"CUS1", *c.code == U'\0');
        }
    }
}

TEST_F(ProfileManagerTest, AStoredProfileIsNotWrittenOverWhenTheStartMarkIsLost) {
    StoreProfile(U"Mein", U"OutputDEMDecimals", U"4");
    store_->WriteString(U"General", U"DefaultProfile", U"Mein");
    Restart();
    EXPECT_EQ(profile_->Settings().Output[kDEM].Decimals, 4);
    EXPECT_EQ(store_->ReadString(U"Profile Mein", U"OutputDEMDecimals"), U"4");
    EXPECT_FALSE(store_->ValueExists(U"Profile Mein", U"OutputReplace"));
    EXPECT_EQ(store_->ReadString(U"General", U"EntriesValid"), U"1");
}

TEST_F(ProfileManagerTest, DefaultListsFollowTheInterfaceAndTheSystemLanguage) {
    manager_->LoadAtStartUp(U"English");
    std::vector<std::u32string> dem;
    for (const auto& entry : profile_->Settings().InputSymbolsFor[kDEM])
        dem.push_back(entry.Symbol);
    EXPECT_THAT(dem, ElementsAre(U"DEM", U"deutsche Mark", U"German Marks", U"DM", U"Mark",
                                 U"Marks", U"Deutschmarks"));

    EXPECT_EQ(profile_->Settings().InputNonCurrencySymbols.back().Symbol, U"Stk");
}

TEST_F(ProfileManagerTest, TheNonCurrencyListFollowsTheSystemLanguageOnly) {
    system_.languageId = 0x0409;
    StartRun();
    manager_->LoadAtStartUp(U"Deutsch");
    EXPECT_EQ(profile_->Settings().InputNonCurrencySymbols.back().Symbol, U"m\xB3");
    std::vector<std::u32string> dem;
    for (const auto& entry : profile_->Settings().InputSymbolsFor[kDEM])
        dem.push_back(entry.Symbol);
    EXPECT_THAT(dem, ElementsAre(U"DEM", U"deutsche Mark", U"German Marks", U"DM", U"Mark",
                                 U"Marks", U"Deutschmarks"));
}

TEST_F(ProfileManagerTest, ActivatingReadsTheProfileOverTheCurrentValues) {
    manager_->LoadAtStartUp(U"Deutsch");
    SaveAs(U"Ohne Hotkey");
    profile_->MutableSettings().CalculatorHotkey = 0xC041;
    SaveAs(U"Mit Hotkey");
    // A profile stored without the calculator hotkey, say by an older version.
    StoreProfile(U"Alt", U"OutputReplace", U"1");
    Restart();
    profile_->MutableSettings().CalculatorHotkey = 0xC045;
    ASSERT_THAT(Names(), ElementsAre(U"Ohne Namen", U"Ohne Hotkey", U"Mit Hotkey", U"Alt"));
    listCalls_ = activeCalls_ = 0;

    manager_->ActivateProfile(3);
    EXPECT_EQ(profile_->Settings().CalculatorHotkey, 0xC045);
    EXPECT_TRUE(profile_->Settings().OutputReplace);
    EXPECT_EQ(store_->ReadString(U"General", U"DefaultProfile"), U"Alt");
    EXPECT_EQ(manager_->SelectedIndex(), 3);
    EXPECT_EQ(activeCalls_, 1);
    EXPECT_EQ(checkedIndex_, 3);
    EXPECT_EQ(listCalls_, 0);

    manager_->ActivateProfile(2);
    EXPECT_EQ(profile_->Settings().CalculatorHotkey, 0xC041);
    manager_->ActivateProfile(-1);
    manager_->ActivateProfile(4);
    EXPECT_EQ(profile_->ActiveProfileIndex(), 2);
    EXPECT_EQ(activeCalls_, 2);
}

TEST_F(ProfileManagerTest, SavingTheActiveProfileUnderItsOwnNameMovesItToTheEnd) {
    manager_->LoadAtStartUp(U"Deutsch");
    SaveAs(U"Zwei");
    manager_->ActivateProfile(0);
    listCalls_ = activeCalls_ = 0;
    profile_->MutableSettings().OutputReplace = true;

    SaveAs(U"Ohne Namen");
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(
        boxes_.shown[0].text,
        U"[WollenSieDasProfilXUeberschreiben1]'Ohne Namen'[WollenSieDasProfilXUeberschreiben2]");
    EXPECT_EQ(boxes_.shown[0].caption, U"[ProfilSpeichern]");
    EXPECT_EQ(boxes_.shown[0].flags, mb::kYesNoCancel | mb::kIconQuestion);
    EXPECT_THAT(Names(), ElementsAre(U"Zwei", U"Ohne Namen"));
    EXPECT_EQ(profile_->ActiveProfileIndex(), 1);
    EXPECT_EQ(manager_->SelectedIndex(), 1);
    EXPECT_EQ(listCalls_, 1);
    EXPECT_EQ(activeCalls_, 1);
    EXPECT_EQ(checkedIndex_, 1);
    EXPECT_EQ(store_->ReadString(U"Profile Ohne Namen", U"OutputReplace"), U"1");
}

TEST_F(ProfileManagerTest, SavingUnderANewNameWhileAnotherIsActive) {
    manager_->LoadAtStartUp(U"Deutsch");
    SaveAs(U"Alt");
    manager_->ActivateProfile(0);
    const auto before = store_->ReadString(U"Profile Alt", U"OutputReplace");
    const int writes = store_->WriteCount();
    manager_->Select(1);
    profile_->MutableSettings().OutputReplace = true;

    SaveAs(U"Neu");
    ASSERT_EQ(nameInput_.asked.size(), 2u);
    EXPECT_EQ(nameInput_.asked[1].caption, U"[Profilname]");
    EXPECT_EQ(nameInput_.asked[1].instruction, U"[ProfilSpeichernAls]");
    EXPECT_EQ(nameInput_.asked[1].proposed, U"Alt") << "the selected name is proposed";
    EXPECT_TRUE(boxes_.shown.empty());
    EXPECT_THAT(Names(), ElementsAre(U"Ohne Namen", U"Alt", U"Neu"));
    EXPECT_EQ(profile_->Name(), U"Neu");
    EXPECT_EQ(store_->WriteCount(), writes + 1) << "default profile and 283 values in one write";
    EXPECT_EQ(store_->ReadString(U"General", U"DefaultProfile"), U"Neu");
    EXPECT_EQ(store_->ReadString(U"Profile Neu", U"OutputReplace"), U"1");
    EXPECT_EQ(store_->ReadString(U"Profile Alt", U"OutputReplace"), before);

    Restart();
    EXPECT_EQ(profile_->Name(), U"Neu");
}

TEST_F(ProfileManagerTest, ANameInOtherLetterCaseOverwritesAndTakesTheNewSpelling) {
    manager_->LoadAtStartUp(U"Deutsch");
    SaveAs(U"Reise");
    manager_->ActivateProfile(0);
    profile_->MutableSettings().CalculatorPrecision = 3;

    SaveAs(U"REISE");
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0].text,
              U"[WollenSieDasProfilXUeberschreiben1]'REISE'[WollenSieDasProfilXUeberschreiben2]");
    EXPECT_THAT(Names(), ElementsAre(U"Ohne Namen", U"REISE"));
    EXPECT_EQ(store_->ReadString(U"Profile reise", U"CalculatorPrecision"), U"3");

    Restart();
    EXPECT_THAT(Names(), ElementsAre(U"Ohne Namen", U"REISE"));
    EXPECT_EQ(profile_->Name(), U"REISE");
    EXPECT_EQ(profile_->Settings().CalculatorPrecision, 3);
}

TEST_F(ProfileManagerTest, SavingThatIsRefusedOrCancelledChangesNothingButNotifies) {
    manager_->LoadAtStartUp(U"Deutsch");
    SaveAs(U"Zwei");
    const std::u32string disk = Disk();
    profile_->MutableSettings().OutputReplace = true;
    listCalls_ = activeCalls_ = 0;

    for (int answer : {kIdNo, kIdCancel}) {
        boxes_.answers.push_back(answer);
        SaveAs(U"zwei");
    }
    nameInput_.answer.reset();
    manager_->SaveProfileAs();
    SaveAs(U"");

    EXPECT_EQ(boxes_.shown.size(), 2u);
    EXPECT_THAT(Names(), ElementsAre(U"Ohne Namen", U"Zwei"));
    EXPECT_EQ(profile_->ActiveProfileIndex(), 1);
    EXPECT_EQ(Disk(), disk);
    EXPECT_EQ(listCalls_, 4);
    EXPECT_EQ(activeCalls_, 4);
}

TEST_F(ProfileManagerTest, DeletingAProfileListedBeforeTheActiveOne) {
    manager_->LoadAtStartUp(U"Deutsch");
    SaveAs(U"Zwei");
    SaveAs(U"Drei");
    manager_->Select(1);
    listCalls_ = activeCalls_ = 0;

    manager_->DeleteSelectedProfile();
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0].text,
              U"[WollenSieDasProfilXLoeschen1]'Zwei'[WollenSieDasProfilXLoeschen2]");
    EXPECT_EQ(boxes_.shown[0].caption, U"[ProfilLoeschen]");
    EXPECT_EQ(boxes_.shown[0].flags, mb::kYesNoCancel | mb::kIconQuestion);
    EXPECT_THAT(Names(), ElementsAre(U"Ohne Namen", U"Drei"));
    EXPECT_EQ(profile_->ActiveProfileIndex(), 1);
    EXPECT_EQ(checkedIndex_, 1) << "the tray's check mark stays on the active profile";
    EXPECT_EQ(manager_->SelectedIndex(), -1);
    EXPECT_EQ(listCalls_, 1);
    EXPECT_EQ(activeCalls_, 1);
    EXPECT_FALSE(store_->SectionExists(U"Profile Zwei"));

    Restart();
    EXPECT_THAT(Names(), ElementsAre(U"Ohne Namen", U"Drei"));
}

TEST_F(ProfileManagerTest, TheActiveProfileCannotBeDeletedAndNoIsNo) {
    manager_->LoadAtStartUp(U"Deutsch");
    SaveAs(U"Zwei");
    const std::u32string disk = Disk();
    listCalls_ = activeCalls_ = 0;

    manager_->Select(1);
    manager_->DeleteSelectedProfile();
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0].text, U"[DasAktiveProfilKannNichtGeloeschtWerden]");
    EXPECT_EQ(boxes_.shown[0].caption, U"[ProfilLoeschen]");
    EXPECT_EQ(boxes_.shown[0].flags, mb::kOk | mb::kIconInformation);

    manager_->Select(0);
    boxes_.answers.push_back(kIdNo);
    manager_->DeleteSelectedProfile();
    manager_->Select(-1);
    manager_->DeleteSelectedProfile();

    EXPECT_EQ(boxes_.shown.size(), 2u);
    EXPECT_THAT(Names(), ElementsAre(U"Ohne Namen", U"Zwei"));
    EXPECT_EQ(Disk(), disk);
    EXPECT_EQ(listCalls_, 3);
    EXPECT_EQ(activeCalls_, 3);
}

TEST_F(ProfileManagerTest, AProfileWithoutStoredValuesIsDeletedWithoutAStoreOperation) {
    StoreProfile(U"Weg", U"OutputReplace", U"1");
    StoreProfile(U"Bleibt", U"OutputReplace", U"1");
    store_->WriteString(U"General", U"DefaultProfile", U"Bleibt");
    store_->WriteString(U"General", U"EntriesValid", U"1");
    store_->WriteString(U"General", U"EuroCurrencySymbolInfoSeen", U"1");
    Restart();
    // Removed by hand while the program runs.
    RegistryFile(temp_.Path() / U"Kassavero").EraseSection(U"Profile Weg");
    const std::u32string disk = Disk();

    manager_->Select(0);
    manager_->DeleteSelectedProfile();
    EXPECT_THAT(Names(), ElementsAre(U"Bleibt"));
    EXPECT_EQ(store_->WriteCount(), 0);
    EXPECT_EQ(Disk(), disk);
}

TEST_F(ProfileManagerTest, AnEmptyKeyOfADeletedProfileDoesNotBringItBack) {
    testing::WriteFileText(store_->FilePath(),
                           U"REGEDIT4\n\n"
                           U"[HKEY_CURRENT_USER\\Software\\Kassavero\\General]\n"
                           U"\"EntriesValid\"=\"1\"\n\"DefaultProfile\"=\"Voll\"\n\n"
                           U"[HKEY_CURRENT_USER\\Software\\Kassavero\\Profile Leer]\n\n"
                           U"[HKEY_CURRENT_USER\\Software\\Kassavero\\Profile Voll]\n"
                           U"\"OutputReplace\"=\"1\"\n");
    Restart();
    ASSERT_THAT(Names(), ElementsAre(U"Leer", U"Voll"));
    manager_->Select(0);
    manager_->DeleteSelectedProfile();
    Restart();
    EXPECT_THAT(Names(), ElementsAre(U"Voll"));
}

TEST_F(ProfileManagerTest, CancelReadsTheStoredProfileBack) {
    manager_->LoadAtStartUp(U"Deutsch");
    profile_->MutableSettings().OutputReplace = true;
    manager_->TransferActiveProfile(false);
    EXPECT_FALSE(profile_->Settings().OutputReplace);
    profile_->MutableSettings().OutputReplace = true;
    manager_->TransferActiveProfile(true);
    EXPECT_EQ(store_->ReadString(U"Profile Ohne Namen", U"OutputReplace"), U"1");
}

TEST(NotificationSlots, HoldOneSubscriberAndCallInTheirOrder) {
    ActiveProfile profile;
    std::u32string calls;
    profile.SettingsChangedCallback(1).Set([&](ActiveProfile&) { calls += U"proposal "; });
    profile.HotkeysCallback().Set([&](ActiveProfile&) { calls += U"old "; });
    profile.HotkeysCallback().Set([&](ActiveProfile&) { calls += U"hotkeys "; });
    profile.SettingsChangedCallback(0).Set([&](ActiveProfile& sender) {
        calls += U"lists ";
        // A subscriber may leave its slot while it is being called.
        sender.SettingsChangedCallback(0).Clear();
    });
    profile.CalculatorLayoutCallback().Set([&](ActiveProfile&) { calls += U"layout "; });

    profile.NotifySettingsChanged();
    EXPECT_EQ(calls, U"lists layout proposal hotkeys ");
    EXPECT_FALSE(profile.SettingsChangedCallback(0).IsSet());
    profile.CalculatorLayoutCallback().Clear();
    calls.clear();
    profile.NotifySettingsChanged();
    EXPECT_EQ(calls, U"proposal hotkeys ");
}

}  // namespace
}  // namespace kassavero
