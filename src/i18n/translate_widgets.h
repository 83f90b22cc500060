// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Translating windows and menus: each widget or menu action carries its translation key in
// the dynamic property "trKey"; a window translates itself once, when it is created.

#include <string>
#include <string_view>

#include "i18n/translator.h"

class QAction;
class QObject;
class QString;
class QWidget;

namespace kassavero {

inline constexpr char kTranslationKeyProperty[] = "trKey";

// Stores the key (Windows-1252, or a UTF-8 key literal) in the object's property.
void SetTranslationKey(QObject* object, std::string_view key);
// The key of the object as Windows-1252, empty when it has none.
std::string TranslationKeyOf(const QObject* object);

// Looks up the key of the widget and of every widget below it, in child order. Buttons, check
// boxes, radio buttons, group boxes, labels, tab pages and windows take the text as their
// caption (a missing text leaves the caption empty); other widgets keep their text. Menus are
// left to TranslateMenu.
void TranslateControls(QWidget* control, Translator& translator);

// The action's text becomes the text of its key, if it has one; then the same for every
// action of its submenu, in order. For a submenu the key may sit on its action or on the
// menu itself.
void TranslateMenu(QAction* item, Translator& translator);
// The same for a menu bar or a menu as a whole: a key on a menu names its title; the actions
// are translated whether or not the menu itself has a key.
void TranslateMenu(QWidget* menu, Translator& translator);

// A caption as a screen reader says it: without its access-key marks, ellipsis and the
// colon that leads to a field ("Währungs&symbol:" -> "Währungssymbol").
QString SpokenCaption(const QString& caption);
// Gives a field that has no label of its own the name of the control that stands for it
// (a check box or radio button before it), as its caption reads now.
void NameByCaption(QWidget* field, const QWidget* caption);
// Names the drop-down list of every combo box in the window as its combo box is named.
void NameDropDownLists(QWidget* window);

}  // namespace kassavero
