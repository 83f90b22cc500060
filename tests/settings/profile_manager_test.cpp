// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/profile_manager.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

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
        translator_.texts = {{"Unbenannt", "Ohne Namen"}};
        StartRun();
    }

    // A new run: fresh objects on the same store file, like a restart.
    void StartRun() {
        manager_.reset();
        profile_ = std::make_unique<ActiveProfile>();
        store_ = std::make_unique<RegistryFile>(temp_.Path() / "Kassavero");
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
        manager_->LoadAtStartUp("Deutsch");
    }

    // Stores a profile section with one value, as an earlier run would have.
    void StoreProfile(const std::string& name, const std::string& key, const std::string& value) {
        store_->WriteString(ProfileSection(name), key, value);
    }

    void SaveAs(const std::string& name) {
        nameInput_.answer = name;
        manager_->SaveProfileAs();
    }

    const std::vector<std::string>& Names() const { return profile_->ProfileNames(); }
    std::string Disk() const { return testing::ReadFileBytes(store_->FilePath()); }

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
    manager_->LoadAtStartUp("Deutsch");

    EXPECT_THAT(Names(), ElementsAre("Ohne Namen"));
    EXPECT_EQ(profile_->ActiveProfileIndex(), 0);
    EXPECT_EQ(profile_->Name(), "Ohne Namen");
    EXPECT_EQ(manager_->SelectedIndex(), 0);
    EXPECT_EQ(store_->WriteCount(), 1) << "the whole start-up is one write";
    EXPECT_TRUE(boxes_.shown.empty());

    ProfileSettings defaults;
    SettingsToDefaults(defaults, ',', '.', kDEM);
    for (const auto& key : ProfileKeys()) {
        EXPECT_EQ(store_->ReadString("Profile Ohne Namen", key.Name), key.Encode(defaults, ','))
            << key.Name;
    }
    EXPECT_EQ(store_->ReadString("Profile Ohne Namen", "InputSymbolsForDEM"), "()");
    EXPECT_EQ(store_->ReadString("Profile Ohne Namen", "InputNonCurrencySymbols"), "()");
    EXPECT_EQ(store_->ReadString("General", "EntriesValid"), "1");
    EXPECT_EQ(store_->ReadString("General", "EuroCurrencySymbolInfoSeen"), "1");
    EXPECT_FALSE(store_->ValueExists("General", "DefaultProfile"));

    // The live lists are filled with the defaults all the same.
    const auto& settings = profile_->Settings();
    ASSERT_FALSE(settings.InputSymbolsFor[kDEM].empty());
    EXPECT_EQ(settings.InputSymbolsFor[kDEM][0].Symbol, "DEM");
    EXPECT_EQ(settings.InputSymbolsFor[kCUS1][0].Symbol, "CUS1");
    EXPECT_EQ(settings.InputNonCurrencySymbols.back().Symbol, "Stk");

    // The next start reads the profile, fills the lists again, and writes nothing.
    Restart();
    EXPECT_THAT(Names(), ElementsAre("Ohne Namen"));
    EXPECT_EQ(store_->WriteCount(), 0);
    EXPECT_EQ(profile_->Settings().InputSymbolsFor[kDEM][0].Symbol, "DEM");
}

TEST_F(ProfileManagerTest, ProfilesAreTheSectionsThatBeginWithProfileAndABlank) {
    StoreProfile("B", "OutputReplace", "1");
    store_->WriteString("profile x", "OutputReplace", "1");
    store_->WriteString("Profiles", "OutputReplace", "1");
    StoreProfile("", "OutputReplace", "1");
    StoreProfile("A", "OutputReplace", "1");
    store_->WriteString("General", "EntriesValid", "1");
    Restart();
    EXPECT_THAT(Names(), ElementsAre("B", "", "A"));
    EXPECT_EQ(profile_->ActiveProfileIndex(), 0) << "no default profile: the first one";
}

