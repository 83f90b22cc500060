// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "engine/confirmation.h"

namespace kassavero::testing {

// Stands in for the confirmation dialog: records calls, answers from a script (yes
// when the script is empty) and hands out fixed replacement parts. A scripted "cancel"
// sets StopRequest as the dialog's Cancel button does.
class FakeConfirmation final : public Confirmation {
  public:
    enum class Reply { Yes, No, Cancel };

    int dialogMode = 99;
    int stopRequest = 0;
    bool visible = false;
    std::deque<Reply> replies;
    std::vector<TGeplanteAenderung> asked;
    std::vector<bool> askFlags;
    std::vector<std::u32string> calls;
    ReplacementParts parts{U"", U"new", U""};

    void SetDialogMode(int mode) override { dialogMode = mode; }
    int StopRequest() const override { return stopRequest; }
    void SetStopRequest(int value) override { stopRequest = value; }
    void AnpassenHinweise() override { calls.emplace_back(U"hints"); }
    void AnpassenModus() override { calls.emplace_back(U"mode"); }

    bool AskChange(const TGeplanteAenderung& proposal, bool ask,
                   const std::u32string& clientName) override {
        asked.push_back(proposal);
        askFlags.push_back(ask);
        calls.push_back(U"ask " + clientName);
        if (!ask || replies.empty())
            return true;
        const Reply reply = replies.front();
        replies.pop_front();
        if (reply == Reply::Cancel)
            stopRequest = 2;
        return reply == Reply::Yes;
    }
    ReplacementParts OutputParts() const override { return parts; }

    bool Visible() const override { return visible; }
    void Show() override {
        visible = true;
        calls.emplace_back(U"show");
    }
    void Hide() override {
        visible = false;
        calls.emplace_back(U"hide");
    }
};

}  // namespace kassavero::testing
