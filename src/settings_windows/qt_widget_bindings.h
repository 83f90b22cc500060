// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Binds the controls of a window to the values they edit. Each binding shows its value
// when ShowAll runs and writes the user's change back, after which the window shows
// everything anew. While the window shows values, the signals of its own updates are not
// the user's and change nothing.

#include <functional>
#include <string>
#include <vector>

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QObject;
class QSpinBox;

namespace kassavero {

class HotkeyEdit;

class WidgetBindings {
  public:
    using Action = std::function<void()>;
    using BoolField = std::function<bool&()>;
    using IntField = std::function<int&()>;
    using TextField = std::function<std::u32string&()>;

    // A value that is read and written through calls rather than in place.
    template <typename T>
    struct Accessor {
        std::function<T()> Get;
        std::function<void(const T&)> Set;
    };

    struct RadioOption {
        QAbstractButton* Button;
        std::function<bool()> Selected;
        Action Select;
    };

    // refreshing is the window's flag, set while it shows values; refresh shows them all.
    WidgetBindings(QObject* context, const bool& refreshing, Action refresh);

    // after runs once the value is written, before the window is shown anew.
    void Check(QAbstractButton* box, const BoolField& field, const Action& after = {});
    void Check(QAbstractButton* box, const Accessor<bool>& value, const Action& after = {});
    void Radios(const std::vector<RadioOption>& options, const Action& after = {});
    void Text(QLineEdit* edit, const TextField& field, const Action& after = {});
    void Text(QLineEdit* edit, const Accessor<std::u32string>& value, const Action& after = {});
    void Spin(QSpinBox* spin, const IntField& field);
    void Combo(QComboBox* combo, const IntField& field);
    void Hotkey(HotkeyEdit* edit, const IntField& field);
    // The entry is only shown; the window handles the user's choice itself.
    void Selection(QComboBox* combo, const std::function<int()>& selection);
    // Anything else the window shows with the bound values, in the same order.
    void Show(Action show);

    void ShowAll() const;
    // After a change by the user: runs after and shows the window anew.
    void Changed(const Action& after);

  private:
    QObject* context_;
    const bool& refreshing_;
    Action refresh_;
    std::vector<Action> shows_;
};

}  // namespace kassavero
