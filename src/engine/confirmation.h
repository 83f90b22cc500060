// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the sessions need from the confirmation dialog. The engine owns this interface;
// the dialog implements it, so the engine builds and is tested without any window.

#include <string>

#include "core/replacement_text.h"
#include "engine/geplante_aenderung.h"

namespace kassavero {

// DialogMode values.
inline constexpr int kDialogAsking = 1;
inline constexpr int kDialogRunning = 0;
inline constexpr int kDialogPaused = -1;
// StopRequest once the user cancelled the running conversion.
inline constexpr int kStopCancelled = 2;

// How one question ended for the session that asked it.
enum class ChangeAnswer { Yes, No, Cancelled };

class Confirmation {
  public:
    virtual ~Confirmation() = default;

    virtual void SetDialogMode(int mode) = 0;
    // 0, or kStopCancelled once the user cancelled the running conversion.
    virtual int StopRequest() const = 0;
    virtual void SetStopRequest(int value) = 0;
    // Refresh the dialog's hint texts and, by DialogMode, its buttons.
    virtual void AnpassenHinweise() = 0;
    virtual void AnpassenModus() = 0;

    // Converts the proposal into the default target currency, composes the replacement
    // and, when ask is set, waits for the user's answer (without asking the answer is
    // yes). The proposal is copied: the session may be closed while the question is
    // open. Returns whether the change is to be made; the parts are then in
    // OutputParts().
    virtual bool AskChange(const TGeplanteAenderung& proposal, bool ask,
                           const std::u32string& clientName) = 0;
    virtual ReplacementParts OutputParts() const = 0;

    // AskChange for one of several sessions: the answer says whether the user cancelled
    // this very question, and a question whose `withdrawn` is set while it waits (its
    // session was closed, its client left) ends unanswered as cancelled. Another
    // session's cancel never answers it.
    virtual ChangeAnswer Ask(const TGeplanteAenderung& proposal, bool ask,
                             const std::u32string& clientName, const bool& /*withdrawn*/) {
        if (AskChange(proposal, ask, clientName))
            return ChangeAnswer::Yes;
        return StopRequest() != 0 ? ChangeAnswer::Cancelled : ChangeAnswer::No;
    }
    // How often the user stopped the running conversion while no question was open
    // (Cancel, or closing the window): that stops every session open at the time.
    virtual unsigned StopCount() const { return 0; }
    // Whether a question or a pause waits for the user on behalf of a session that has
    // not been withdrawn; then closing another session leaves the dialog up.
    virtual bool Busy() const { return false; }
    // Ends the open question at once if it was withdrawn: a question queued behind it
    // may wait in a loop nested inside its wait, so it cannot wait to be noticed.
    virtual void EndWithdrawn() {}

    virtual bool Visible() const = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
};

}  // namespace kassavero
