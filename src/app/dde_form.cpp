#include "app/dde_form.h"

#include "core/win1252.h"
#include "platform/dbus_dde_service.h"

namespace kassavero {

TDDEForm::TDDEForm(Engine& engine, MacroServices services, const std::string& serviceName,
                   const std::filesystem::path& statusFile)
    : server_(serviceName),
      statusProfile_(statusFile),
      interpreter_(
          std::make_unique<MacroInterpreter>(server_, std::move(services), engine.EngineInit())),
      statusFile_(statusProfile_, *interpreter_) {
    statusFile_.WriteRuns(true);
    setObjectName(Caption());
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
    service->SetTextConverter([this](const std::string& clientName, const std::string& text) {
        ConvertedText out;
        TextConversion done = interpreter_->ConvertText(Utf8ToWin1252(clientName), text);
        switch (done.outcome) {
            case TextConversion::Outcome::Done:
                out.text = std::move(done.text);
                out.changes = static_cast<unsigned>(done.changes);
                break;
            case TextConversion::Outcome::NoSession:
                out.errorName = "NoSession";
                out.errorMessage = "every conversion session is in use";
                break;
            case TextConversion::Outcome::TooLarge:
                out.errorName = "TextTooLarge";
                out.errorMessage = "the text is too large to convert";
                break;
        }
        return out;
    });
    service->SetChangeLister([this](const std::string& clientName, const std::string& text) {
        ListedChanges out;
        TextConversion done = interpreter_->ListTextChanges(Utf8ToWin1252(clientName), text);
        if (done.outcome == TextConversion::Outcome::NoSession) {
            out.errorName = "NoSession";
            out.errorMessage = "every conversion session is in use";
        } else if (done.outcome == TextConversion::Outcome::TooLarge) {
            out.errorName = "TextTooLarge";
            out.errorMessage = "the text is too large to convert";
        }
        for (TextChange& change : done.list) {
            out.changes.push_back({static_cast<std::uint32_t>(change.Start),
                                   static_cast<std::uint32_t>(change.End),
                                   std::move(change.Replacement), std::move(change.CurrencyCode),
                                   change.Amount});
        }
        return out;
    });
    if (!service->Register(busName, error))
        return false;
    bus_ = std::move(service);
    return true;
}

}  // namespace kassavero
