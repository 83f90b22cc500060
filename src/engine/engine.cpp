// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/engine.h"

#include <algorithm>

#include <chrono>
#include <future>
#include <random>
#include <utility>

#include "core/unicode_text.h"
#include "engine/everyday_scanner.h"
#include "engine/proposal.h"
#include "i18n/translator.h"
#include "settings/active_profile.h"

namespace kassavero {
namespace {

// How long a whole-text conversion works before it lets other events run.
constexpr std::chrono::milliseconds kQuietSlice{10};

// Texts longer than this are read first on a worker: below, a thread costs more than it
// spares the other callers.
constexpr std::size_t kLongText = 1u << 20;

// Words this long are never amounts.
constexpr std::size_t kLongestAmountWord = 62;

EngineHandle DrawHandle() {
    std::mt19937 generator(static_cast<std::mt19937::result_type>(
        std::chrono::system_clock::now().time_since_epoch().count()));
    std::uniform_int_distribution<EngineHandle> high(0, 32767);
    std::uniform_int_distribution<EngineHandle> low(0, 65534);
    EngineHandle handle = 0;
    while (handle == 0)
        handle = high(generator) * 65536 + low(generator);
    return handle;
}

// The change would write an amount of 0: a sum too small to convert is left alone.
bool ShowsAsZero(const TGeplanteAenderung& change, const Proposal& proposal) {
    if (change.Amount == 0)
        return false;
    if (!proposal.Convertible)
        return false;
    return std::none_of(proposal.NewAmount.begin(), proposal.NewAmount.end(),
                        [](char32_t c) { return c >= U'1' && c <= U'9'; });
}

}  // namespace

TSession::TSession() = default;
TSession::~TSession() = default;

Engine::Engine(const ActiveProfile& profile, Translator& translator, EngineDesktop& desktop,
               Confirmation& confirmation, const DesktopRegion& region)
    : profile_(profile),
      translator_(translator),
      desktop_(desktop),
      confirmation_(confirmation),
      recognizer_(profile),
      region_(region),
      currencies_(profile, region.decimalSeparator, region.home) {}

struct Engine::EverydayReader {
    EverydayReader(const ProfileSettings& s, const DesktopRegion& r) : settings(s), region(r) {}
    ProfileSettings settings;
    DesktopRegion region;
    EverydayScanner scanner{settings, region};
};

Engine::~Engine() = default;

void Engine::ResetSlots() {
    for (int i = 0; i < kSessionSlots; ++i)
        WithdrawQuestions(i);
    for (auto& slot : slots_)
        slot.reset();
}

EngineHandle Engine::EngineInit() {
    ResetSlots();
    if (handle_ == 0)
        handle_ = DrawHandle();
    return handle_;
}

void Engine::Shutdown() {
    ResetSlots();
    handle_ = 0;
}

void Engine::Warn(std::string_view key) {
    desktop_.Warn(translator_.TranslateKey(key));
}

TSession* Engine::CheckSession(EngineHandle handle, int session) {
    if (handle_ == 0 || handle != handle_) {
        Warn(TrKey("KassaveroLibInitError"));
        return nullptr;
    }
    if (session < 0 || session >= kSessionSlots) {
        Warn(TrKey("UngueltigeSession"));
        return nullptr;
    }
    // A quiet session is its own conversion's alone: to other commands it is not open.
    const auto& slot = slots_[static_cast<std::size_t>(session)];
    if (!slot || slot->Quiet) {
        Warn(TrKey("KassaveroSessionInitError"));
        return nullptr;
    }
    return slots_[static_cast<std::size_t>(session)].get();
}

int Engine::OpenSession(EngineHandle handle, const std::u32string& clientName, bool showDialog) {
    if (handle_ == 0 || handle != handle_) {
        Warn(TrKey("KassaveroLibInitError"));
        return -1;
    }
    const int free = FreeSlot();
    if (free < 0) {
        desktop_.Warn(translator_.TranslateKey("ZuVieleSessions1") +
                      AsciiToText(std::to_string(kSessionSlots)) +
                      translator_.TranslateKey("ZuVieleSessions2"));
        return -1;
    }
    auto created = std::make_unique<TSession>();
    created->ClientName = clientName;
    created->StopsSeen = confirmation_.StopCount();
    slots_[static_cast<std::size_t>(free)] = std::move(created);

    confirmation_.SetDialogMode(kDialogRunning);
    confirmation_.SetStopRequest(0);
    confirmation_.AnpassenHinweise();
    confirmation_.AnpassenModus();
    if (showDialog)
        confirmation_.Show();
    return free;
}

int Engine::FreeSlot() const {
    for (int i = 0; i < kSessionSlots; ++i) {
        if (!slots_[static_cast<std::size_t>(i)])
            return i;
    }
    return -1;
}

int Engine::OpenQuietSession(EngineHandle handle, const std::u32string& clientName) {
    if (handle_ == 0 || handle != handle_)
        return -1;
    const int free = FreeSlot();
    if (free < 0)
        return -1;
    auto created = std::make_unique<TSession>();
    created->ClientName = clientName;
    created->Quiet = true;
    slots_[static_cast<std::size_t>(free)] = std::move(created);
    return free;
}

bool Engine::QuietSession(EngineHandle handle, int session) const {
    return handle_ != 0 && handle == handle_ && session >= 0 && session < kSessionSlots &&
           slots_[static_cast<std::size_t>(session)] != nullptr &&
           slots_[static_cast<std::size_t>(session)]->Quiet;
}

bool Engine::PrepareLongText(EngineHandle handle, int session, TSession& s,
                             std::shared_ptr<const std::u32string>& prepared,
                             std::optional<EverydayResult>& first) {
    // The words of a long text and what the whole of it says are worked out by the first
    // search in one go; that runs on a worker, over copies, while the others are served.
    if (!profile_.Settings().InputEverydayForms || s.Words.Text().size() <= kLongText)
        return true;
    // A copy: a shut-down while the worker runs would free the session's own.
    prepared = std::make_shared<const std::u32string>(s.Words.Text());
    struct Start {
        std::unique_ptr<EverydayText> text;
        std::optional<EverydayResult> first;
    };
    Start start;
    RunServing(
        [&start, &prepared, settings = profile_.Settings(), region = region_] {
            start.text = std::make_unique<EverydayText>(*prepared);
            EverydayResult result;
            if (EverydayScanner(settings, region).Next(*start.text, 0, result))
                start.first = result;
        },
        prepared->size());
    if (ending_ || !QuietSession(handle, session) ||
        slots_[static_cast<std::size_t>(session)].get() != &s) {
        return false;
    }
    s.Everyday = std::move(start.text);
    s.Resume = start.first ? start.first->resume : s.Words.Text().size();
    first = start.first;
    return true;
}

bool Engine::ConvertQuietly(EngineHandle handle, int session, std::u32string text,
                            const ChangeSink& onChange) {
    if (!QuietSession(handle, session))
        return false;
    TSession& s = *slots_[static_cast<std::size_t>(session)];
    s.Words.Assign(std::move(text));
    s.ReadPosition = 0;
    s.FreeWord = 0;
    s.Resume = 0;
    s.Everyday.reset();
    FoundChange change;
    // A copy of a long text read on a worker; the session's reader reads it.
    std::shared_ptr<const std::u32string> prepared;
    struct EverydayKept {
        TSession& session;
        ~EverydayKept() { session.Everyday.reset(); }  // it reads `prepared`
    } everydayKept{s};
    std::optional<EverydayResult> first;
    if (!PrepareLongText(handle, session, s, prepared, first))
        return false;
    struct QuietRun {
        Engine& engine;
        const bool outer = engine.quietRun_;
        ~QuietRun() {
            engine.quietRun_ = outer;
            engine.everydayChecked_ = false;
        }
    } quietRun{*this};
    quietRun_ = true;
    everydayChecked_ = false;
    bool found = false;
    if (first && AcceptEveryday(s, *first)) {
        found = true;
        FillChange(s, change);
    }
    if (!found)
        found = FindInSession(s, change);
    auto sliceStart = std::chrono::steady_clock::now();
    for (; found; found = FindInSession(s, change)) {
        const Proposal proposal =
            s.Unattended ? std::move(*s.Unattended)
                         : ProposeUnattended(s.Proposal, profile_.Settings(), currencies_);
        s.Unattended.reset();
        if (!onChange(change, proposal.Convertible ? &proposal.Parts : nullptr))
            break;
        // A long text leaves room for the other callers and the desktop now and then.
        // Nothing holds the settings here, so they may change in between; other
        // commands cannot reach a quiet session.
        if (std::chrono::steady_clock::now() - sliceStart >= kQuietSlice) {
            quietRun_ = everydayChecked_ = false;  // the others' searches compare for themselves
            desktop_.ProcessPendingEvents();
            quietRun_ = true;
            sliceStart = std::chrono::steady_clock::now();
            if (ending_ || !QuietSession(handle, session) ||
                slots_[static_cast<std::size_t>(session)].get() != &s) {
                return false;
            }
        }
    }
    return true;
}

void Engine::RunServing(const std::function<void()>& work, std::size_t size) {
    if (size <= kLongText) {
        work();
        return;
    }
    auto worker = std::async(std::launch::async, work);
    while (worker.wait_for(std::chrono::milliseconds(2)) != std::future_status::ready)
        desktop_.ProcessPendingEvents();
    worker.get();
}

void Engine::CloseQuietSession(EngineHandle handle, int session) {
    if (QuietSession(handle, session))
        slots_[static_cast<std::size_t>(session)].reset();
}

void Engine::TransferText(EngineHandle handle, int session, long long /*length*/,
                          std::u32string_view text, long long /*reserved*/) {
    desktop_.ProcessPendingEvents();
    TSession* s = CheckSession(handle, session);
    if (s == nullptr)
        return;
    // The search that comes straight after the hand-over has nothing new to let run.
    searchAfterTransfer_ = session;
    s->Words.Assign(std::u32string(text));
    s->ReadPosition = 0;
    s->FreeWord = 0;
    s->Resume = 0;
    s->Everyday.reset();
    // The change found in the last text is no longer there to confirm.
    s->Proposal = TGeplanteAenderung{};
}

bool Engine::FindNextChange(EngineHandle handle, int session, FoundChange& change) {
    if (std::exchange(searchAfterTransfer_, -1) != session)
        desktop_.ProcessPendingEvents();
    // The pending events may have closed this session; check it only now.
    TSession* s = CheckSession(handle, session);
    if (s == nullptr)
        return false;
    return FindInSession(*s, change);
}

bool Engine::FindInSession(TSession& session, FoundChange& change) {
    TSession* s = &session;
    change = FoundChange{};
    s->Unattended.reset();
    const bool found = profile_.Settings().InputEverydayForms ? FindEveryday(*s) : [&] {
        while (s->ReadPosition < s->Words.Count()) {
            const std::size_t position = s->ReadPosition++;
            s->Proposal = TGeplanteAenderung{};
            const std::size_t length = s->Words.Length(position);
            if (length == 0 || length > kLongestAmountWord)
                continue;
            TGeplanteAenderung amount;
            if (!recognizer_.ScanAmount(s->Words, position, amount, s->FreeWord))
                continue;
            if (!IsCurrency(amount.Currency) || !profile_.Settings().InputAccept[amount.Currency])
                continue;
            if (PartOfBlankGroups(s->Words.Text(), amount))
                continue;
            // The words of its symbol after it are this amount's, not the next one's.
            s->FreeWord = position + static_cast<std::size_t>(amount.WordsAfter) + 1;
            s->Proposal = amount;
            return true;
        }
        return false;
    }();
    if (!found)
        return false;
    FillChange(*s, change);
    return true;
}

void Engine::FillChange(const TSession& s, FoundChange& change) {
    change.Start = s.Proposal.Start;
    change.End = s.Proposal.End;
    change.Currency = s.Proposal.Currency;
    change.Amount = s.Proposal.Amount;
}

bool Engine::AcceptEveryday(TSession& s, const EverydayResult& result) {
    const CurrencyIndex c = result.proposal.Currency;
    if (!result.convert || !IsCurrency(c) || !profile_.Settings().InputAccept[c])
        return false;
    Proposal proposal = ProposeUnattended(result.proposal, profile_.Settings(), currencies_);
    if (ShowsAsZero(result.proposal, proposal))
        return false;
    s.Proposal = result.proposal;
    s.Unattended = std::move(proposal);
    return true;
}

bool Engine::PartOfBlankGroups(std::u32string_view text, const TGeplanteAenderung& amount) const {
    // "1 234,56 лв." where the profile groups thousands by blanks: word by word, "234,56"
    // alone is a wrong value, so a number that is one of such groups is left alone.
    // Texts write the blanks of a group alike, whichever the profile holds.
    const CharSet thousands = BuildCharSets(profile_.Settings()).Thousands;
    const bool blanks = Contains(thousands, U' ') || Contains(thousands, U'\u00A0') ||
                        Contains(thousands, U'\u202F');
    if (!blanks)
        return false;
    const auto blank = [&](std::size_t at) {
        return at < text.size() &&
               (text[at] == U' ' || text[at] == U'\u00A0' || text[at] == U'\u202F');
    };
    const auto digit = [&](std::size_t at) {
        return at < text.size() && text[at] >= U'0' && text[at] <= U'9';
    };
    std::size_t first = amount.Start;
    while (first < amount.End && !digit(first))
        ++first;
    std::size_t last = amount.End;
    while (last > first && !digit(last - 1))
        --last;
    const bool groupBefore = first >= 2 && blank(first - 1) && digit(first - 2);
    const bool groupAfter = blank(last) && digit(last + 1) && digit(last + 2) && digit(last + 3);
    return first < last && (groupBefore || groupAfter);
}

const EverydayScanner& Engine::CurrentEverydayScanner() {
    if (everydayChecked_ && everydayReader_ != nullptr)
        return everydayReader_->scanner;
    // Any setting may have changed since the last search (a command, the settings
    // window): the reader is kept only while all of them are as they were.
    if (everydayReader_ == nullptr || everydayReader_->region != region_ ||
        !(everydayReader_->settings == profile_.Settings())) {
        everydayReader_.reset();
        everydayReader_ = std::make_unique<EverydayReader>(profile_.Settings(), region_);
    }
    everydayChecked_ = quietRun_;
    return everydayReader_->scanner;
}

bool Engine::FindEveryday(TSession& s) {
    if (!s.Everyday)
        s.Everyday = std::make_unique<EverydayText>(s.Words.Text());
    const EverydayScanner& scanner = CurrentEverydayScanner();
    EverydayResult result;
    s.Proposal = TGeplanteAenderung{};
    while (scanner.Next(*s.Everyday, s.Resume, result)) {
        s.Resume = result.resume;
        if (AcceptEveryday(s, result))
            return true;
    }
    s.Resume = s.Words.Text().size();
    return false;
}

int Engine::ConfirmChange(EngineHandle handle, int session, bool showDialog,
                          ReplacementParts& parts) {
    TSession* s = CheckSession(handle, session);
    if (s == nullptr)
        return 0;
    constexpr int kStopped = kStopCancelled + 1;
    // Answered as a cancel in the dialog answers from the next change on.
    if (ending_)
        return kStopped;
    // The user stopped the running conversion since this session opened.
    if (confirmation_.StopCount() != s->StopsSeen)
        s->Stopped = true;
    if (s->Stopped)
        return kStopped;
    // Copies: the nested wait inside may close this very session.
    const TGeplanteAenderung proposal = s->Proposal;
    const std::u32string clientName = s->ClientName;
    bool withdrawn = false;
    s->Waiting.push_back(&withdrawn);
    const ChangeAnswer answer = confirmation_.Ask(proposal, showDialog, clientName, withdrawn);
    parts = confirmation_.OutputParts();
    if (withdrawn)
        return kStopped;  // the session is gone or its client left: the conversion ended
    std::erase(s->Waiting, &withdrawn);
    if (ending_)
        return kStopped;
    switch (answer) {
        case ChangeAnswer::Yes:
            return 1;
        case ChangeAnswer::No:
            return 0;
        case ChangeAnswer::Cancelled:
            // The change the user cancelled at answers cancelled too, not declined: a
            // client asked its last change would otherwise take the cancel for a
            // finished conversion. The session's later changes stop as well.
            s->Stopped = true;
            return kStopped;
    }
    return 0;
}

void Engine::WithdrawQuestions(int session) {
    if (session < 0 || session >= kSessionSlots || !slots_[static_cast<std::size_t>(session)])
        return;
    for (bool* withdrawn : std::exchange(slots_[static_cast<std::size_t>(session)]->Waiting, {}))
        *withdrawn = true;
    confirmation_.EndWithdrawn();
}

void Engine::CloseSession(EngineHandle handle, int session) {
    if (CheckSession(handle, session) == nullptr)
        return;
    WithdrawQuestions(session);
    slots_[static_cast<std::size_t>(session)].reset();
    // Another client's question or pause keeps the dialog; this session's ended above.
    if (confirmation_.Visible() && !confirmation_.Busy())
        confirmation_.Hide();
}

bool Engine::SessionExists(EngineHandle handle, int session) const {
    return handle_ != 0 && handle == handle_ && session >= 0 && session < kSessionSlots &&
           slots_[static_cast<std::size_t>(session)] != nullptr &&
           !slots_[static_cast<std::size_t>(session)]->Quiet;
}

bool Engine::SearchesWholeText(EngineHandle handle, int session) const {
    if (!SessionExists(handle, session) || profile_.Settings().InputEverydayForms)
        return true;
    return slots_[static_cast<std::size_t>(session)]->Words.Count() < TextWords::kMaxWords;
}

const TSession* Engine::Session(int session) const {
    if (session < 0 || session >= kSessionSlots)
        return nullptr;
    return slots_[static_cast<std::size_t>(session)].get();
}

bool Engine::ConfirmQuit() {
    std::u32string names;
    for (const auto& slot : slots_) {
        if (!slot)
            continue;
        if (!names.empty())
            names += U", ";
        names += slot->ClientName;
    }
    bool anyOpen = false;
    for (const auto& slot : slots_)
        anyOpen = anyOpen || slot != nullptr;
    if (anyOpen) {
        const std::u32string text = translator_.TranslateKey("NochAktiveVerbindungen") + names +
                                    U". " +
                                    translator_.TranslateKey("KassaveroBeendenBestaetigung");
        if (!desktop_.AskToQuit(text))
            return false;
    }
    // First: hiding the dialog ends an open question, whose client is told so.
    BeginShutdown();
    desktop_.CloseHelp();
    if (confirmation_.Visible())
        confirmation_.Hide();
    return true;
}

}  // namespace kassavero
