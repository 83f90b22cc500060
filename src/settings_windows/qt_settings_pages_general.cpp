// SPDX-License-Identifier: GPL-3.0-or-later
// The pages "Allgemein", "Währungen" and "Rechner" of the settings window.

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/qt_text.h"
#include "settings_windows/qt_hotkey_edit.h"
#include "settings_windows/qt_settings_controls.h"
#include "settings_windows/qt_settings_dialog.h"

namespace kassavero {

using namespace settings_controls;

// The interface language sits beside the default currencies: it is chosen once, like them.
void TEinstellungen2Form::AddLanguageChoice(QGridLayout* grid) {
    auto* language = Named(new QComboBox, "SpracheComboBox");
    for (const std::u32string& choice : model_.LanguageChoices())
        language->addItem(ToQString(choice));
    language->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    grid->addWidget(Label("&Sprache der Oberfläche:", TrKey("OberflaechenspracheLabel"), language),
                    0, 3);
    grid->addWidget(language, 0, 4);
    auto* note = Label("gilt ab dem nächsten Start", TrKey("AbNaechstemStartLabel"));
    note->setEnabled(false);
    grid->addWidget(note, 1, 4);
    grid->setColumnMinimumWidth(2, 24);
    bind_.Selection(language, [this] { return model_.ChosenLanguage(); });
    connect(language, &QComboBox::activated, this, [this](int index) {
        model_.ChooseLanguage(index);
        Refresh();
    });
}

QWidget* TEinstellungen2Form::BuildAllgemein() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(BuildDefaultCurrencies());
    layout->addWidget(BuildOutputChoice());
    layout->addWidget(BuildCustomCurrencies());
    layout->addStretch(1);
    return page;
}

QGroupBox* TEinstellungen2Form::BuildDefaultCurrencies() {
    auto* defaults = Named(new QGroupBox(QStringLiteral("Standardwährungen")),
                           "StandardwaehrungenGroupBox", TrKey("StandardwaehrungenGroupBox"));
    auto* source = Named(new QComboBox, "WaehrungComboBox");
    auto* target = Named(new QComboBox, "StandardZielwaehrungComboBox");
    auto* grid = new QGridLayout(defaults);
    grid->addWidget(Label("Standard-&Quellwährung:", TrKey("StandardQuellwaehrungLabel"), source),
                    0, 0);
    grid->addWidget(source, 0, 1);
    grid->addWidget(Label("Standard-&Zielwährung:", TrKey("StandardZielwaehrungLabel"), target), 1,
                    0);
    grid->addWidget(target, 1, 1);
    grid->setColumnStretch(2, 1);
    BindCurrencyList(source, [this] { return S().InputDefaultCurrency; });
    BindCurrencyList(target, [this] { return S().OutputDefaultCurrency; });
    connect(source, &QComboBox::activated, this,
            [this](int index) { model_.DefaultSourceChosen(index); });
    connect(target, &QComboBox::activated, this, [this](int index) {
        S().OutputDefaultCurrency = index;
        Refresh();
    });
    if (model_.CanChooseLanguage())
        AddLanguageChoice(grid);
    return defaults;
}