TEST_F(ProfileManagerTest, KeysThatAreNoProfileOfOursSurviveStartAndSave) {
    // Names the program cannot hold in Windows-1252, and a key inside a profile.
    const std::string kept[] = {
        "[HKEY_CURRENT_USER\\Software\\Kassavero\\Profile \u0395\u03bb\u03bb\u03ac\u03b4\u03b1]\n"
        "\"OutputReplace\"=\"1\"\n",
        "[HKEY_CURRENT_USER\\Software\\Kassavero\\Profile \u0420\u043e\u0441\u0441\u0438\u044f]\n"
        "\"OutputReplace\"=\"0\"\n",
        "[HKEY_CURRENT_USER\\Software\\Kassavero\\Profile A\\Sub]\n\"Inner\"=\"x\"\n"};
    std::string file = "REGEDIT4\n\n";
    for (const auto& section : kept)
        file += section + "\n";
    file += "[HKEY_CURRENT_USER\\Software\\Kassavero\\Profile A]\n\"OutputReplace\"=\"1\"\n";
    testing::WriteFileBytes(store_->FilePath(), file);

    Restart();  // writes the euro-sign mark
    EXPECT_THAT(Names(), ElementsAre("A"));
    profile_->MutableSettings().CalculatorPrecision = 2;
    SaveAs("A");
    SaveAs("A\\B");
    EXPECT_THAT(Names(), ElementsAre("A", "A/B"));
    const std::string disk = Disk();
    for (const auto& section : kept)
        EXPECT_NE(disk.find(section), std::string::npos) << "lost or changed:\n" << section;
    EXPECT_EQ(store_->ReadString("Profile A", "CalculatorPrecision"), "2");
}

TEST_F(ProfileManagerTest, TheDefaultProfileIsFoundInAnyLetterCase) {
    StoreProfile("Erste", "CalculatorPrecision", "0");
    StoreProfile("Zweite", "CalculatorPrecision", "2");
    store_->WriteString("General", "EntriesValid", "1");
    store_->WriteString("General", "DefaultProfile", "ZWEITE");
    Restart();
    EXPECT_EQ(profile_->ActiveProfileIndex(), 1);
    EXPECT_EQ(profile_->Settings().CalculatorPrecision, 2);

    // Its section deleted by hand: the first profile becomes active.
    store_->EraseSection("Profile Zweite");
    Restart();
    EXPECT_THAT(Names(), ElementsAre("Erste"));
    EXPECT_EQ(profile_->ActiveProfileIndex(), 0);
    EXPECT_EQ(profile_->Settings().CalculatorPrecision, 0);
}

TEST(FirstStart, ADesktopOfALaterEuroCountryStartsWithItsCurrency) {
    struct Case {
        std::uint16_t language;
        char decimal, thousand;
        const char* code;
        const char* rate;
        int source;
    };
    const Case cases[] = {
        {0x0402, ',', '\xA0', "BGN", "1,95583", kCUS1},  // bg_BG
        {0x041A, ',', '.', "HRK", "7,53450", kCUS1},     // hr_HR
        {0x0808, ',', '.', "CYP", "0,585274", kCUS1},    // el_CY
        {0x043A, '.', ',', "MTL", "0.429300", kCUS1},    // mt_MT
        {0x081A, ',', '.', "", "", -1},                  // sr_RS: as before
        {0x0407, ',', '.', "", "", kDEM},                // de_DE: as before
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
            RegistryFile store(temp.Path() / "Kassavero");
            ProfileManager(profile, store, system, translator, boxes, names)
                .LoadAtStartUp("English");
            const ProfileSettings& s = profile.Settings();
            EXPECT_EQ(s.CustomCurrencySymbol[0], c.code);
            EXPECT_EQ(s.CustomCurrencyRate[0], c.rate);
            EXPECT_EQ(s.InputDefaultCurrency, c.source);
            EXPECT_EQ(s.OutputDefaultCurrency, kEUR);
            EXPECT_EQ(s.Output[kCUS1].ThousandSymbol, c.thousand);
            // Its own symbols, kept by the store, not the defaults of an empty slot.
            EXPECT_EQ(s.InputSymbolsFor[kCUS1].front().Symbol == "CUS1", *c.code == '\0');
        }
    }
}

TEST_F(ProfileManagerTest, AStoredProfileIsNotWrittenOverWhenTheStartMarkIsLost) {
    StoreProfile("Mein", "OutputDEMDecimals", "4");
    store_->WriteString("General", "DefaultProfile", "Mein");
    Restart();
    EXPECT_EQ(profile_->Settings().Output[kDEM].Decimals, 4);
    EXPECT_EQ(store_->ReadString("Profile Mein", "OutputDEMDecimals"), "4");
    EXPECT_FALSE(store_->ValueExists("Profile Mein", "OutputReplace"));
    EXPECT_EQ(store_->ReadString("General", "EntriesValid"), "1");
}

