// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Small helpers shared by the settings window's frame and its pages: named and keyed
// controls, read-only fields, and the currency codes the controls are named by.

#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <array>
#include <string_view>

#include "core/currency.h"
#include "i18n/translate_widgets.h"
#include "platform/flag_painter.h"

namespace kassavero::settings_controls {

template <typename T>
T* Named(T* widget, const char* name, std::string_view key = {}) {
    widget->setObjectName(QString::fromLatin1(name));
    if (!key.empty())
        SetTranslationKey(widget, key);
    return widget;
}

inline QLabel* Label(const char* text, std::string_view key, QWidget* buddy = nullptr,
                     const char* name = nullptr) {
    auto* label = new QLabel(QString::fromUtf8(text));
    SetTranslationKey(label, key);
    if (name != nullptr)
        label->setObjectName(QString::fromLatin1(name));
    if (buddy != nullptr)
        label->setBuddy(buddy);
    return label;
}

// A field that only shows a value has the window's colour behind its text, so it does not
// look editable.
inline void LooksReadOnly(QWidget* field) {
    QPalette colours = field->palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::Window));
    field->setPalette(colours);
}

inline QLineEdit* ReadOnly(QLineEdit* edit) {
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::ClickFocus);
    LooksReadOnly(edit);
    return edit;
}

// Room for n average characters, so short fields do not stretch across the page.
inline void CharsWide(QWidget* widget, int chars) {
    widget->setMaximumWidth(widget->fontMetrics().averageCharWidth() * chars + 16);
}

inline QPixmap FlagPicture(std::u32string_view country, const QWidget* widget) {
    const int height = widget->fontMetrics().height();
    return CountryFlagPixmap(country, QSize(height * 3 / 2, height), widget->devicePixelRatioF());
}

inline constexpr std::array<const char*, kCurrencyCount> kCodes{"EUR", "ATS",  "BEF",  "DEM", "ESP",
                                                                "FIM", "FRF",  "IEP",  "ITL", "NLG",
                                                                "PTE", "CUS1", "CUS2", "CUS3"};

inline QString ControlName(CurrencyIndex c, const char* suffix) {
    return QString::fromLatin1(kCodes[c]) + QString::fromLatin1(suffix);
}

}  // namespace kassavero::settings_controls
