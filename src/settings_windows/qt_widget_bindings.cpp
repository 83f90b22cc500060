// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_windows/qt_widget_bindings.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <utility>

#include "platform/qt_text.h"
#include "settings_windows/qt_hotkey_edit.h"

namespace kassavero {
namespace {

void ShowIndex(QComboBox* combo, int value) {
    const int index = value >= 0 && value < combo->count() ? value : -1;
    if (combo->currentIndex() != index) {
        const QSignalBlocker block(combo);
        combo->setCurrentIndex(index);
    }
}

}  // namespace

WidgetBindings::WidgetBindings(QObject* context, const bool& refreshing, Action refresh)
    : context_(context), refreshing_(refreshing), refresh_(std::move(refresh)) {}

void WidgetBindings::Check(QAbstractButton* box, const BoolField& field, const Action& after) {
    Check(box, {[field] { return field(); }, [field](const bool& checked) { field() = checked; }},
          after);
}

void WidgetBindings::Check(QAbstractButton* box, const Accessor<bool>& value, const Action& after) {
    shows_.push_back([box, get = value.Get] {
        if (box->isChecked() != get()) {
            const QSignalBlocker block(box);
            box->setChecked(get());
        }
    });
    QObject::connect(box, &QAbstractButton::toggled, context_,
                     [this, set = value.Set, after](bool checked) {
                         if (refreshing_)
                             return;
                         set(checked);
                         Changed(after);
                     });
}

void WidgetBindings::Radios(const std::vector<RadioOption>& options, const Action& after) {
    auto* group = new QButtonGroup(context_);
    for (const RadioOption& option : options) {
        group->addButton(option.Button);
        QObject::connect(option.Button, &QAbstractButton::toggled, context_,
                         [this, select = option.Select, after](bool checked) {
                             if (!checked || refreshing_)
                                 return;
                             select();
                             Changed(after);
                         });
    }
    shows_.push_back([group, options] {
        // None of the options may be selected (a value the options do not cover).
        group->setExclusive(false);
        for (const RadioOption& option : options) {
            const QSignalBlocker block(option.Button);
            option.Button->setChecked(option.Selected());
        }
        group->setExclusive(true);
    });
}

void WidgetBindings::Text(QLineEdit* edit, const TextField& field, const Action& after) {
    Text(edit,
         {[field] { return field(); }, [field](const std::u32string& text) { field() = text; }},
         after);
}

void WidgetBindings::Text(QLineEdit* edit, const Accessor<std::u32string>& value,
                          const Action& after) {
    shows_.push_back([edit, get = value.Get] {
        const QString text = ToQString(get());
        if (edit->text() != text) {
            const QSignalBlocker block(edit);
            edit->setText(text);
        }
    });
    QObject::connect(edit, &QLineEdit::textEdited, context_,
                     [this, set = value.Set, after](const QString& text) {
                         set(FromQString(text));
                         Changed(after);
                     });
}

void WidgetBindings::Spin(QSpinBox* spin, const IntField& field) {
    shows_.push_back([spin, field] {
        if (spin->value() != field()) {
            const QSignalBlocker block(spin);
            spin->setValue(field());
        }
    });
    QObject::connect(spin, &QSpinBox::valueChanged, context_, [this, field](int value) {
        if (refreshing_)
            return;
        field() = value;
        Changed({});
    });
}

void WidgetBindings::Combo(QComboBox* combo, const IntField& field) {
    shows_.push_back([combo, field] { ShowIndex(combo, field()); });
    QObject::connect(combo, &QComboBox::activated, context_, [this, field](int index) {
        field() = index;
        Changed({});
    });
}

void WidgetBindings::Hotkey(HotkeyEdit* edit, const IntField& field) {
    shows_.push_back([edit, field] { edit->SetHotkey(field()); });
    QObject::connect(edit, &HotkeyEdit::HotkeyChanged, context_, [this, field](int code) {
        field() = code;
        Changed({});
    });
}

void WidgetBindings::Selection(QComboBox* combo, const std::function<int()>& selection) {
    shows_.push_back([combo, selection] { ShowIndex(combo, selection()); });
}

void WidgetBindings::Show(Action show) {
    shows_.push_back(std::move(show));
}

void WidgetBindings::ShowAll() const {
    for (const Action& show : shows_)
        show();
}

void WidgetBindings::Changed(const Action& after) {
    if (refreshing_)
        return;
    if (after)
        after();
    refresh_();
}

}  // namespace kassavero
