// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The places that AdoptUtf8 gives to characters belong to the whole process, and tests
// elsewhere check every control byte as a control. A test that adopts characters
// therefore runs in a child process of its own, which fails by its exit code.

#include <gtest/gtest.h>

#include <cstdlib>

namespace kassavero::testing {

template <typename Body>
void InOwnProcess(Body body) {
    EXPECT_EXIT(
        {
            body();
            std::exit(::testing::Test::HasFailure() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace kassavero::testing
