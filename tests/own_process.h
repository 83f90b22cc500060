// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The places that AdoptUtf8 gives to characters belong to the whole process, and tests
// elsewhere check every control byte as a control. A test that adopts characters
// therefore runs in a child process of its own; its failures are reported through the
// child's output.

#include <gtest/gtest.h>

#include <cstdlib>

#define KASSAVERO_IN_OWN_PROCESS(body)                        \
    EXPECT_EXIT(                                              \
        {                                                     \
            body;                                             \
            std::exit(::testing::Test::HasFailure() ? 1 : 0); \
        },                                                    \
        ::testing::ExitedWithCode(0), "")