QGroupBox* TEinstellungen2Form::BuildOutputChoice() {
    auto* output = Named(new QGroupBox(QStringLiteral("Umgerechnete Beträge im Text")),
                         "AusgabeGroupBox", TrKey("UmgerechneteBetraegeGroupBox"));
    auto* replace = Named(new QRadioButton(QStringLiteral("alten Betrag &ersetzen")),
                          "ersetzenRadioButton", TrKey("ErsetzenRadioButton"));
    auto* add = Named(new QRadioButton(QStringLiteral("neuen Betrag hinzu&fügen")),
                      "hinzufuegenRadioButton", TrKey("HinzufuegenRadioButton"));
    auto* panel = Named(new QWidget, "hinzufuegenPanel");
    auto* oldSymbol =
        Named(new QCheckBox(QStringLiteral("altes &Währungssymbol einfügen, wenn es fehlt")),
              "altesSymbolEinfuegenCheckBox", TrKey("AltesSymbolEinfuegenCheckBox"));
    auto* oldInBrackets = Named(new QRadioButton(QStringLiteral("NEU (AL&T)")),
                                "AltInKlammernRadioButton", TrKey("AltInKlammernRadioButton"));
    auto* newInBrackets = Named(new QRadioButton(QStringLiteral("ALT (NE&U)")),
                                "NeuInKlammernRadioButton", TrKey("NeuInKlammernRadioButton"));
    auto* alternative = Named(new QCheckBox(QStringLiteral("statt Klammern &verwenden:")),
                              "stattKlammernCheckBox", TrKey("StattKlammernCheckBox"));
    auto* left = Named(new QLineEdit, "KlammerAufEdit");
    auto* right = Named(new QLineEdit, "KlammerZuEdit");
    CharsWide(left, 6);
    CharsWide(right, 6);
    left->setAccessibleName(ToQString(translator_.TranslateKey("LinkeKlammer")));
    right->setAccessibleName(ToQString(translator_.TranslateKey("RechteKlammer")));
    auto* panelLayout = new QGridLayout(panel);
    panelLayout->setContentsMargins(24, 0, 0, 0);
    panelLayout->addWidget(oldSymbol, 0, 0, 1, 4);
    panelLayout->addWidget(oldInBrackets, 1, 0);
    panelLayout->addWidget(newInBrackets, 1, 1, 1, 3);
    panelLayout->addWidget(alternative, 2, 0);
    panelLayout->addWidget(left, 2, 1);
    panelLayout->addWidget(right, 2, 2);
    panelLayout->setColumnStretch(3, 1);
    auto* outputLayout = new QVBoxLayout(output);
    outputLayout->addWidget(replace);
    outputLayout->addWidget(add);
    outputLayout->addWidget(panel);
    bind_.Radios(
        {{replace, [this] { return S().OutputReplace; }, [this] { S().OutputReplace = true; }},
         {add, [this] { return !S().OutputReplace; }, [this] { S().OutputReplace = false; }}});
    bind_.Check(oldSymbol, [this]() -> bool& { return S().OutputInsertOldCurrencySymbol; });
    bind_.Radios({{oldInBrackets, [this] { return !S().OutputNewAmountInBrackets; },
                   [this] { S().OutputNewAmountInBrackets = false; }},
                  {newInBrackets, [this] { return S().OutputNewAmountInBrackets; },
                   [this] { S().OutputNewAmountInBrackets = true; }}});
    bind_.Check(alternative, [this]() -> bool& { return S().OutputUseAlternativeBrackets; });
    bind_.Text(left, [this]() -> std::u32string& { return S().OutputLeftBracket; });
    bind_.Text(right, [this]() -> std::u32string& { return S().OutputRightBracket; });
    return output;
}

