#include "engine/engine.h"

#include "engine/everyday_scanner.h"

#include <chrono>
#include <random>

#include "platform/help.h"
#include "platform/message_box.h"
#include "platform/message_loop.h"
#include "settings/active_profile.h"
#include "shell/translator.h"

namespace kassavero {
namespace {

constexpr const char* kCaption = "Kassavero";

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

}  // namespace

TSession::TSession() = default;
TSession::~TSession() = default;

Engine::Engine(const ActiveProfile& profile, Translator& translator, MessageBoxes& messageBoxes,
               MessageLoop& messageLoop, Help& help, Confirmation& confirmation,
               const DesktopRegion& region)
    : profile_(profile),
      translator_(translator),
      messageBoxes_(messageBoxes),
      messageLoop_(messageLoop),
      help_(help),
      confirmation_(confirmation),
      recognizer_(profile),
      region_(region) {}

Engine::~Engine() = default;

EngineHandle Engine::EngineInit() {
    for (auto& slot : slots_)
        slot.reset();
    if (handle_ == 0)
        handle_ = DrawHandle();
    return handle_;
}

void Engine::Shutdown() {
    for (auto& slot : slots_)
        slot.reset();
    handle_ = 0;
}

void Engine::Warn(std::string_view key) {
    messageBoxes_.ShowMessageBox(translator_.TranslateKey(key), kCaption,
                                 mb::kOk | mb::kIconWarning);
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
    if (!slots_[static_cast<std::size_t>(session)]) {
        Warn(TrKey("KassaveroSessionInitError"));
        return nullptr;
    }
    return slots_[static_cast<std::size_t>(session)].get();
}

int Engine::OpenSession(EngineHandle handle, const std::string& clientName, bool showDialog) {
    if (handle_ == 0 || handle != handle_) {
        Warn(TrKey("KassaveroLibInitError"));
        return -1;
    }
    const int free = FreeSlot();
    if (free < 0) {
        messageBoxes_.ShowMessageBox(translator_.TranslateKey("ZuVieleSessions1") +
                                         std::to_string(kSessionSlots) +
                                         translator_.TranslateKey("ZuVieleSessions2"),
                                     kCaption, mb::kOk | mb::kIconWarning);
        return -1;
    }
    auto created = std::make_unique<TSession>();
    created->ClientName = clientName;
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

int Engine::OpenQuietSession(EngineHandle handle, const std::string& clientName) {
    if (handle_ == 0 || handle != handle_)
        return -1;
    const int free = FreeSlot();
    if (free < 0)
        return -1;
    auto created = std::make_unique<TSession>();
    created->ClientName = clientName;
    slots_[static_cast<std::size_t>(free)] = std::move(created);
    return free;
}

bool Engine::ConvertQuietly(EngineHandle handle, int session, std::string text,
                            const ChangeSink& onChange) {
    if (!SessionExists(handle, session))
        return false;
    TSession& s = *slots_[static_cast<std::size_t>(session)];
    s.Words.Assign(std::move(text));
    s.ReadPosition = 0;
    s.FreeWord = 0;
    s.Resume = 0;
    s.Everyday.reset();
    FoundChange change;
    while (FindInSession(s, change)) {
        ReplacementParts parts;
        const bool convertible = confirmation_.ComputeChange(s.Proposal, parts);
        if (!onChange(change, convertible ? &parts : nullptr))
            break;
    }
    return true;
}

void Engine::CloseQuietSession(EngineHandle handle, int session) {
    if (SessionExists(handle, session))
        slots_[static_cast<std::size_t>(session)].reset();
}

void Engine::TransferText(EngineHandle handle, int session, long long /*length*/,
                          std::string_view text, long long /*reserved*/) {
    messageLoop_.ProcessPendingMessages();
    TSession* s = CheckSession(handle, session);
    if (s == nullptr)
        return;
    s->Words.Assign(std::string(text));
    s->ReadPosition = 0;
    s->FreeWord = 0;
    s->Resume = 0;
    s->Everyday.reset();
    // The change found in the last text is no longer there to confirm.
    s->Proposal = TGeplanteAenderung{};
}

bool Engine::FindNextChange(EngineHandle handle, int session, FoundChange& change) {
    messageLoop_.ProcessPendingMessages();
    // The pending events may have closed this session; check it only now.
    TSession* s = CheckSession(handle, session);
    if (s == nullptr)
        return false;
    return FindInSession(*s, change);
}

bool Engine::FindInSession(TSession& session, FoundChange& change) {
    TSession* s = &session;
    change = FoundChange{};
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
            // The words of its symbol after it are this amount's, not the next one's.
            s->FreeWord = position + static_cast<std::size_t>(amount.WordsAfter) + 1;
            s->Proposal = amount;
            return true;
        }
        return false;
    }();
    if (!found)
        return false;
    change.Start = s->Proposal.Start;
    change.End = s->Proposal.End;
    change.Currency = s->Proposal.Currency;
    change.Amount = s->Proposal.Amount;
    return true;
}

