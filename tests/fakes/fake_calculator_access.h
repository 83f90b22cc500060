// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "calculator/calculator_access.h"

namespace kassavero::testing {

// Stands in for the calculator window: keeps what was handed to it and whether it is
// shown, and records the calls in order ("amount", "show", "hide").
class FakeCalculatorAccess final : public CalculatorAccess {
  public:
    struct Amount {
        CurrencyIndex currency;
        bool writeSourceText;
        double value;
    };

    std::vector<Amount> amounts;
    std::vector<std::u32string> calls;
    bool visible = false;

    void ShowAmount(CurrencyIndex currency, bool writeSourceText, double value) override {
        amounts.push_back({currency, writeSourceText, value});
        calls.emplace_back(U"amount");
    }
    void Show() override {
        visible = true;
        calls.emplace_back(U"show");
    }
    void Hide() override {
        visible = false;
        calls.emplace_back(U"hide");
    }
    bool Visible() const override { return visible; }
};

}  // namespace kassavero::testing