QGroupBox* TEinstellungen2Form::BuildCustomCurrencies() {
    customGroup_ = Named(new QGroupBox(QStringLiteral("Nicht-Euro-Währungen")), "NichtEuroGroupBox",
                         TrKey("NichtEuroWaehrungenGroupBox"));
    auto* custom = new QGridLayout(customGroup_);
    const std::array<QLabel*, 4> headers{Label("Kürzel", TrKey("KuerzelLabel")),
                                         Label("Kurs/Euro", TrKey("KursProEuroLabel")),
                                         Label("Bezeichnung", TrKey("BezeichnungLabel")),
                                         Label("Später zum Euro", TrKey("SpaeterZumEuroLabel"))};
    const std::vector<std::u32string> laterChoices = model_.LaterCurrencyChoices();
    for (std::size_t column = 0; column < headers.size(); ++column)
        custom->addWidget(headers[column], 0, static_cast<int>(column) + 1);
    static constexpr std::array<std::array<const char*, 3>, 3> kNames{{
        {"Cus1ISOSymbolEdit", "Cus1KursEdit", "Cus1NameEdit"},
        {"Cus2ISOSymbolEdit", "Cus2KursEdit", "CUS2NameEdit"},
        {"Cus3ISOSymbolEdit", "Cus3KursEdit", "CUS3NameEdit"},
    }};
    static constexpr std::array<std::string_view, 3> kRowKeys{TrKey("EigeneWaehrung1Label"),
                                                              TrKey("EigeneWaehrung2Label"),
                                                              TrKey("EigeneWaehrung3Label")};
    static constexpr std::array<const char*, 3> kRowCaptions{"&1.", "&2.", "&3."};
    static constexpr std::array<const char*, 3> kLaterNames{
        "Cus1SpaeterComboBox", "Cus2SpaeterComboBox", "Cus3SpaeterComboBox"};
    for (std::size_t row = 0; row < 3; ++row) {
        auto* code = Named(new QLineEdit, kNames[row][0]);
        auto* rate = Named(new QLineEdit, kNames[row][1]);
        auto* name = Named(new QLineEdit, kNames[row][2]);
        code->setMaxLength(10);
        CharsWide(code, 8);
        CharsWide(rate, 16);
        const int gridRow = static_cast<int>(row) + 1;
        custom->addWidget(Label(kRowCaptions[row], kRowKeys[row], code), gridRow, 0);
        custom->addWidget(code, gridRow, 1);
        custom->addWidget(rate, gridRow, 2);
        custom->addWidget(name, gridRow, 3);
        // One of the later euro currencies fills the row; the fields stay editable.
        auto* later = Named(new QComboBox, kLaterNames[row]);
        later->addItem(ToQString(translator_.TranslateKey("WaehrungWaehlenEintrag")));
        for (const std::u32string& choice : laterChoices)
            later->addItem(ToQString(choice));
        later->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        custom->addWidget(later, gridRow, 4);
        connect(later, &QComboBox::activated, this, [this, row](int index) {
            if (index > 0)
                model_.ChooseLaterCurrency(static_cast<int>(row), index - 1);
            ShowLaterCurrencies();
        });
        laterLists_.push_back(later);
        // Named by column and row: "Kurs/Euro 2".
        const std::array<QWidget*, 4> fields{code, rate, name, later};
        for (std::size_t column = 0; column < fields.size(); ++column) {
            numberedFields_.push_back({fields[column], headers[column], static_cast<int>(row) + 1});
        }
        bind_.Text(code,
                   [this, row]() -> std::u32string& { return S().CustomCurrencySymbol[row]; });
        bind_.Text(rate, [this, row]() -> std::u32string& { return S().CustomCurrencyRate[row]; });
        bind_.Text(name, [this, row]() -> std::u32string& { return S().CustomCurrencyName[row]; });
        TakeDecimalKeys(rate);
        customRates_.push_back(rate);
    }
    custom->setColumnStretch(3, 1);
    return customGroup_;
}

QWidget* TEinstellungen2Form::BuildWaehrungen() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    auto* chooser = Named(new QComboBox, "ZielWaehrungWahlComboBox");
    auto* rate = ReadOnly(Named(new QLineEdit, "KursEdit"));
    CharsWide(rate, 14);
    auto* top = new QHBoxLayout;
    top->addWidget(Label("&Währung:", TrKey("AusgabeWaehrungLabel"), chooser));
    top->addWidget(chooser);
    top->addSpacing(16);
    top->addWidget(Label("Kurs: 1 EUR =", TrKey("AusgabeKursLabel"), rate));
    top->addWidget(rate);
    auto* code1 = Named(new QLabel(QStringLiteral("NWE")), "NWELabel1");
    top->addWidget(code1);
    top->addStretch(1);
    BindCurrencyList(chooser, [this] { return model_.ChooserPosition(); });
    connect(chooser, &QComboBox::activated, this,
            [this](int index) { model_.ChooseOutputCurrency(index); });
    bind_.Show([this, rate, code1] {
        rate->setText(ToQString(V().RateText));
        code1->setText(ToQString(V().CodeText));
    });

    QGroupBox* symbolGroup = BuildOutputSymbol();
    QGroupBox* numberGroup = BuildOutputNumbers();
    QGroupBox* roundGroup = BuildRounding();

    // Symbol and number format side by side keep the page, and so the window, low.
    auto* formats = new QHBoxLayout;
    formats->addWidget(symbolGroup, 1);
    formats->addWidget(numberGroup, 1);
    layout->addLayout(top);
    layout->addLayout(formats);
    layout->addWidget(roundGroup);
    layout->addStretch(1);
    return page;
}

