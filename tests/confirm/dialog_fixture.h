// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A confirmation dialog on a German system (comma decimals, DEM at home) with fakes
// around it. User actions are scripted as events that the nested wait plays.

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "calculator/calculator_access.h"
#include "confirm/confirm_test_texts.h"
#include "confirm/confirmation_dialog.h"
#include "core/currency.h"
#include "engine/german_profile.h"
#include "fakes/fake_confirmation_view.h"
#include "fakes/fake_help.h"
#include "fakes/fake_message_loop.h"
#include "fakes/fake_translator.h"
#include "fakes/temp_dir.h"
#include "i18n/translation.h"
#include "platform/program_windows.h"
#include "platform/registry_file.h"
#include "settings/active_profile.h"

namespace kassavero::testing {

struct FakeCalculator final : CalculatorAccess {
    bool visible = false;
    std::vector<std::u32string> calls;
    void ShowAmount(CurrencyIndex currency, bool writeSourceText, double value) override {
        calls.push_back(U"amount " + std::u32string(CurrencyCode(currency)) + U" " +
                        (writeSourceText ? U"text " : U"") + AsciiToText(std::to_string(value)));
    }
    void Show() override {
        visible = true;
        calls.emplace_back(U"show");
    }
    void Hide() override { visible = false; }
    bool Visible() const override { return visible; }
};

struct FakeSettingsWindow final : SettingsWindow {
    int shown = 0;
    bool available = true;
    void ShowSettings(SettingsPage) override { ++shown; }
    bool SettingsAvailable() const override { return available; }
};

class DialogTest : public ::testing::Test {
  protected:
    DialogTest() { MakeGermanProfile(profile.MutableSettings()); }

    ProfileSettings& Settings() { return profile.MutableSettings(); }
    // Queues user actions for the nested waits, in order.
    void Script(std::initializer_list<std::function<void()>> actions) {
        for (const auto& action : actions)
            loop.events.push_back(action);
    }
    void Key(char32_t c, ConfirmControl focus = ConfirmControl::YesButton) {
        dialog.KeyPressed(KeyEvent{DialogKey::Character, c, false, focus});
    }
    void Key(DialogKey key, ConfirmControl focus = ConfirmControl::InputField,
             bool modifier = false) {
        dialog.KeyPressed(KeyEvent{key, 0, modifier, focus});
    }

    ActiveProfile profile;
    CurrencyTable currencies{profile, U',', kDEM};
    CommonTexts texts = GermanTexts();
    FakeTranslator translator;
    FakeMessageLoop loop;
    TempDir temp;
    RegistryFile store{temp.Path() / U"Kassavero"};
    FakeHelp help;
    FakeCalculator calculator;
    FakeSettingsWindow settingsWindow;
    FakeConfirmationView view;
    ConfirmationDialog dialog{view, profile, currencies, U'.',       texts,         translator,
                              loop, store,   help,       calculator, settingsWindow};
};

}  // namespace kassavero::testing
