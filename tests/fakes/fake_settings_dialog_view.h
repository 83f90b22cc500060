// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "settings_windows/settings_dialog_model.h"

namespace kassavero::testing {

// Records what the settings model asks of its window.
class FakeSettingsDialogView final : public SettingsDialogView {
  public:
    bool visible = false;
    bool centred = false;
    int showCount = 0;
    int refreshCount = 0;
    SettingsTab page = SettingsTab::Allgemein;
    int focusedRate = -1;
    int left = 0;
    int top = 0;

    void ShowWindow(bool centre) override {
        visible = true;
        centred = centre;
        ++showCount;
    }
    void HideWindow() override { visible = false; }
    bool IsWindowVisible() const override { return visible; }
    void ShowPage(SettingsTab shown) override { page = shown; }
    SettingsTab CurrentPage() const override { return page; }
    void FocusCustomRate(int row) override { focusedRate = row; }
    void Refresh() override { ++refreshCount; }
    int Left() const override { return left; }
    int Top() const override { return top; }
    void SetLeft(int value) override { left = value; }
    void SetTop(int value) override { top = value; }
};

}  // namespace kassavero::testing
