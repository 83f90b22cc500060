// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dde_form.h"

#include "core/unicode_text.h"
#include "platform/dbus_dde_service.h"
#include "platform/large_buffers.h"

namespace kassavero {

namespace {

constexpr int kMemoryReturnMs = 5000;

// The bus error of a whole-text conversion that did not come to an end.
void NameError(TextConversion::Outcome outcome, std::string& name, std::string& message) {
    switch (outcome) {
        case TextConversion::Outcome::Done:
            break;
        case TextConversion::Outcome::NoSession:
            name = "NoSession";
            message = "every conversion session is in use";
            break;
        case TextConversion::Outcome::TooLarge:
            name = "TextTooLarge";
            message = "the text is too large to convert";
            break;
        case TextConversion::Outcome::Ended:
            name = "Ended";
            message = "Kassavero is ending";
            break;
    }
}

}  // namespace

TDDEForm::TDDEForm(Engine& engine, MacroServices services, const std::string& serviceName,
                   const std::filesystem::path& statusFile)
    : server_(serviceName),
      statusProfile_(statusFile, PrivateProfileFile::Oversize::PutAside),
      interpreter_(
          std::make_unique<MacroInterpreter>(server_, std::move(services), engine.EngineInit())),
      statusFile_(statusProfile_, *interpreter_) {
    statusFile_.WriteRuns(true);
    setObjectName(Caption());
    memoryReturn_.setSingleShot(true);
    memoryReturn_.setInterval(kMemoryReturnMs);
    connect(&memoryReturn_, &QTimer::timeout, this, [] { ReturnFreeMemory(); });
}

TDDEForm::~TDDEForm() {
    bus_.reset();
    statusFile_.WriteRuns(false);
}

bool TDDEForm::ConnectBus(const QString& busName, QString& error) {
    auto service = std::make_unique<DbusDdeService>(
        server_, [this](unsigned message) { statusFile_.HandleMessage(message); });
    service->SetHotkeyHandler(hotkeyHandler_);
    service->SetBusLostHandler(busLostHandler_);
    service->SetAnsweredHandler([this] { memoryReturn_.start(); });
    service->SetTextConverter([this](const std::string& clientName, const std::string& text) {
        ConvertedText out;
        TextConversion done = interpreter_->ConvertText(clientName, text);
        NameError(done.outcome, out.errorName, out.errorMessage);
        if (done.outcome == TextConversion::Outcome::Done) {
            out.text = std::move(done.text);
            out.changes = static_cast<unsigned>(done.changes);
        }
        return out;
    });
    service->SetChangeLister([this](const std::string& clientName, const std::string& text) {
        ListedChanges out;
        TextConversion done = interpreter_->ListTextChanges(clientName, text);
        NameError(done.outcome, out.errorName, out.errorMessage);
        out.changes = std::move(done.list);
        return out;
    });
    if (!service->Register(busName, error))
        return false;
    bus_ = std::move(service);
    return true;
}

}  // namespace kassavero
