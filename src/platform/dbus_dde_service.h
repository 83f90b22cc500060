#pragma once

// The command interface on the session bus: the methods of org.kassavero.dde.Server
// handed to the DDE server adapter, with text in UTF-8 on the bus and Windows-1252
// inside. The adaptor generated from data/dbus/org.kassavero.dde.Server.xml is attached
// to this object.

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QString>

#include <functional>
#include <string>

namespace kassavero {

class DdeServer;

// A whole text converted for a client: the text, the number of changes, or an error
// name (the part after "org.kassavero.dde.Error.") and its message.
struct ConvertedText {
    std::string text;  // UTF-8
    unsigned changes = 0;
    std::string errorName;
    std::string errorMessage;
};
using TextConverter =
    std::function<ConvertedText(const std::string& clientName, const std::string& utf8Text)>;

class DbusDdeService : public QObject, protected QDBusContext {
    Q_OBJECT
  public:
    // postMessage receives the numbers sent with PostMessage.
    DbusDdeService(DdeServer& server, std::function<void(unsigned)> postMessage,
                   QObject* parent = nullptr);
    ~DbusDdeService() override;

    // Where ConvertText goes; without one, it is refused as an unknown method would be.
    void SetTextConverter(TextConverter converter) { textConverter_ = std::move(converter); }

    // Claims the bus name and serves the object. Returns false with a reason when the
    // bus cannot be reached or the name is taken.
    bool Register(const QDBusConnection& bus, const QString& busName, QString& error);

    // Runs a global hotkey's action; returns false for an identifier that is not one.
    void SetHotkeyHandler(std::function<bool(unsigned)> handler) { hotkey_ = std::move(handler); }

  public slots:
    void Execute(const QString& topic, const QString& command);
    void Poke(const QString& topic, const QString& item, const QString& data);
    QString Request(const QString& topic, const QString& item);
    void PostMessage(uint message);
    void Hotkey(uint id);
    QString Call(const QString& topic, const QString& command);
    QString ConvertText(const QString& clientName, const QString& text, uint& changes);

  signals:
    void Advise(const QString& item, const QString& data);

  private:
    void Fail(int error);

    DdeServer& server_;
    std::function<void(unsigned)> postMessage_;
    std::function<bool(unsigned)> hotkey_;
    TextConverter textConverter_;
    QDBusConnection bus_;
    QString busName_;
};

}  // namespace kassavero
