// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every help context number the program opens. A page "<number>.html" exists for each
// in every help language (a test checks that, and that the sources name no other).

#include <array>

namespace kassavero {

inline constexpr std::array<int, 13> kHelpTopics{
    1010,  // settings: general
    1020,  // symbol list editor
    1030,  // settings: numbers in text
    1040,  // settings: output per currency
    1060,  // settings: word processor and spreadsheet
    1070,  // settings: clipboard
    1080,  // settings: profiles
    1090,  // confirmation window
    1100,  // calculator
    1130,  // the euro sign on older systems
    1150,  // settings: currency symbols in text
    1160,  // settings: calculator
    4000,  // settings window
};

}  // namespace kassavero