QGroupBox* TEinstellungen2Form::BuildOutputSymbol() {
    auto* symbolGroup = Named(new QGroupBox(QStringLiteral("Währungssymbol")), "SymbolGroupBox",
                              TrKey("AusgabeSymbolGroupBox"));
    auto* useSymbol =
        Named(new QCheckBox(QStringLiteral("Währungs&symbol:")), "AusgabeWaehrungssymbolCheckBox",
              TrKey("AusgabeWaehrungssymbolCheckBox"));
    auto* symbol = Named(new QLineEdit, "ZielWaehrungszeichenEdit");
    CharsWide(symbol, 10);
    SpeakAs(symbol, useSymbol);
    auto* before = Named(new QRadioButton(QStringLiteral("Symbol &vor dem Betrag")),
                         "SymbolVorherRadioButton", TrKey("SymbolVorherRadioButton"));
    auto* after = Named(new QRadioButton(QStringLiteral("Symbol &nach dem Betrag")),
                        "SymbolNachherRadioButton", TrKey("SymbolNachherRadioButton"));
    auto* space = Named(new QCheckBox(QStringLiteral("&Leerzeichen zwischen Betrag und Symbol")),
                        "AusgabeLeerzeichenCheckBox", TrKey("AusgabeLeerzeichenCheckBox"));
    auto* symbolLayout = new QGridLayout(symbolGroup);
    symbolLayout->addWidget(useSymbol, 0, 0);
    symbolLayout->addWidget(symbol, 0, 1);
    symbolLayout->addWidget(before, 1, 0);
    symbolLayout->addWidget(after, 1, 1, 1, 2);
    symbolLayout->addWidget(space, 2, 0, 1, 3);
    symbolLayout->setColumnStretch(2, 1);
    bind_.Check(useSymbol, [this]() -> bool& { return V().UseSymbol; });
    bind_.Text(symbol, [this]() -> std::u32string& { return V().Symbol; });
    bind_.Radios(
        {{before, [this] { return V().SymbolBefore; }, [this] { V().SymbolBefore = true; }},
         {after, [this] { return !V().SymbolBefore; }, [this] { V().SymbolBefore = false; }}});
    bind_.Check(space, [this]() -> bool& { return V().SeparatingSpace; });
    return symbolGroup;
}

QGroupBox* TEinstellungen2Form::BuildOutputNumbers() {
    auto* numberGroup = Named(new QGroupBox(QStringLiteral("Zahlenformat")), "ZahlenformatGroupBox",
                              TrKey("AusgabeZahlenformatGroupBox"));
    auto* decimals = Named(new QSpinBox, "AusgabeNachkommastellenEdit");
    decimals->setRange(-6, 15);
    auto* decimalSymbol = Named(new QLineEdit, "AusgabeDezimalSymbolEdit");
    auto* useThousands =
        Named(new QCheckBox(QStringLiteral("&Tausendertrennzeichen:")),
              "AusgabeTausenderSymbolCheckBox", TrKey("AusgabeTausenderSymbolCheckBox"));
    auto* thousandSymbol = Named(new QLineEdit, "AusgabeTausenderSymbolEdit");
    CharsWide(decimalSymbol, 4);
    CharsWide(thousandSymbol, 4);
    SpeakAs(thousandSymbol, useThousands);
    auto* minusFirst =
        Named(new QRadioButton(QStringLiteral("&führend")), "AusgabeMinusVorherRadioButton",
              TrKey("AusgabeMinusVorherRadioButton"));
    auto* minusLast =
        Named(new QRadioButton(QStringLiteral("fol&gend")), "AusgabeMinusNachherRadioButton",
              TrKey("AusgabeMinusNachherRadioButton"));
    auto* minusPanel = new QWidget;
    auto* minusLayout = new QHBoxLayout(minusPanel);
    minusLayout->setContentsMargins(0, 0, 0, 0);
    minusLayout->addWidget(minusFirst);
    minusLayout->addWidget(minusLast);
    minusLayout->addStretch(1);
    auto* numberLayout = new QGridLayout(numberGroup);
    numberLayout->addWidget(
        Label("Nach&kommastellen:", TrKey("AusgabeNachkommastellenLabel"), decimals), 0, 0);
    numberLayout->addWidget(decimals, 0, 1);
    numberLayout->addWidget(
        Label("&Dezimalzeichen:", TrKey("AusgabeDezimalSymbolLabel"), decimalSymbol), 1, 0);
    numberLayout->addWidget(decimalSymbol, 1, 1);
    numberLayout->addWidget(useThousands, 2, 0);
    numberLayout->addWidget(thousandSymbol, 2, 1);
    numberLayout->addWidget(Label("Minuszeichen:", TrKey("AusgabeMinusLabel")), 3, 0);
    numberLayout->addWidget(minusPanel, 3, 1, 1, 2);
    numberLayout->setColumnStretch(2, 1);
    bind_.Spin(decimals, [this]() -> int& { return V().Decimals; });
    bind_.Text(decimalSymbol, [this]() -> std::u32string& { return V().DecimalSymbolText; });
    bind_.Check(useThousands, [this]() -> bool& { return V().UseThousandSymbol; });
    bind_.Text(thousandSymbol, [this]() -> std::u32string& { return V().ThousandSymbolText; });
    bind_.Radios(
        {{minusFirst, [this] { return V().MinusFirst; }, [this] { V().MinusFirst = true; }},
         {minusLast, [this] { return !V().MinusFirst; }, [this] { V().MinusFirst = false; }}});
    return numberGroup;
}