TEST_F(ProfileManagerTest, DefaultListsFollowTheInterfaceAndTheSystemLanguage) {
    manager_->LoadAtStartUp("English");
    std::vector<std::string> dem;
    for (const auto& entry : profile_->Settings().InputSymbolsFor[kDEM])
        dem.push_back(entry.Symbol);
    EXPECT_THAT(dem, ElementsAre("DEM", "deutsche Mark", "German Marks", "DM", "Mark", "Marks",
                                 "Deutschmarks"));

    EXPECT_EQ(profile_->Settings().InputNonCurrencySymbols.back().Symbol, "Stk");
}

TEST_F(ProfileManagerTest, TheNonCurrencyListFollowsTheSystemLanguageOnly) {
    system_.languageId = 0x0409;
    StartRun();
    manager_->LoadAtStartUp("Deutsch");
    EXPECT_EQ(profile_->Settings().InputNonCurrencySymbols.back().Symbol, "m\xB3");
    std::vector<std::string> dem;
    for (const auto& entry : profile_->Settings().InputSymbolsFor[kDEM])
        dem.push_back(entry.Symbol);
    EXPECT_THAT(dem, ElementsAre("DEM", "deutsche Mark", "German Marks", "DM", "Mark", "Marks",
                                 "Deutschmarks"));
}

TEST_F(ProfileManagerTest, ActivatingReadsTheProfileOverTheCurrentValues) {
    manager_->LoadAtStartUp("Deutsch");
    SaveAs("Ohne Hotkey");
    profile_->MutableSettings().CalculatorHotkey = 0xC041;
    SaveAs("Mit Hotkey");
    // A profile stored without the calculator hotkey, say by an older version.
    StoreProfile("Alt", "OutputReplace", "1");
    Restart();
    profile_->MutableSettings().CalculatorHotkey = 0xC045;
    ASSERT_THAT(Names(), ElementsAre("Ohne Namen", "Ohne Hotkey", "Mit Hotkey", "Alt"));
    listCalls_ = activeCalls_ = 0;

    manager_->ActivateProfile(3);
    EXPECT_EQ(profile_->Settings().CalculatorHotkey, 0xC045);
    EXPECT_TRUE(profile_->Settings().OutputReplace);
    EXPECT_EQ(store_->ReadString("General", "DefaultProfile"), "Alt");
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
    manager_->LoadAtStartUp("Deutsch");
    SaveAs("Zwei");
    manager_->ActivateProfile(0);
    listCalls_ = activeCalls_ = 0;
    profile_->MutableSettings().OutputReplace = true;

    SaveAs("Ohne Namen");
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(
        boxes_.shown[0].text,
        "[WollenSieDasProfilXUeberschreiben1]'Ohne Namen'[WollenSieDasProfilXUeberschreiben2]");
    EXPECT_EQ(boxes_.shown[0].caption, "[ProfilSpeichern]");
    EXPECT_EQ(boxes_.shown[0].flags, mb::kYesNoCancel | mb::kIconQuestion);
    EXPECT_THAT(Names(), ElementsAre("Zwei", "Ohne Namen"));
    EXPECT_EQ(profile_->ActiveProfileIndex(), 1);
    EXPECT_EQ(manager_->SelectedIndex(), 1);
    EXPECT_EQ(listCalls_, 1);
    EXPECT_EQ(activeCalls_, 1);
    EXPECT_EQ(checkedIndex_, 1);
    EXPECT_EQ(store_->ReadString("Profile Ohne Namen", "OutputReplace"), "1");
}

TEST_F(ProfileManagerTest, SavingUnderANewNameWhileAnotherIsActive) {
    manager_->LoadAtStartUp("Deutsch");
    SaveAs("Alt");
    manager_->ActivateProfile(0);
    const auto before = store_->ReadString("Profile Alt", "OutputReplace");
    const int writes = store_->WriteCount();
    manager_->Select(1);
    profile_->MutableSettings().OutputReplace = true;

    SaveAs("Neu");
    ASSERT_EQ(nameInput_.asked.size(), 2u);
    EXPECT_EQ(nameInput_.asked[1].caption, "[Profilname]");
    EXPECT_EQ(nameInput_.asked[1].instruction, "[ProfilSpeichernAls]");
    EXPECT_EQ(nameInput_.asked[1].proposed, "Alt") << "the selected name is proposed";
    EXPECT_TRUE(boxes_.shown.empty());
    EXPECT_THAT(Names(), ElementsAre("Ohne Namen", "Alt", "Neu"));
    EXPECT_EQ(profile_->Name(), "Neu");
    EXPECT_EQ(store_->WriteCount(), writes + 1) << "default profile and 283 values in one write";
    EXPECT_EQ(store_->ReadString("General", "DefaultProfile"), "Neu");
    EXPECT_EQ(store_->ReadString("Profile Neu", "OutputReplace"), "1");
    EXPECT_EQ(store_->ReadString("Profile Alt", "OutputReplace"), before);

    Restart();
    EXPECT_EQ(profile_->Name(), "Neu");
}

