// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/clipboard_conversion.h"

#include <algorithm>

#include "calculator/calculator_access.h"
#include "core/program_text.h"
#include "engine/engine.h"
#include "i18n/translator.h"
#include "platform/message_box.h"
#include "settings/active_profile.h"

namespace kassavero {
namespace {

bool OnlyBlanksAndControls(std::u32string_view text) {
    return std::all_of(text.begin(), text.end(), [](char32_t cp) { return cp <= 32; });
}

}  // namespace

ClipboardConversion::ClipboardConversion(Clipboard& clipboard, const ActiveProfile& profile,
                                         Translator& translator, MessageBoxes& messageBoxes)
    : clipboard_(clipboard),
      profile_(profile),
      translator_(translator),
      messageBoxes_(messageBoxes) {}

ClipboardConversion::~ClipboardConversion() {
    if (joined_)
        clipboard_.LeaveChain(*this, FNextViewer);
}

void ClipboardConversion::Start(Engine& engine, CalculatorAccess& calculator) {
    engine_ = &engine;
    calculator_ = &calculator;
    if (joined_)
        return;
    FIgnoreClipboardChange = true;
    FNextViewer = clipboard_.JoinChain(*this);
    joined_ = true;
    FIgnoreClipboardChange = false;
}

void ClipboardConversion::ClipboardChanged() {
    if (!FIgnoreClipboardChange && !FSkipNextClipboardChange &&
        profile_.Settings().ClipboardSearch && !clipboard_.OwnedByThisProgram()) {
        ScanClipboard(false);
    }
    FSkipNextClipboardChange = false;
    if (FNextViewer != kNoViewer)
        clipboard_.PassClipboardChanged(FNextViewer);
}

void ClipboardConversion::ChainChanged(ClipboardViewerId leaving, ClipboardViewerId successor) {
    if (leaving == FNextViewer)
        FNextViewer = successor;
    else if (FNextViewer != kNoViewer)
        clipboard_.PassChainChanged(FNextViewer, leaving, successor);
}

void ClipboardConversion::ScanClipboard(bool verbose) {
    if (engine_ == nullptr)
        return;
    // A question of the running scan is open: its own write-back checks that the
    // clipboard still holds what it read, and the new content is scanned afterwards,
    // once.
    if (scanning_) {
        pending_ = true;
        pendingVerbose_ = pendingVerbose_ || verbose;
        return;
    }
    scanning_ = true;
    RunScan(verbose);
    while (pending_) {
        const bool again = pendingVerbose_;
        pending_ = false;
        pendingVerbose_ = false;
        RunScan(again);
    }
    scanning_ = false;
}

std::string ClipboardConversion::ReadText() {
    const bool ignoring = FIgnoreClipboardChange;
    FIgnoreClipboardChange = true;
    std::string text = clipboard_.HasText() ? clipboard_.Text() : std::string();
    FIgnoreClipboardChange = ignoring;
    return text;
}

void ClipboardConversion::WriteText(const std::string& utf8) {
    const bool ignoring = FIgnoreClipboardChange;
    FIgnoreClipboardChange = true;
    clipboard_.SetText(utf8);
    FIgnoreClipboardChange = ignoring;
}

void ClipboardConversion::Inform(const char* key) {
    messageBoxes_.ShowMessageBox(translator_.TranslateKey(key), U"Kassavero",
                                 mb::kOk | mb::kIconInformation);
}

void ClipboardConversion::RunScan(bool verbose) {
    {
        const bool ignoring = FIgnoreClipboardChange;
        FIgnoreClipboardChange = true;
        const bool hasText = clipboard_.HasText();
        FIgnoreClipboardChange = ignoring;
        if (!hasText) {
            if (verbose)
                Inform("KeineTextdatenInDerZwischenablage");
            return;
        }
    }
    const std::string original = ReadText();
    const std::u32string text = DecodeKeepingBytes(original);
    if (text.size() > kMaxClipboardScanLength) {
        if (verbose)
            Inform("MehrAls64KbInDerZwischenablage");
        return;
    }

    Engine& engine = *engine_;
    const EngineHandle handle = engine.Handle();
    const int session =
        engine.OpenSession(handle, translator_.TranslateKey("Zwischenablage"), false);
    if (session < 0)
        return;
    const std::u32string programText = AsProgramText(text, 0, text.size());
    engine.TransferText(handle, session, static_cast<long long>(programText.size()), programText,
                        0);
    FoundChange change;
    const bool found = engine.FindNextChange(handle, session, change);
    if (found) {
        const std::size_t start = std::min(change.Start, text.size());
        const std::size_t end = std::clamp(change.End, start, text.size());
        const std::u32string_view head = std::u32string_view(text).substr(0, start);
        const std::u32string_view tail = std::u32string_view(text).substr(end);
        const ProfileSettings& settings = profile_.Settings();
        if (!verbose && settings.ClipboardAsAWhole &&
            !(OnlyBlanksAndControls(head) && OnlyBlanksAndControls(tail))) {
            engine.CloseSession(handle, session);
            return;
        }
        if (settings.ClipboardDisplayInCalculator) {
            if (!calculator_->Visible())
                calculator_->Show();
            calculator_->ShowAmount(change.Currency, true, change.Amount);
        }
        if (settings.ClipboardReplace) {
            ReplacementParts parts;
            const int result =
                engine.ConfirmChange(handle, session, settings.ClipboardConfirmChanges, parts);
            // While the question was open another program may have put something else
            // into the clipboard; that is not written over with the old text.
            if (result == 1 && ReadText() == original) {
                std::u32string replaced(head);
                replaced +=
                    ReplacementInDocument(text, start, end, programText.substr(start, end - start),
                                          parts.Prefix, parts.Middle, parts.Suffix);
                replaced += tail;
                WriteText(EncodeKeepingBytes(replaced));
            }
        }
    } else if (verbose) {
        Inform("DieZwischenablageEnthaeltKeineWaehrungsangaben");
    }
    engine.CloseSession(handle, session);
}

}  // namespace kassavero
