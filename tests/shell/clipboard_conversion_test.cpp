// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/clipboard_conversion.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "confirm/engine_desktop_adapter.h"
#include "core/unicode_text.h"
#include "engine/engine.h"
#include "engine/german_profile.h"
#include "fakes/fake_calculator_access.h"
#include "fakes/fake_clipboard.h"
#include "fakes/fake_confirmation.h"
#include "fakes/fake_help.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_message_loop.h"
#include "fakes/fake_translator.h"
#include "settings/active_profile.h"

namespace kassavero {
namespace {

using testing::FakeConfirmation;

// The confirmation dialog, with something that happens while its question is open.
class QuestionWithEvent final : public Confirmation {
  public:
    FakeConfirmation inner;
    std::function<void()> whileAsking;

    void SetDialogMode(int mode) override { inner.SetDialogMode(mode); }
    int StopRequest() const override { return inner.StopRequest(); }
    void SetStopRequest(int value) override { inner.SetStopRequest(value); }
    void AnpassenHinweise() override {}
    void AnpassenModus() override {}
    bool AskChange(const TGeplanteAenderung& proposal, bool ask,
                   const std::u32string& clientName) override {
        if (whileAsking) {
            const std::function<void()> event = std::move(whileAsking);
            whileAsking = nullptr;
            event();
        }
        return inner.AskChange(proposal, ask, clientName);
    }
    ReplacementParts OutputParts() const override { return inner.OutputParts(); }
    bool Visible() const override { return false; }
    void Show() override {}
    void Hide() override {}
};

class ClipboardConversionTest : public ::testing::Test {
  protected:
    ClipboardConversionTest() {
        MakeGermanProfile(profile.MutableSettings());
        settings().ClipboardReplace = true;
        confirmation.inner.parts = {U"", U"51,13 \u20AC", U""};
        engine.EngineInit();
    }

    ProfileSettings& settings() { return profile.MutableSettings(); }
    ClipboardConversion& Started() {
        form->Start(engine, calculator);
        return *form;
    }
    std::vector<std::string> Messages() const {
        std::vector<std::string> out;
        for (const auto& box : boxes.shown)
            out.push_back(TextToUtf8(box.text));
        return out;
    }
    std::size_t Questions() const { return confirmation.inner.asked.size(); }

