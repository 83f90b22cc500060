#pragma once

#include <QObject>
#include <QString>

#include <iostream>
#include <map>

namespace kassavero {

// Prints each Advise signal of the command interface as "<item>: <data>".
class AdvisePrinter : public QObject {
    Q_OBJECT
  public slots:
    void Print(const QString& item, const QString& data) {
        std::cout << item.toStdString() << ": " << data.toStdString() << std::endl;
    }
};

// Keeps the latest text each item announced. The program announces a reply before it
// answers the call that caused it, so after the call (and the events it queued) the
// reply is here without asking for it again.
class AdviseCollector : public QObject {
    Q_OBJECT
  public:
    void Forget(const QString& item) { latest_.erase(item); }
    const QString* Latest(const QString& item) const {
        const auto it = latest_.find(item);
        return it == latest_.end() ? nullptr : &it->second;
    }

  public slots:
    void Collect(const QString& item, const QString& data) { latest_[item] = data; }

  private:
    std::map<QString, QString> latest_;
};

}  // namespace kassavero