bool Engine::FindEveryday(TSession& s) {
    if (!s.Everyday)
        s.Everyday = std::make_unique<EverydayText>(s.Words.Text());
    const EverydayScanner scanner(profile_.Settings(), region_);
    EverydayResult result;
    s.Proposal = TGeplanteAenderung{};
    while (scanner.Next(*s.Everyday, s.Resume, result)) {
        s.Resume = result.resume;
        const CurrencyIndex c = result.proposal.Currency;
        if (!result.convert || !IsCurrency(c) || !profile_.Settings().InputAccept[c])
            continue;
        s.Proposal = result.proposal;
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
    // Answered as a cancel in the dialog answers from the next change on.
    if (ending_)
        return kStopCancelled + 1;
    if (confirmation_.StopRequest() != 0)
        return confirmation_.StopRequest() + 1;
    // Copies: the nested wait inside may close this very session.
    const TGeplanteAenderung proposal = s->Proposal;
    const std::string clientName = s->ClientName;
    const bool accepted = confirmation_.AskChange(proposal, showDialog, clientName);
    parts = confirmation_.OutputParts();
    // The change the user cancelled at answers cancelled too, not declined: a client asked
    // its last change would otherwise take the cancel for a finished conversion.
    if (ending_ || (!accepted && confirmation_.StopRequest() != 0))
        return kStopCancelled + 1;
    return accepted ? 1 : 0;
}

void Engine::CloseSession(EngineHandle handle, int session) {
    if (CheckSession(handle, session) == nullptr)
        return;
    if (confirmation_.Visible())
        confirmation_.Hide();
    slots_[static_cast<std::size_t>(session)].reset();
}

bool Engine::SessionExists(EngineHandle handle, int session) const {
    return handle_ != 0 && handle == handle_ && session >= 0 && session < kSessionSlots &&
           slots_[static_cast<std::size_t>(session)] != nullptr;
}

const TSession* Engine::Session(int session) const {
    if (session < 0 || session >= kSessionSlots)
        return nullptr;
    return slots_[static_cast<std::size_t>(session)].get();
}

bool Engine::ConfirmQuit() {
    std::string names;
    for (const auto& slot : slots_) {
        if (!slot)
            continue;
        if (!names.empty())
            names += ", ";
        names += slot->ClientName;
    }
    bool anyOpen = false;
    for (const auto& slot : slots_)
        anyOpen = anyOpen || slot != nullptr;
    if (anyOpen) {
        const std::string text = translator_.TranslateKey("NochAktiveVerbindungen") + names + ". " +
                                 translator_.TranslateKey("KassaveroBeendenBestaetigung");
        const int answer =
            messageBoxes_.ShowMessageBox(text, kCaption, mb::kYesNoCancel | mb::kDefaultButton2);
        if (answer != kIdYes)
            return false;
    }
    // First: hiding the dialog ends an open question, whose client is told so.
    BeginShutdown();
    help_.Close();
    if (confirmation_.Visible())
        confirmation_.Hide();
    return true;
}

}  // namespace kassavero