QGroupBox* TEinstellungen2Form::BuildRounding() {
    auto* roundGroup = Named(new QGroupBox(QStringLiteral("Rundung")), "RundungGroupBox",
                             TrKey("AusgabeRundungGroupBox"));
    auto* coin = Named(new QRadioButton(QStringLiteral("auf die kleinste &Münze:")),
                       "kleinsteMuenzeRadioButton", TrKey("KleinsteMuenzeRadioButton"));
    auto* transfer =
        Named(new QRadioButton(QStringLiteral("auf die kleinste Überweisungs&einheit:")),
              "kleinsteUeberweisungRadioButton", TrKey("KleinsteUeberweisungRadioButton"));
    auto* multiple = Named(new QRadioButton(QStringLiteral("auf ein V&ielfaches von:")),
                           "VielfacheRundenRadioButton", TrKey("VielfacheRundenRadioButton"));
    auto* digits =
        Named(new QRadioButton(QStringLiteral("auf signifik&ante Stellen:")),
              "signifikanteStellenRundenRadioButton", TrKey("SignifikanteStellenRadioButton"));
    auto* coinValue = ReadOnly(Named(new QLineEdit, "KleinsteMuenzeEdit"));
    auto* transferValue = ReadOnly(Named(new QLineEdit, "KleinsteUeberweisungEdit"));
    auto* multipleValue = Named(new QLineEdit, "VielfachesRundenEdit");
    auto* digitsValue = Named(new QSpinBox, "signifikanteStellenRundenEdit");
    digitsValue->setRange(1, 16);
    for (QWidget* field :
         std::initializer_list<QWidget*>{coinValue, transferValue, multipleValue, digitsValue})
        CharsWide(field, 12);
    SpeakAs(coinValue, coin);
    SpeakAs(transferValue, transfer);
    SpeakAs(multipleValue, multiple);
    SpeakAs(digitsValue, digits);
    auto* code2 = Named(new QLabel(QStringLiteral("NWE")), "NWELabel2");
    auto* code3 = Named(new QLabel(QStringLiteral("NWE")), "NWELabel3");
    QWidget* directionPanel = BuildRoundingDirection();
    auto* roundLayout = new QGridLayout(roundGroup);
    roundLayout->addWidget(coin, 0, 0);
    roundLayout->addWidget(coinValue, 0, 1);
    roundLayout->addWidget(code2, 0, 2);
    roundLayout->addWidget(transfer, 1, 0);
    roundLayout->addWidget(transferValue, 1, 1);
    roundLayout->addWidget(code3, 1, 2);
    roundLayout->addWidget(multiple, 2, 0);
    roundLayout->addWidget(multipleValue, 2, 1);
    roundLayout->addWidget(digits, 3, 0);
    roundLayout->addWidget(digitsValue, 3, 1);
    roundLayout->addWidget(Label("Richtung:", TrKey("AusgabeRichtungLabel")), 4, 0);
    roundLayout->addWidget(directionPanel, 5, 0, 1, 4);
    roundLayout->setColumnStretch(3, 1);
    bind_.Show([this, coinValue, transferValue, code2, code3] {
        coinValue->setText(ToQString(V().SmallestCoinText));
        transferValue->setText(ToQString(V().SmallestTransferText));
        code2->setText(ToQString(V().CodeText));
        code3->setText(ToQString(V().CodeText));
    });
    std::vector<RadioOption> strategies;
    const std::array<QAbstractButton*, 4> strategyButtons{coin, transfer, multiple, digits};
    for (int value = 0; value < 4; ++value) {
        strategies.push_back({strategyButtons[static_cast<std::size_t>(value)],
                              [this, value] { return V().Strategy == value; },
                              [this, value] { V().Strategy = value; }});
    }
    bind_.Radios(strategies);
    bind_.Text(
        multipleValue, [this]() -> std::u32string& { return V().MultipleText; },
        [this] { V().Strategy = 2; });
    TakeDecimalKeys(multipleValue);
    bind_.Spin(digitsValue, [this]() -> int& { return V().SignificantDigits; });
    return roundGroup;
}

