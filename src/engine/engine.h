// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Conversion sessions: a client opens a session, hands over a piece of text, asks for
// the next amount, has each change confirmed and receives the replacement text.
// Up to ten sessions are open at a time. Every operation checks the engine handle and
// the session and answers a failure value (false, 0 or -1) instead of raising errors.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/currency.h"
#include "core/text_words.h"
#include "engine/amount_recognizer.h"
#include "engine/confirmation.h"
#include "engine/engine_desktop.h"
#include "engine/everyday_forms.h"
#include "engine/geplante_aenderung.h"
#include "engine/proposal.h"

namespace kassavero {

class ActiveProfile;
class Translator;

using EngineHandle = std::uint32_t;

inline constexpr int kSessionSlots = 10;

class EverydayScanner;
class EverydayText;
struct EverydayResult;

struct TSession {
    TSession();
    ~TSession();
    std::size_t ReadPosition = 0;  // index of the next word to test
    // The first word that no change found so far has taken as its symbol.
    std::size_t FreeWord = 0;
    std::u32string ClientName;
    TextWords Words;
    TGeplanteAenderung Proposal;
    // What the last search worked out for its change without the dialog, if it did: a
    // quiet conversion uses it instead of working it out again.
    std::optional<kassavero::Proposal> Unattended;
    // The everyday recognition reads the text by characters: where it goes on, and the
    // text split its way (made when first needed).
    std::size_t Resume = 0;
    std::unique_ptr<EverydayText> Everyday;
    // The user stopped this session's conversion: every later change answers stopped.
    bool Stopped = false;
    // The dialog's stop count when the session opened (Confirmation::StopCount).
    unsigned StopsSeen = 0;
    // The questions of this session that wait for the user, each withdrawn by setting
    // its flag.
    std::vector<bool*> Waiting;
    // Opened by OpenQuietSession: only its own conversion may touch it.
    bool Quiet = false;
};

// A change found in the transferred text, in characters from its start.
struct FoundChange {
    std::size_t Start = 0;
    std::size_t End = 0;
    CurrencyIndex Currency = kNoCurrency;
    double Amount = 0;
};

class Engine {
  public:
    Engine(const ActiveProfile& profile, Translator& translator, EngineDesktop& desktop,
           Confirmation& confirmation, const DesktopRegion& region);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Clears the slots and returns the handle, drawing a random non-zero one the first
    // time.
    EngineHandle EngineInit();
    // The handle becomes 0 again; every later call is refused.
    void Shutdown();
    EngineHandle Handle() const { return handle_; }

    // The session id 0..9, or -1.
    int OpenSession(EngineHandle handle, const std::u32string& clientName, bool showDialog);
    // Texts of any length are taken; offsets are never cut short. The length and the
    // reserved number are the client's own and are only kept.
    void TransferText(EngineHandle handle, int session, long long length, std::u32string_view text,
                      long long reserved);
    bool FindNextChange(EngineHandle handle, int session, FoundChange& change);
    // 1 accepted, 0 declined, 2 or more: the user cancelled the conversion.
    int ConfirmChange(EngineHandle handle, int session, bool showDialog, ReplacementParts& parts);
    // Withdraws the session's questions that wait for the user, frees the slot, and hides
    // the dialog unless another session's question or pause still waits in it.
    void CloseSession(EngineHandle handle, int session);
    bool SessionExists(EngineHandle handle, int session) const;
    // Whether the search reads the session's whole text: the word-by-word rules read a
    // limited number of words of one transfer, the everyday reading any length.
    bool SearchesWholeText(EngineHandle handle, int session) const;
    // Ends the session's questions that wait for the user, unanswered (their client
    // went away); the session stays open.
    void WithdrawQuestions(int session);

    // For a conversion that never asks: a session that leaves the dialog alone and, when
    // every slot is taken, is -1 without a message.
    int OpenQuietSession(EngineHandle handle, const std::u32string& clientName);
    // Searches the text in the session and hands each change, with its replacement
    // (nullptr when it cannot be converted), to onChange until that returns false. Every
    // few milliseconds pending events run, so a long text does not hold up other clients;
    // other commands cannot reach a quiet session. False when the handle or session is
    // not valid, or when the program began to end meanwhile (the conversion is then
    // incomplete).
    using ChangeSink = std::function<bool(const FoundChange&, const ReplacementParts*)>;
    bool ConvertQuietly(EngineHandle handle, int session, std::u32string text,
                        const ChangeSink& onChange);
    // Runs work that touches nothing of the program's on a worker thread, serving pending
    // events meanwhile, so a long piece of it holds up no one.
    // Work on no more than about a million characters runs here and now.
    void RunServing(const std::function<void()>& work, std::size_t size);
    // Closes such a session; the dialog, which another client may be using, stays.
    void CloseQuietSession(EngineHandle handle, int session);
    // Asks whether open sessions may be dropped; true if the program may end, which
    // then begins its shut-down.
    bool ConfirmQuit();
    // The program is ending. A question it ends and every confirmation after it answer
    // "cancelled": that is no answer of the user's, and a client told "declined" would go
    // on converting with a program that is going away.
    void BeginShutdown() { ending_ = true; }

    // The open session in a slot, or nullptr.
    const TSession* Session(int session) const;

  private:
    TSession* CheckSession(EngineHandle handle, int session);
    bool QuietSession(EngineHandle handle, int session) const;
    void ResetSlots();
    int FreeSlot() const;
    bool FindInSession(TSession& s, FoundChange& change);
    bool FindEveryday(TSession& s);
    // Takes an amount the everyday reading found as the session's change, unless the
    // settings leave it alone.
    bool AcceptEveryday(TSession& s, const EverydayResult& result);
    // Reads a long text on a worker for a quiet conversion; false when the session or the
    // program ended meanwhile.
    bool PrepareLongText(EngineHandle handle, int session, TSession& s,
                         std::shared_ptr<const std::u32string>& prepared,
                         std::optional<EverydayResult>& first);
    static void FillChange(const TSession& s, FoundChange& change);
    // A nonzero amount whose conversion would read as zero ("80 centesimi" that are euro
    // cents): never a right change.
    // Word by word, a number that is one of several groups of digits parted by a blank
    // the profile counts as a thousands separator.
    bool PartOfBlankGroups(std::u32string_view text, const TGeplanteAenderung& amount) const;
    void Warn(std::string_view key);

    const ActiveProfile& profile_;
    Translator& translator_;
    EngineDesktop& desktop_;
    Confirmation& confirmation_;
    AmountRecognizer recognizer_;
    DesktopRegion region_;
    // For a conversion without the dialog; the custom rates are read live.
    CurrencyTable currencies_;
    EngineHandle handle_ = 0;
    bool ending_ = false;
    // The session whose text was just handed over, until its search (see TransferText).
    int searchAfterTransfer_ = -1;
    std::array<std::unique_ptr<TSession>, kSessionSlots> slots_;
    // The everyday reader, over a copy of the settings it was built for: building it
    // indexes every symbol of the profile, and a long text asks for it at every amount.
    struct EverydayReader;
    std::unique_ptr<EverydayReader> everydayReader_;
    // Within a quiet conversion nothing runs between two of its searches but where it lets
    // the others be served, so the settings are compared once after each such pause.
    bool quietRun_ = false;
    bool everydayChecked_ = false;
    const EverydayScanner& CurrentEverydayScanner();
};

}  // namespace kassavero
