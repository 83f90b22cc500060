// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dde_names.h"

#include <gtest/gtest.h>

#include "core/unicode_text.h"

namespace kassavero {
namespace {

TEST(DdeNames, BusNameKeepsToTheAllowedCharacters) {
    EXPECT_EQ(DdeBusName("kassavero"), "org.kassavero.dde.kassavero");
    EXPECT_EQ(DdeBusName("kassa-vero 2"), "org.kassavero.dde.kassa_vero_2");
    EXPECT_EQ(DdeBusName("2go"), "org.kassavero.dde._2go");
    EXPECT_EQ(DdeBusName(""), "org.kassavero.dde._");
    EXPECT_EQ(DdeBusName("K\xE4sse"), "org.kassavero.dde.K_sse");
}

}  // namespace
}  // namespace kassavero