// Which way to round, and the button that sets what the law asks for.
QWidget* TEinstellungen2Form::BuildRoundingDirection() {
    auto* commercial = Named(new QRadioButton(QStringLiteral("kaufmännis&ch")),
                             "kaufmaennischButton", TrKey("KaufmaennischRadioButton"));
    auto* up = Named(new QRadioButton(QStringLiteral("a&ufrunden")), "aufrundenButton",
                     TrKey("AufrundenRadioButton"));
    auto* down = Named(new QRadioButton(QStringLiteral("a&brunden")), "abrundenButton",
                       TrKey("AbrundenRadioButton"));
    auto* legal = Named(new QPushButton(QStringLiteral("gesetzlich")), "Button2",
                        TrKey("AusgabeGesetzlichButton"));
    legal->setAutoDefault(false);
    auto* directionPanel = new QWidget;
    auto* directionLayout = new QHBoxLayout(directionPanel);
    directionLayout->setContentsMargins(0, 0, 0, 0);
    directionLayout->addWidget(commercial);
    directionLayout->addWidget(up);
    directionLayout->addWidget(down);
    directionLayout->addStretch(1);
    directionLayout->addWidget(legal);
    std::vector<RadioOption> directions;
    const std::array<QAbstractButton*, 3> directionButtons{commercial, up, down};
    for (int value = 0; value < 3; ++value) {
        directions.push_back({directionButtons[static_cast<std::size_t>(value)],
                              [this, value] { return V().Direction == value; },
                              [this, value] { V().Direction = value; }});
    }
    bind_.Radios(directions);
    connect(legal, &QPushButton::clicked, this, [this] { model_.LegalRounding(); });
    return directionPanel;
}

QWidget* TEinstellungen2Form::BuildRechner() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    QGroupBox* lines = BuildCalculatorLines();
    QGroupBox* columns = BuildCalculatorColumns();

    auto* precision = Named(new QGroupBox(QStringLiteral("Genauigkeit")), "GenauigkeitGroupBox",
                            TrKey("RechnerGenauigkeitGroupBox"));
    auto* precisionLayout = new QVBoxLayout(precision);
    static constexpr std::array<const char*, 4> kPrecisionCaptions{
        "hoch&genau", "kleinste Einheit bei Über&weisungen", "kleinste gebräuchliche &Münze",
        "laut Währungs&einstellungen"};
    static constexpr std::array<std::string_view, 4> kPrecisionKeys{
        TrKey("RechnerAnzeigeRadioButton0"), TrKey("RechnerAnzeigeRadioButton1"),
        TrKey("RechnerAnzeigeRadioButton2"), TrKey("RechnerAnzeigeRadioButton3")};
    std::vector<RadioOption> precisions;
    for (int value = 0; value < 4; ++value) {
        const auto i = static_cast<std::size_t>(value);
        auto* button = new QRadioButton(QString::fromUtf8(kPrecisionCaptions[i]));
        button->setObjectName(QStringLiteral("RechnerAnzeigeRadioButton%1").arg(value));
        SetTranslationKey(button, kPrecisionKeys[i]);
        precisionLayout->addWidget(button);
        precisions.push_back({button, [this, value] { return S().CalculatorPrecision == value; },
                              [this, value] { S().CalculatorPrecision = value; }});
    }
    bind_.Radios(precisions);

    auto* useHotkey = Named(new QCheckBox(QStringLiteral("&Tastenkürzel:")),
                            "RechnerHotkeyCheckBox", TrKey("RechnerHotkeyCheckBox"));
    auto* hotkey = Named(new HotkeyEdit, "RechnerHotKey");
    SpeakAs(hotkey, useHotkey);
    auto* singleKey = Named(new QCheckBox(QStringLiteral("bei jeder Taste &sofort umrechnen")),
                            "tastenweiseCheckBox", TrKey("TastenweiseCheckBox"));
    bind_.Check(useHotkey, [this]() -> bool& { return S().CalculatorUseHotkey; });
    bind_.Hotkey(hotkey, [this]() -> int& { return S().CalculatorHotkey; });
    bind_.Check(singleKey, [this]() -> bool& { return S().CalculatorSingleKeyUpdate; });

    auto* row = new QHBoxLayout;
    row->addWidget(lines, 1);
    row->addWidget(columns);
    auto* hotkeyRow = new QHBoxLayout;
    hotkeyRow->addWidget(useHotkey);
    hotkeyRow->addWidget(hotkey);
    hotkeyRow->addStretch(1);
    layout->addLayout(row);
    layout->addWidget(precision);
    layout->addLayout(hotkeyRow);
    layout->addWidget(singleKey);
    layout->addStretch(1);
    return page;
}