TEST_F(ProfileManagerTest, ANameInOtherLetterCaseOverwritesAndTakesTheNewSpelling) {
    manager_->LoadAtStartUp("Deutsch");
    SaveAs("Reise");
    manager_->ActivateProfile(0);
    profile_->MutableSettings().CalculatorPrecision = 3;

    SaveAs("REISE");
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0].text,
              "[WollenSieDasProfilXUeberschreiben1]'REISE'[WollenSieDasProfilXUeberschreiben2]");
    EXPECT_THAT(Names(), ElementsAre("Ohne Namen", "REISE"));
    EXPECT_EQ(store_->ReadString("Profile reise", "CalculatorPrecision"), "3");

    Restart();
    EXPECT_THAT(Names(), ElementsAre("Ohne Namen", "REISE"));
    EXPECT_EQ(profile_->Name(), "REISE");
    EXPECT_EQ(profile_->Settings().CalculatorPrecision, 3);
}

TEST_F(ProfileManagerTest, SavingThatIsRefusedOrCancelledChangesNothingButNotifies) {
    manager_->LoadAtStartUp("Deutsch");
    SaveAs("Zwei");
    const std::string disk = Disk();
    profile_->MutableSettings().OutputReplace = true;
    listCalls_ = activeCalls_ = 0;

    for (int answer : {kIdNo, kIdCancel}) {
        boxes_.answers.push_back(answer);
        SaveAs("zwei");
    }
    nameInput_.answer.reset();
    manager_->SaveProfileAs();
    SaveAs("");

    EXPECT_EQ(boxes_.shown.size(), 2u);
    EXPECT_THAT(Names(), ElementsAre("Ohne Namen", "Zwei"));
    EXPECT_EQ(profile_->ActiveProfileIndex(), 1);
    EXPECT_EQ(Disk(), disk);
    EXPECT_EQ(listCalls_, 4);
    EXPECT_EQ(activeCalls_, 4);
}

TEST_F(ProfileManagerTest, DeletingAProfileListedBeforeTheActiveOne) {
    manager_->LoadAtStartUp("Deutsch");
    SaveAs("Zwei");
    SaveAs("Drei");
    manager_->Select(1);
    listCalls_ = activeCalls_ = 0;

    manager_->DeleteSelectedProfile();
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0].text,
              "[WollenSieDasProfilXLoeschen1]'Zwei'[WollenSieDasProfilXLoeschen2]");
    EXPECT_EQ(boxes_.shown[0].caption, "[ProfilLoeschen]");
    EXPECT_EQ(boxes_.shown[0].flags, mb::kYesNoCancel | mb::kIconQuestion);
    EXPECT_THAT(Names(), ElementsAre("Ohne Namen", "Drei"));
    EXPECT_EQ(profile_->ActiveProfileIndex(), 1);
    EXPECT_EQ(checkedIndex_, 1) << "the tray's check mark stays on the active profile";
    EXPECT_EQ(manager_->SelectedIndex(), -1);
    EXPECT_EQ(listCalls_, 1);
    EXPECT_EQ(activeCalls_, 1);
    EXPECT_FALSE(store_->SectionExists("Profile Zwei"));

    Restart();
    EXPECT_THAT(Names(), ElementsAre("Ohne Namen", "Drei"));
}

