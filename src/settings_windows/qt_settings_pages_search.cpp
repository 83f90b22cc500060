// SPDX-License-Identifier: GPL-3.0-or-later
// The pages "Suchen: Symbole" and "Suchen: Zahlen" of the settings window.

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/qt_text.h"
#include "settings_windows/qt_settings_controls.h"
#include "settings_windows/qt_settings_dialog.h"

namespace kassavero {

using namespace settings_controls;

QWidget* TEinstellungen2Form::BuildSuchenSymbole() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(
        Label("Beträge in diesen Währungen werden gesucht, erkannt an ihren Symbolen:",
              TrKey("SuchenSymboleLabel")));
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(2);
    for (CurrencyIndex c = 0; c < kCurrencyCount; ++c) {
        auto* image = new QLabel;
        image->setObjectName(ControlName(c, "Image"));
        image->setPixmap(FlagPicture(FlagCountry(S(), c), image));
        auto* box = new QCheckBox(QString::fromLatin1(kCodes[c]));
        if (IsCustomCurrency(c)) {
            bind_.Show([this, image, box, c] {
                const std::u32string code = DisplayCurrencyCode(S(), c);
                box->setText(code.empty() ? QString::fromLatin1(kCodes[c]) : ToQString(code));
                image->setPixmap(FlagPicture(FlagCountry(S(), c), image));
            });
        }
        box->setObjectName(ControlName(c, "CheckBox"));
        box->setMinimumWidth(box->fontMetrics().averageCharWidth() * 10);
        auto* symbols = ReadOnly(new QLineEdit);
        symbols->setObjectName(ControlName(c, "SymbolEdit"));
        auto* button = new QPushButton(QStringLiteral("..."));
        button->setObjectName(ControlName(c, "KontextButton"));
        button->setAutoDefault(false);
        button->setMaximumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("...")) +
                                24);
        grid->addWidget(image, c, 0);
        grid->addWidget(box, c, 1);
        grid->addWidget(symbols, c, 2);
        grid->addWidget(button, c, 3);
        symbolRows_[c] = {box, symbols, button};
        bind_.Check(box, [this, c]() -> bool& { return S().InputAccept[c]; });
        bind_.Show([this, symbols, c] {
            symbols->setText(ToQString(model_.SymbolFieldText(c)));
            symbols->setCursorPosition(0);
        });
        connect(button, &QPushButton::clicked, this, [this, c] { model_.EditSymbolList(c); });
    }
    grid->setColumnStretch(2, 1);
    layout->addLayout(grid);
    layout->addStretch(1);
    return page;
}

QWidget* TEinstellungen2Form::BuildSuchenZahlen() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    layout->addWidget(BuildNumberFormat());
    layout->addWidget(BuildUnmarkedNumbers());
    layout->addStretch(1);
    return page;
}

QGroupBox* TEinstellungen2Form::BuildNumberFormat() {
    auto* format = Named(new QGroupBox(QStringLiteral("Zahlenformat")), "EingabeFormatGroupBox",
                         TrKey("EingabeZahlenformatGroupBox"));
    auto* decimals = Named(new QLineEdit, "DezimalSymbolEdit");
    auto* thousands = Named(new QLineEdit, "TausenderSymbolEdit");
    CharsWide(decimals, 12);
    CharsWide(thousands, 12);
    auto* always = Named(new QRadioButton(QStringLiteral("imm&er")), "TausenderImmerRadioButton",
                         TrKey("TausenderImmerRadioButton"));
    auto* sometimes = Named(new QRadioButton(QStringLiteral("&manchmal")),
                            "TausenderManchmalRadioButton", TrKey("TausenderManchmalRadioButton"));
    auto* never = Named(new QRadioButton(QStringLiteral("n&ie")), "TausenderNieRadioButton",
                        TrKey("TausenderNieRadioButton"));
    auto* negatives = Named(new QCheckBox(QStringLiteral("ne&gative Zahlen erkennen")),
                            "negativeZahlenCheckBox", TrKey("NegativeZahlenCheckBox"));
    auto* zero = Named(new QCheckBox(QStringLiteral("die Null vor dem &Komma darf fehlen")),
                       "NullVorKommaCheckBox", TrKey("NullVorKommaCheckBox"));
    auto* everyday = Named(new QCheckBox(QStringLiteral("A&lltagsschreibweisen erkennen")),
                           "AlltagsformenCheckBox", TrKey("AlltagsformenCheckBox"));
    auto* grouping = new QHBoxLayout;
    grouping->addWidget(always);
    grouping->addWidget(sometimes);
    grouping->addWidget(never);
    grouping->addStretch(1);
    auto* formatLayout = new QGridLayout(format);
    formatLayout->addWidget(Label("&Dezimalzeichen:", TrKey("EingabeDezimalSymbolLabel"), decimals),
                            0, 0);
    formatLayout->addWidget(decimals, 0, 1);
    formatLayout->addWidget(
        Label("&Tausendertrennzeichen:", TrKey("EingabeTausenderSymbolLabel"), thousands), 1, 0);
    formatLayout->addWidget(thousands, 1, 1);
    formatLayout->addWidget(
        Label("Tausendertrennzeichen stehen", TrKey("TausenderGruppierungLabel")), 2, 0);
    formatLayout->addLayout(grouping, 2, 1, 1, 2);
    formatLayout->addWidget(negatives, 3, 0, 1, 3);
    formatLayout->addWidget(zero, 4, 0, 1, 3);
    formatLayout->addWidget(everyday, 5, 0, 1, 3);
    formatLayout->setColumnStretch(2, 1);
    bind_.Check(everyday, [this]() -> bool& { return S().InputEverydayForms; });
    bind_.Text(decimals, [this]() -> std::u32string& { return S().InputDecimalSymbols; });
    bind_.Text(thousands, [this]() -> std::u32string& { return S().InputThousandSymbols; });
    bind_.Radios(
        {{always, [this] { return S().InputThousandsAlways; },
          [this] {
              S().InputThousandsAlways = true;
              S().InputThousandsSometimes = false;
          }},
         {sometimes, [this] { return !S().InputThousandsAlways && S().InputThousandsSometimes; },
          [this] {
              S().InputThousandsAlways = false;
              S().InputThousandsSometimes = true;
          }},
         {never, [this] { return !S().InputThousandsAlways && !S().InputThousandsSometimes; },
          [this] {
              S().InputThousandsAlways = false;
              S().InputThousandsSometimes = false;
          }}});
    bind_.Check(negatives, [this]() -> bool& { return S().InputAcceptNegatives; });
    bind_.Check(zero, [this]() -> bool& { return S().InputAcceptZero; });
    return format;
}