QGroupBox* TEinstellungen2Form::BuildCalculatorLines() {
    auto* lines = Named(new QGroupBox(QStringLiteral("Angezeigte Währungen")), "ZeilenGroupBox",
                        TrKey("RechnerZeilenGroupBox"));
    auto* linesLayout = new QGridLayout(lines);
    for (CurrencyIndex c = 0; c < kCurrencyCount; ++c) {
        auto* box = new QCheckBox(QString::fromLatin1(kCodes[c]));
        box->setObjectName(ControlName(c, "DisplayCheckBox"));
        box->setIcon(QIcon(FlagPicture(FlagCountry(S(), c), box)));
        if (IsCustomCurrency(c)) {
            // A custom row shows the code and flag of the currency it holds.
            bind_.Show([this, box, c] {
                const std::u32string code = DisplayCurrencyCode(S(), c);
                box->setText(code.empty() ? QString::fromLatin1(kCodes[c]) : ToQString(code));
                box->setIcon(QIcon(FlagPicture(FlagCountry(S(), c), box)));
            });
        }
        linesLayout->addWidget(box, c % 7, c / 7);
        bind_.Check(box, [this, c]() -> bool& { return S().CalculatorLine[c]; });
    }
    linesLayout->setColumnStretch(2, 1);
    return lines;
}

QGroupBox* TEinstellungen2Form::BuildCalculatorColumns() {
    auto* columns = Named(new QGroupBox(QStringLiteral("Spalten")), "SpaltenGroupBox",
                          TrKey("RechnerSpaltenGroupBox"));
    auto* flags =
        Named(new QCheckBox(QStringLiteral("&Flaggen")), "FlaggeCheckBox", TrKey("FlaggeCheckBox"));
    auto* codes =
        Named(new QCheckBox(QStringLiteral("&Kürzel")), "WrgCheckBox", TrKey("WrgCheckBox"));
    auto* names =
        Named(new QCheckBox(QStringLiteral("&Namen")), "NameCheckBox", TrKey("NameCheckBox"));
    auto* rates =
        Named(new QCheckBox(QStringLiteral("K&urse")), "KursCheckBox", TrKey("KursCheckBox"));
    auto* columnsLayout = new QVBoxLayout(columns);
    for (QWidget* box : {flags, codes, names, rates})
        columnsLayout->addWidget(box);
    columnsLayout->addStretch(1);
    bind_.Check(
        flags, [this]() -> bool& { return S().CalculatorColFlags; },
        [this] { model_.ColumnClicked(CalculatorColumn::Flags); });
    bind_.Check(
        codes, [this]() -> bool& { return S().CalculatorColCurrencySymbols; },
        [this] { model_.ColumnClicked(CalculatorColumn::Symbols); });
    bind_.Check(
        names, [this]() -> bool& { return S().CalculatorColCurrencyNames; },
        [this] { model_.ColumnClicked(CalculatorColumn::Names); });
    bind_.Check(rates, [this]() -> bool& { return S().CalculatorColCurrencyRates; });
    return columns;
}

}  // namespace kassavero
