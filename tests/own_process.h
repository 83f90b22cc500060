// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The places that AdoptUtf8 gives to characters belong to the whole process, and tests
// elsewhere check every control byte as a control. A test that adopts characters
// therefore runs in a child process of its own; its failures are reported through the
// child's output.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace kassavero::testing {

// The child's failures on its standard error, which the parent shows.
class FailuresToStderr : public ::testing::EmptyTestEventListener {
    void OnTestPartResult(const ::testing::TestPartResult& result) override {
        if (result.failed())
            std::fprintf(stderr, "%s:%d: %s\n", result.file_name() ? result.file_name() : "",
                         result.line_number(), result.message());
    }
};

template <typename Body>
void InOwnProcess(Body body) {
    EXPECT_EXIT(
        {
            ::testing::UnitTest::GetInstance()->listeners().Append(new FailuresToStderr);
            body();
            std::exit(::testing::Test::HasFailure() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace kassavero::testing
