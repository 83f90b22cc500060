// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The About window. At start-up it shows its picture alone, without a frame, until its
// timer fires, the user clicks it or presses Esc, or another program becomes active;
// from the menus it is an ordinary small window with the program's name and version.

#include <QDialog>
#include <QTimer>

#include "platform/program_windows.h"

class QLabel;
class QPushButton;

namespace kassavero {

class Translator;

class TAboutForm final : public QDialog, public AboutWindow {
    Q_OBJECT
  public:
    // picture: the About picture (an SVG file); a plain field when it cannot be read.
    TAboutForm(Translator& translator, const QString& picture);

    // The start-up picture; closes by itself after the given time.
    void ShowStartUp(int milliseconds = 2500);
    // The window from the menus (also `settings:showabout`).
    void ShowAbout() override;

    bool InStartUpMode() const { return startUp_; }

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void SetStartUpMode(bool startUp);

    QLabel* picture_;
    QWidget* textPanel_ = nullptr;
    QLabel* name_;
    QLabel* description_;
    QPushButton* close_;
    QTimer timer_;
    bool startUp_ = false;
};

}  // namespace kassavero
