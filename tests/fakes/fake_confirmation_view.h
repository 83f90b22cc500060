// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "confirm/confirmation_view.h"

namespace kassavero::testing {

// Keeps what the confirmation window would show. Controls start visible and enabled.
class FakeConfirmationView final : public ConfirmationView {
  public:
    struct RichText {
        std::u32string text;
        std::vector<TextRun> runs;
        std::pair<std::size_t, std::size_t> selection{0, 0};
    };

    bool shown = false;
    int broughtToFront = 0;
    ConfirmControl focus = ConfirmControl::InputField;
    std::map<ConfirmControl, bool> visible;
    std::map<ConfirmControl, bool> enabled;
    std::u32string caption, inputGroup, outputGroup, stopCaption;
    FieldStyle style = FieldStyle::Change;
    RichText input, output;
    std::u32string oldAmount, newAmount, euroAmount;
    std::vector<CurrencyListEntry> entries;
    int sourcePosition = -1;
    int targetPosition = -1;
    int left = 0;
    int top = 0;

    bool IsVisible(ConfirmControl c) const {
        const auto it = visible.find(c);
        return it == visible.end() || it->second;
    }
    bool IsEnabled(ConfirmControl c) const {
        const auto it = enabled.find(c);
        return it == enabled.end() || it->second;
    }
    // The code of the selected entry, or "" for none.
    std::u32string Selected(int position) const {
        return position >= 0 && static_cast<std::size_t>(position) < entries.size()
                   ? entries[static_cast<std::size_t>(position)].Code
                   : std::u32string();
    }

    int Left() const override { return left; }
    int Top() const override { return top; }
    void SetLeft(int value) override { left = value; }
    void SetTop(int value) override { top = value; }

    void ShowWindow() override { shown = true; }
    void HideWindow() override { shown = false; }
    void BringToFront() override { ++broughtToFront; }
    void Focus(ConfirmControl control) override { focus = control; }
    void SetControlVisible(ConfirmControl control, bool value) override {
        visible[control] = value;
    }
    void SetControlEnabled(ConfirmControl control, bool value) override {
        enabled[control] = value;
    }
    void SetCaption(std::u32string_view text) override { caption = text; }
    void SetGroupCaptions(std::u32string_view in, std::u32string_view out) override {
        inputGroup = in;
        outputGroup = out;
    }
    void SetStopButtonCaption(std::u32string_view text) override { stopCaption = text; }
    void SetFieldStyle(FieldStyle value) override { style = value; }
    void SetInputText(std::u32string_view text, const std::vector<TextRun>& runs) override {
        input = RichText{std::u32string(text), runs, {0, 0}};
    }
    void SelectInputText(std::size_t start, std::size_t length) override {
        input.selection = {start, length};
    }
    void SetOutputText(std::u32string_view text, const std::vector<TextRun>& runs) override {
        output = RichText{std::u32string(text), runs, {0, 0}};
    }
    void SelectOutputText(std::size_t start, std::size_t length) override {
        output.selection = {start, length};
    }
    void SetOldAmountLabel(std::u32string_view text) override { oldAmount = text; }
    void SetNewAmountLabel(std::u32string_view text) override { newAmount = text; }
    void SetEuroAmountLabel(std::u32string_view text) override { euroAmount = text; }
    void SetCurrencyLists(const std::vector<CurrencyListEntry>& list) override { entries = list; }
    void SelectSourceEntry(int position) override { sourcePosition = position; }
    void SelectTargetEntry(int position) override { targetPosition = position; }
};

}  // namespace kassavero::testing