QGroupBox* TEinstellungen2Form::BuildUnmarkedNumbers() {
    auto* unmarked = Named(new QGroupBox(QStringLiteral("Zahlen ohne Währungssymbol")),
                           "OhneSymbolGroupBox", TrKey("ZahlenOhneSymbolGroupBox"));
    auto* standard =
        Named(new QCheckBox(QStringLiteral("interpretieren als Standard-&Quellwährung")),
              "StandardWaehrungCheckBox", TrKey("StandardWaehrungCheckBox"));
    auto* panel = Named(new QWidget, "NurZahlOptionsPanel");
    auto* onlyWith = Named(new QCheckBox(QStringLiteral("nur bei gen&au")), "giltNurFuerCheckBox",
                           TrKey("GiltNurFuerCheckBox"));
    auto* count = Named(new QSpinBox, "EingabeNachkommastellenEdit");
    count->setRange(0, 15);
    auto* stop = Named(new QCheckBox(QStringLiteral("Änderungen immer &bestätigen")),
                       "anhaltenCheckBox", TrKey("AnhaltenCheckBox"));
    auto* nonCurrency =
        Named(new QCheckBox(QStringLiteral("nicht neben diesen &Nicht-Währungssymbolen:")),
              "NonCurrencySymbolCheckBox", TrKey("NonCurrencySymbolCheckBox"));
    auto* memo = Named(new QPlainTextEdit, "NonCurrencySymbolMemo");
    memo->setReadOnly(true);
    LooksReadOnly(memo);
    memo->setTabChangesFocus(true);
    memo->setMaximumHeight(memo->fontMetrics().lineSpacing() * 4 + 12);
    auto* edit = Named(new QPushButton(QStringLiteral("...")), "Button1");
    SpeakAs(memo, nonCurrency);
    edit->setAccessibleName(ToQString(translator_.TranslateKey("NichtWaehrungssymbole")));
    edit->setAutoDefault(false);
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(onlyWith);
    countRow->addWidget(count);
    countRow->addWidget(Label("Nachkommastellen", TrKey("EingabeNachkommastellenLabel"), count,
                              "EingabeNachkommastellenLabel"));
    countRow->addStretch(1);
    auto* memoRow = new QHBoxLayout;
    memoRow->addWidget(memo, 1);
    memoRow->addWidget(edit, 0, Qt::AlignTop);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(24, 0, 0, 0);
    panelLayout->addLayout(countRow);
    panelLayout->addWidget(stop);
    panelLayout->addWidget(nonCurrency);
    panelLayout->addLayout(memoRow);
    auto* unmarkedLayout = new QVBoxLayout(unmarked);
    unmarkedLayout->addWidget(standard);
    unmarkedLayout->addWidget(panel);
    bind_.Check(standard, [this]() -> bool& { return S().InputNumbersWithoutSymbols; });
    bind_.Check(onlyWith, [this]() -> bool& { return S().InputCheckForDecimalsActive; });
    bind_.Spin(count, [this]() -> int& { return S().InputCheckForDecimals; });
    bind_.Check(stop, [this]() -> bool& { return S().InputStopOnUnmarkedNumbers; });
    bind_.Check(nonCurrency, [this]() -> bool& { return S().InputCheckForNonCurrencySymbols; });
    bind_.Show([this, memo] {
        const QString text = ToQString(model_.SymbolFieldText(kNoCurrency));
        if (memo->toPlainText() != text)
            memo->setPlainText(text);
    });
    connect(edit, &QPushButton::clicked, this, [this] { model_.EditSymbolList(kNoCurrency); });
    return unmarked;
}

}  // namespace kassavero