TEST_F(ProfileManagerTest, TheActiveProfileCannotBeDeletedAndNoIsNo) {
    manager_->LoadAtStartUp("Deutsch");
    SaveAs("Zwei");
    const std::string disk = Disk();
    listCalls_ = activeCalls_ = 0;

    manager_->Select(1);
    manager_->DeleteSelectedProfile();
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0].text, "[DasAktiveProfilKannNichtGeloeschtWerden]");
    EXPECT_EQ(boxes_.shown[0].caption, "[ProfilLoeschen]");
    EXPECT_EQ(boxes_.shown[0].flags, mb::kOk | mb::kIconInformation);

    manager_->Select(0);
    boxes_.answers.push_back(kIdNo);
    manager_->DeleteSelectedProfile();
    manager_->Select(-1);
    manager_->DeleteSelectedProfile();

    EXPECT_EQ(boxes_.shown.size(), 2u);
    EXPECT_THAT(Names(), ElementsAre("Ohne Namen", "Zwei"));
    EXPECT_EQ(Disk(), disk);
    EXPECT_EQ(listCalls_, 3);
    EXPECT_EQ(activeCalls_, 3);
}

TEST_F(ProfileManagerTest, AProfileWithoutStoredValuesIsDeletedWithoutAStoreOperation) {
    StoreProfile("Weg", "OutputReplace", "1");
    StoreProfile("Bleibt", "OutputReplace", "1");
    store_->WriteString("General", "DefaultProfile", "Bleibt");
    store_->WriteString("General", "EntriesValid", "1");
    store_->WriteString("General", "EuroCurrencySymbolInfoSeen", "1");
    Restart();
    // Removed by hand while the program runs.
    RegistryFile(temp_.Path() / "Kassavero").EraseSection("Profile Weg");
    const std::string disk = Disk();

    manager_->Select(0);
    manager_->DeleteSelectedProfile();
    EXPECT_THAT(Names(), ElementsAre("Bleibt"));
    EXPECT_EQ(store_->WriteCount(), 0);
    EXPECT_EQ(Disk(), disk);
}

TEST_F(ProfileManagerTest, AnEmptyKeyOfADeletedProfileDoesNotBringItBack) {
    testing::WriteFileBytes(store_->FilePath(),
                            "REGEDIT4\n\n"
                            "[HKEY_CURRENT_USER\\Software\\Kassavero\\General]\n"
                            "\"EntriesValid\"=\"1\"\n\"DefaultProfile\"=\"Voll\"\n\n"
                            "[HKEY_CURRENT_USER\\Software\\Kassavero\\Profile Leer]\n\n"
                            "[HKEY_CURRENT_USER\\Software\\Kassavero\\Profile Voll]\n"
                            "\"OutputReplace\"=\"1\"\n");
    Restart();
    ASSERT_THAT(Names(), ElementsAre("Leer", "Voll"));
    manager_->Select(0);
    manager_->DeleteSelectedProfile();
    Restart();
    EXPECT_THAT(Names(), ElementsAre("Voll"));
}

TEST_F(ProfileManagerTest, CancelReadsTheStoredProfileBack) {
    manager_->LoadAtStartUp("Deutsch");
    profile_->MutableSettings().OutputReplace = true;
    manager_->TransferActiveProfile(false);
    EXPECT_FALSE(profile_->Settings().OutputReplace);
    profile_->MutableSettings().OutputReplace = true;
    manager_->TransferActiveProfile(true);
    EXPECT_EQ(store_->ReadString("Profile Ohne Namen", "OutputReplace"), "1");
}

TEST(NotificationSlots, HoldOneSubscriberAndCallInTheirOrder) {
    ActiveProfile profile;
    std::string calls;
    profile.SettingsChangedCallback(1).Set([&](ActiveProfile&) { calls += "proposal "; });
    profile.HotkeysCallback().Set([&](ActiveProfile&) { calls += "old "; });
    profile.HotkeysCallback().Set([&](ActiveProfile&) { calls += "hotkeys "; });
    profile.SettingsChangedCallback(0).Set([&](ActiveProfile& sender) {
        calls += "lists ";
        // A subscriber may leave its slot while it is being called.
        sender.SettingsChangedCallback(0).Clear();
    });
    profile.CalculatorLayoutCallback().Set([&](ActiveProfile&) { calls += "layout "; });

    profile.NotifySettingsChanged();
    EXPECT_EQ(calls, "lists layout proposal hotkeys ");
    EXPECT_FALSE(profile.SettingsChangedCallback(0).IsSet());
    profile.CalculatorLayoutCallback().Clear();
    calls.clear();
    profile.NotifySettingsChanged();
    EXPECT_EQ(calls, "proposal hotkeys ");
}

}  // namespace
}  // namespace kassavero
