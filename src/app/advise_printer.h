#pragma once

#include <QObject>
#include <QString>

#include <iostream>

namespace kassavero {

// Prints each Advise signal of the command interface as "<item>: <data>".
class AdvisePrinter : public QObject {
    Q_OBJECT
  public slots:
    void Print(const QString& item, const QString& data) {
        std::cout << item.toStdString() << ": " << data.toStdString() << std::endl;
    }
};

}  // namespace kassavero
