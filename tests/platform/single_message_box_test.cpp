// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/single_message_box.h"

#include <gtest/gtest.h>

#include "core/unicode_text.h"

#include <functional>
#include <string>
#include <vector>

namespace kassavero {
namespace {

// Stands for a box whose nested loop serves another caller while it is open.
class NestingBoxes final : public MessageBoxes {
  public:
    std::function<void()> whileOpen;
    std::vector<std::u32string> shown;
    int answer = kIdYes;

    int ShowMessageBox(const std::u32string& text, const std::u32string&, unsigned) override {
        shown.push_back(text);
        if (whileOpen) {
            auto inner = std::move(whileOpen);
            whileOpen = nullptr;
            inner();
        }
        return answer;
    }
};

struct Logged {
    std::u32string caption;
    std::u32string text;
};

TEST(SingleMessageBoxTest, ASecondBoxWhileOneIsOpenGoesToTheSinkAndIsAnsweredAtOnce) {
    struct Case {
        unsigned flags;
        int answer;
    };
    const std::vector<Case> cases = {
        {mb::kOk | mb::kIconWarning, kIdOk}, {mb::kOkCancel, kIdCancel},
        {mb::kYesNoCancel, kIdCancel},       {mb::kYesNo, kIdNo},
        {mb::kAbortRetryIgnore, kIdAbort},   {mb::kRetryCancel, kIdCancel},
    };
    for (const Case& c : cases) {
        NestingBoxes boxes;
        std::vector<Logged> logged;
        SingleMessageBox single(boxes,
                                [&](const std::u32string& caption, const std::u32string& text) {
                                    logged.push_back({caption, text});
                                });
        int innerAnswer = -1;
        boxes.whileOpen = [&] {
            EXPECT_TRUE(single.Showing());
            innerAnswer = single.ShowMessageBox(U"inner", U"Kassavero", c.flags);
        };
        EXPECT_EQ(single.ShowMessageBox(U"outer", U"Kassavero", mb::kYesNo), kIdYes);
        EXPECT_EQ(innerAnswer, c.answer) << c.flags;
        ASSERT_EQ(logged.size(), 1u);
        EXPECT_EQ(logged[0].text, U"inner");
        EXPECT_EQ(logged[0].caption, U"Kassavero");
        EXPECT_EQ(boxes.shown, std::vector<std::u32string>{U"outer"});
        EXPECT_FALSE(single.Showing());
    }
}

TEST(SingleMessageBoxTest, ThousandsOfNestedCallsStayOneBoxDeep) {
    NestingBoxes boxes;
    int logged = 0;
    SingleMessageBox single(boxes, [&](const std::u32string&, const std::u32string&) { ++logged; });
    boxes.whileOpen = [&] {
        for (int i = 0; i < 3000; ++i)
            single.ShowMessageBox(U"again", U"Kassavero", mb::kOk);
    };
    single.ShowMessageBox(U"first", U"Kassavero", mb::kOk);
    EXPECT_EQ(logged, 3000);
    // Once closed, the next message is shown as a box again.
    single.ShowMessageBox(U"later", U"Kassavero", mb::kOk);
    EXPECT_EQ(boxes.shown, (std::vector<std::u32string>{U"first", U"later"}));
}

}  // namespace
}  // namespace kassavero
