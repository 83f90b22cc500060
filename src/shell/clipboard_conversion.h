// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The clipboard conversion: the first amount of the clipboard text is found by an engine
// session, shown in the calculator and, if the profile says so, written back converted.
// ClipboardConversion is the clipboard viewer that runs it, on request and on every change of
// the clipboard that the program did not make itself.

#include <cstddef>
#include <string>

#include "calculator/clipboard_watch.h"
#include "platform/clipboard.h"
#include "platform/program_windows.h"

namespace kassavero {

class ActiveProfile;
class CalculatorAccess;
class Engine;
class MessageBoxes;
class Translator;

// Texts longer than this are not searched at all.
inline constexpr std::size_t kMaxClipboardScanLength = 65535;

class ClipboardConversion final : public ClipboardViewer,
                                  public ClipboardWatch,
                                  public ClipboardScanner {
  public:
    // Created before the calculator, which keeps it as its ClipboardWatch; it scans
    // nothing until Start.
    ClipboardConversion(Clipboard& clipboard, const ActiveProfile& profile, Translator& translator,
                        MessageBoxes& messageBoxes);
    // Leaves the viewer chain.
    ~ClipboardConversion() override;
    ClipboardConversion(const ClipboardConversion&) = delete;
    ClipboardConversion& operator=(const ClipboardConversion&) = delete;

    // Joins the viewer chain; from now on scans run through the engine's sessions.
    void Start(Engine& engine, CalculatorAccess& calculator);

    // ---- ClipboardScanner ----
    // A scan asked for while another one waits for the user runs once that one is done.
    void ScanClipboard(bool verbose) override;
    // ---- ClipboardWatch ----
    void SkipNextClipboardChange() override { FSkipNextClipboardChange = true; }
    // ---- ClipboardViewer ----
    void ClipboardChanged() override;
    void ChainChanged(ClipboardViewerId leaving, ClipboardViewerId successor) override;

    ClipboardViewerId NextViewer() const { return FNextViewer; }
    bool IgnoringClipboardChange() const { return FIgnoreClipboardChange; }
    bool SkippingNextClipboardChange() const { return FSkipNextClipboardChange; }

  private:
    void RunScan(bool verbose);
    std::string ReadText();
    void WriteText(const std::string& utf8);
    void Inform(const char* key);

    Clipboard& clipboard_;
    const ActiveProfile& profile_;
    Translator& translator_;
    MessageBoxes& messageBoxes_;
    Engine* engine_ = nullptr;
    CalculatorAccess* calculator_ = nullptr;
    bool joined_ = false;

    ClipboardViewerId FNextViewer = kNoViewer;
    bool FIgnoreClipboardChange = false;
    bool FSkipNextClipboardChange = false;

    bool scanning_ = false;
    // Asked for while a scan was running: run once more afterwards.
    bool pending_ = false;
    bool pendingVerbose_ = false;
};

}  // namespace kassavero
