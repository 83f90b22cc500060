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
                           const std::string& clientName) = 0;
    virtual ReplacementParts OutputParts() const = 0;

    // What AskChange without asking makes of the proposal, for a conversion that never
    // shows the dialog. A dialog that computes it aside leaves its own question and
    // state alone.
    virtual bool ComputeChange(const TGeplanteAenderung& proposal, ReplacementParts& parts) {
        const bool accepted = AskChange(proposal, false, {});
        parts = OutputParts();
        return accepted;
    }

    virtual bool Visible() const = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
};

}  // namespace kassavero