    ActiveProfile profile;
    testing::FakeTranslator translator;
    testing::FakeMessageBoxes boxes;
    testing::FakeMessageLoop loop;
    testing::FakeHelp help;
    testing::FakeClipboard clipboard;
    testing::FakeCalculatorAccess calculator;
    QuestionWithEvent confirmation;
    EngineDesktopAdapter desktop{boxes, loop, help};
    Engine engine{profile, translator, desktop, confirmation, DesktopRegion{}};
    std::unique_ptr<ClipboardConversion> form =
        std::make_unique<ClipboardConversion>(clipboard, profile, translator, boxes);
};

TEST_F(ClipboardConversionTest, ScansRebuildTheTextAroundTheAmount) {
    struct Case {
        const char* text;  // UTF-8
        bool verbose;
        const char* written;  // nullptr: the clipboard is not written
    };
    const Case cases[] = {
        {"100 DM", false, "51,13 €"},
        {" \t100 DM\r\n", false, " \t51,13 €\r\n"},
        {"Preis 100 DM", false, nullptr},  // as a whole only
        {"Preis 100 DM", true, "Preis 51,13 €"},
        {"Preis 100 DM netto", true, "Preis 51,13 € netto"},
        {"Preis 100 DM – 5 € ✓ Ελλάδα", true, "Preis 51,13 € – 5 € ✓ Ελλάδα"},
        {"Ελλάδα ✓ 100 DM – ok", true, "Ελλάδα ✓ 51,13 € – ok"},
        {"kein Betrag", true, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        clipboard.writes.clear();
        clipboard.text = c.text;
        Started().ScanClipboard(c.verbose);
        if (c.written == nullptr) {
            EXPECT_TRUE(clipboard.writes.empty());
            EXPECT_EQ(clipboard.text, c.text);
        } else {
            ASSERT_EQ(clipboard.writes.size(), 1u);
            EXPECT_EQ(clipboard.text, c.written);
        }
        EXPECT_EQ(engine.Session(0), nullptr);  // the session is closed again
    }
    // Every question went to the engine's client named after the clipboard.
    EXPECT_EQ(confirmation.inner.calls.front(), U"ask [Zwischenablage]");
}

TEST_F(ClipboardConversionTest, MessagesOnlyInVerboseScans) {
    struct Case {
        bool hasText;
        std::string text;
        const char* message;  // of the verbose scan
    };
    const Case cases[] = {
        {false, "", "[KeineTextdatenInDerZwischenablage]"},
        {true, "kein Betrag", "[DieZwischenablageEnthaeltKeineWaehrungsangaben]"},
        {true, "100 DM" + std::string(65536 - 6, ' '), "[MehrAls64KbInDerZwischenablage]"},
    };
    for (const Case& c : cases) {
        for (const bool verbose : {false, true}) {
            SCOPED_TRACE(c.text.substr(0, 20) + (verbose ? " verbose" : " automatic"));
            boxes.shown.clear();
            clipboard.hasText = c.hasText;
            clipboard.text = c.text;
            Started().ScanClipboard(verbose);
            if (verbose && c.message != nullptr)
                EXPECT_EQ(Messages(), std::vector<std::string>{c.message});
            else
                EXPECT_TRUE(Messages().empty());
        }
    }
}

TEST_F(ClipboardConversionTest, SixtyFiveThousandFiveHundredThirtyFiveCharactersAreScanned) {
    std::string text = "100 DM ";
    for (std::size_t i = text.size(); i < kMaxClipboardScanLength; ++i)
        text += "✓";  // three bytes, one character
    clipboard.text = text;
    Started().ScanClipboard(true);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(clipboard.text, "51,13 € " + text.substr(7));

    clipboard.text = text + "✓";
    Started().ScanClipboard(true);
    EXPECT_EQ(Messages(), std::vector<std::string>{"[MehrAls64KbInDerZwischenablage]"});
}

TEST_F(ClipboardConversionTest, CalculatorAndConfirmationFollowTheProfile) {
    struct Case {
        bool display;
        bool replace;
        bool confirm;
        FakeConfirmation::Reply reply;
        bool written;
    };
    using R = FakeConfirmation::Reply;
    const Case cases[] = {
        {true, false, false, R::Yes, false},   {false, true, false, R::Yes, true},
        {true, true, true, R::Yes, true},      {true, true, true, R::No, false},
        {false, true, true, R::Cancel, false},
    };
    for (const Case& c : cases) {
        calculator = {};
        clipboard.writes.clear();
        clipboard.text = "100 DM";
        confirmation.inner.askFlags.clear();
        confirmation.inner.stopRequest = 0;
        confirmation.inner.replies = {c.reply};
        settings().ClipboardDisplayInCalculator = c.display;
        settings().ClipboardReplace = c.replace;
        settings().ClipboardConfirmChanges = c.confirm;
        Started().ScanClipboard(true);
        if (c.display) {
            ASSERT_EQ(calculator.calls, (std::vector<std::u32string>{U"show", U"amount"}));
            EXPECT_EQ(calculator.amounts[0].currency, kDEM);
            EXPECT_TRUE(calculator.amounts[0].writeSourceText);
            EXPECT_EQ(calculator.amounts[0].value, 100);
        } else {
            EXPECT_TRUE(calculator.calls.empty());
        }
        EXPECT_EQ(confirmation.inner.askFlags,
                  c.replace ? std::vector<bool>{c.confirm} : std::vector<bool>{});
        EXPECT_EQ(clipboard.writes.size(), c.written ? 1u : 0u);
    }
}

TEST_F(ClipboardConversionTest, ChangeNoticesScanOnlyChangesOfOtherPrograms) {
    clipboard.text = "100 DM";
    ClipboardConversion& viewer = Started();
    // Joining brings a notice at once, which is not scanned.
    EXPECT_EQ(Questions(), 0u);

    clipboard.CopyFromOtherProgram("100 DM");
    EXPECT_EQ(Questions(), 1u);
    // The write-back reported itself, and was not scanned.
    EXPECT_EQ(clipboard.writes, std::vector<std::string>{"51,13 €"});
    clipboard.viewer->ClipboardChanged();  // a late notice while the text is still ours
    EXPECT_EQ(Questions(), 1u);

    // The calculator's copy.
    viewer.SkipNextClipboardChange();
    clipboard.CopyFromOtherProgram("200 DM");
    EXPECT_EQ(Questions(), 1u);
    EXPECT_FALSE(viewer.SkippingNextClipboardChange());
    clipboard.CopyFromOtherProgram("300 DM");
    EXPECT_EQ(Questions(), 2u);

    settings().ClipboardSearch = false;
    clipboard.CopyFromOtherProgram("400 DM");
    EXPECT_EQ(Questions(), 2u);
}

TEST_F(ClipboardConversionTest, AChangeWhileAQuestionIsOpenIsScannedOnceAfterIt) {
    settings().ClipboardConfirmChanges = true;
    clipboard.text = "100 DM";
    Started();
    confirmation.whileAsking = [this] {
        clipboard.CopyFromOtherProgram("200 DM");
        clipboard.CopyFromOtherProgram("300 DM");
        form->ScanClipboard(true);  // the hotkey, pressed meanwhile
    };
    clipboard.CopyFromOtherProgram("100 DM");
    // The first answer is not written over the newer text; that text is scanned once.
    ASSERT_EQ(Questions(), 2u);
    EXPECT_EQ(confirmation.inner.asked[0].Amount, 100);
    EXPECT_EQ(confirmation.inner.asked[1].Amount, 300);
    EXPECT_EQ(clipboard.writes, std::vector<std::string>{"51,13 €"});
}

TEST_F(ClipboardConversionTest, ViewerChainIsJoinedFollowedAndLeft) {
    constexpr ClipboardViewerId kOther = 7;
    clipboard.firstBefore = kOther;
    settings().ClipboardSearch = false;
    ClipboardConversion& viewer = Started();
    EXPECT_EQ(viewer.NextViewer(), kOther);
    EXPECT_FALSE(viewer.IgnoringClipboardChange());
    // The notice of the joining itself came before the next viewer was known.
    EXPECT_TRUE(clipboard.passed.empty());

    // Without scanning, the next viewer still hears of the change.
    clipboard.CopyFromOtherProgram("100 DM");
    EXPECT_EQ(clipboard.passed, std::vector<std::string>{"changed to 7"});

    clipboard.passed.clear();
    viewer.ChainChanged(3, 4);       // someone further on
    viewer.ChainChanged(kOther, 9);  // the next one leaves
    EXPECT_EQ(clipboard.passed, std::vector<std::string>{"chain to 7: 3 left, 4 follows"});
    EXPECT_EQ(viewer.NextViewer(), 9u);

    form.reset();
    EXPECT_TRUE(clipboard.left);
    EXPECT_EQ(clipboard.leftNaming, 9u);
}

TEST_F(ClipboardConversionTest, NothingIsScannedBeforeStart) {
    clipboard.text = "100 DM";
    form->ScanClipboard(true);
    form->ClipboardChanged();
    EXPECT_EQ(Questions(), 0u);
    EXPECT_TRUE(boxes.shown.empty());
    form.reset();
    EXPECT_FALSE(clipboard.left);
}

}  // namespace
}  // namespace kassavero
