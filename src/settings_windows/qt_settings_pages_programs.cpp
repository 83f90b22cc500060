// SPDX-License-Identifier: GPL-3.0-or-later
// The pages "Anwendungen", "Zwischenablage" and "Profile" of the settings window.

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>

#include "platform/qt_text.h"
#include "settings_windows/qt_colour_combo_box.h"
#include "settings_windows/qt_hotkey_edit.h"
#include "settings_windows/qt_settings_controls.h"
#include "settings_windows/qt_settings_dialog.h"

namespace kassavero {

using namespace settings_controls;

namespace {

struct HighlightColour {
    std::string_view Key;
    int Red, Green, Blue;
};
constexpr std::array<HighlightColour, 16> kColours{{
    {TrKey("FarbeSchwarzCBEntry"), 0, 0, 0},
    {TrKey("FarbeBlauCBEntry"), 0, 0, 255},
    {TrKey("FarbeTuerkisCBEntry"), 0, 255, 255},
    {TrKey("FarbeHellgruenCBEntry"), 0, 255, 0},
    {TrKey("FarbeRosaCBEntry"), 255, 0, 255},
    {TrKey("FarbeRotCBEntry"), 255, 0, 0},
    {TrKey("FarbeGelbCBEntry"), 255, 255, 0},
    {TrKey("FarbeWeissCBEntry"), 255, 255, 255},
    {TrKey("FarbeDunkelblauCBEntry"), 0, 0, 128},
    {TrKey("FarbeBlaugruenCBEntry"), 0, 128, 128},
    {TrKey("FarbeDunkelgruenCBEntry"), 0, 128, 0},
    {TrKey("FarbeViolettCBEntry"), 128, 0, 128},
    {TrKey("FarbeDunkelrotCBEntry"), 128, 0, 0},
    {TrKey("FarbeOckerCBEntry"), 128, 128, 0},
    {TrKey("FarbeGrau50CBEntry"), 128, 128, 128},
    {TrKey("FarbeGrau25CBEntry"), 192, 192, 192},
}};

}  // namespace

QWidget* TEinstellungen2Form::BuildAnwendungen() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    layout->addWidget(BuildWordProcessor());
    layout->addWidget(BuildSpreadsheet());
    layout->addStretch(1);
    return page;
}

QGroupBox* TEinstellungen2Form::BuildWordProcessor() {
    auto* word = Named(new QGroupBox(QStringLiteral("Textverarbeitung")), "WordGroupBox",
                       TrKey("TextverarbeitungGroupBox"));
    auto* confirm =
        Named(new QCheckBox(QStringLiteral("jede Änderung &bestätigen")),
              "WordAenderungBestaetigenCheckBox", TrKey("WordAenderungBestaetigenCheckBox"));
    auto* calculator =
        Named(new QCheckBox(QStringLiteral("gefundene Beträge im &Währungsrechner anzeigen")),
              "WordBetragImRechnerCheckBox", TrKey("WordBetragImRechnerCheckBox"));
    auto* trace =
        Named(new QCheckBox(QStringLiteral("Änderungen &vorläufig vornehmen und hervorheben:")),
              "HervorhebenCheckBox", TrKey("HervorhebenCheckBox"));
    auto* panel = Named(new QWidget, "VorlaeufigeAenderungenPanel");
    auto* bold =
        Named(new QRadioButton(QStringLiteral("&fett")), "fettCheckBox", TrKey("FettRadioButton"));
    auto* italic = Named(new QRadioButton(QStringLiteral("&kursiv")), "kursivCheckBox",
                         TrKey("KursivRadioButton"));
    auto* underline = Named(new QRadioButton(QStringLiteral("unter&strichen")),
                            "unterstrichenCheckBox", TrKey("UnterstrichenRadioButton"));
    auto* useColour = Named(new QCheckBox(QStringLiteral("farbi&g:")), "FarblichCheckBox",
                            TrKey("FarblichCheckBox"));
    auto* colours = Named(new ColourComboBox, "FarbenComboBox");
    SpeakAs(colours, useColour);
    for (const HighlightColour& colour : kColours) {
        colours->AddColour(ToQString(translator_.TranslateKey(colour.Key)),
                           QColor(colour.Red, colour.Green, colour.Blue));
    }
    auto* erased = Named(new QCheckBox(QStringLiteral("gelöschten Text &durchgestrichen zeigen")),
                         "alteSchreibungCheckBox", TrKey("AlteSchreibungCheckBox"));
    auto* margin = Named(new QCheckBox(QStringLiteral("Änderungen am &linken Rand markieren")),
                         "zeilenMarkierenCheckBox", TrKey("ZeilenMarkierenCheckBox"));
    auto* styleRow = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{bold, italic, underline})
        styleRow->addWidget(w);
    styleRow->addSpacing(16);
    styleRow->addWidget(useColour);
    styleRow->addWidget(colours);
    styleRow->addStretch(1);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(24, 0, 0, 0);
    panelLayout->addLayout(styleRow);
    panelLayout->addWidget(erased);
    panelLayout->addWidget(margin);
    auto* wordLayout = new QVBoxLayout(word);
    wordLayout->addWidget(confirm);
    wordLayout->addWidget(calculator);
    wordLayout->addWidget(trace);
    wordLayout->addWidget(panel);
    bind_.Check(confirm, [this]() -> bool& { return S().WordConfirmChanges; });
    bind_.Check(calculator, [this]() -> bool& { return S().WordDisplayInCalculator; });
    bind_.Check(trace, [this]() -> bool& { return S().WordTraceChanges; });
    const auto setStyle = [this](bool b, bool i, bool u) {
        S().WordChangesBold = b;
        S().WordChangesItalics = i;
        S().WordChangesUnderlined = u;
    };
    bind_.Radios({{bold, [this] { return S().WordChangesBold; },
                   [setStyle] { setStyle(true, false, false); }},
                  {italic, [this] { return !S().WordChangesBold && S().WordChangesItalics; },
                   [setStyle] { setStyle(false, true, false); }},
                  {underline,
                   [this] {
                       return !S().WordChangesBold && !S().WordChangesItalics &&
                              S().WordChangesUnderlined;
                   },
                   [setStyle] { setStyle(false, false, true); }}});
    bind_.Check(useColour, [this]() -> bool& { return S().WordChangesUseColor; });
    bind_.Combo(colours, [this]() -> int& { return S().WordChangesWhichColor; });
    bind_.Check(erased, [this]() -> bool& { return S().WordChangesShowErased; });
    bind_.Check(margin, [this]() -> bool& { return S().WordLeftMarkChanges; });
    return word;
}

QGroupBox* TEinstellungen2Form::BuildSpreadsheet() {
    auto* sheet = Named(new QGroupBox(QStringLiteral("Tabellenkalkulation")), "ExcelGroupBox",
                        TrKey("TabellenkalkulationGroupBox"));
    auto* sheetLayout = new QGridLayout(sheet);
    static constexpr std::array<std::string_view, 4> kPrecisionEntries{
        TrKey("ExcelHochgenauCBEntry"), TrKey("ExcelKleinsteÜberweisungCBEntry"),
        TrKey("ExcelKleinsteMünzeCBEntry"), TrKey("ExcelGenauigkeitLautEinstellungenCBEntry")};
    struct PrecisionRow {
        const char* Name;
        const char* Caption;
        std::string_view Key;
        int ProfileSettings::*Field;
    };
    const std::array<PrecisionRow, 3> rows{{
        {"ExcelKonstanteZellenComboBox", "&Zellen mit Konstanten:",
         TrKey("ExcelKonstanteZellenLabel"), &ProfileSettings::ExcelPrecision_ConstantCell},
        {"ExcelFormelkonstantenCombobox", "Konstanten &in Formeln:",
         TrKey("ExcelFormelkonstantenLabel"), &ProfileSettings::ExcelPrecision_ConstantInFormula},
        {"ExcelErgebnisseCombobox", "&Ergebnisse von Formeln:", TrKey("ExcelErgebnisseLabel"),
         &ProfileSettings::ExcelPrecision_Results},
    }};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        auto* combo = Named(new QComboBox, rows[i].Name);
        for (const std::string_view key : kPrecisionEntries)
            combo->addItem(ToQString(translator_.TranslateKey(key)));
        sheetLayout->addWidget(Label(rows[i].Caption, rows[i].Key, combo), static_cast<int>(i), 0);
        sheetLayout->addWidget(combo, static_cast<int>(i), 1);
        bind_.Combo(combo, [this, field = rows[i].Field]() -> int& { return S().*field; });
    }
    auto* symbol = Named(new QCheckBox(QStringLiteral("neues Währungssymbol se&tzen")),
                         "ExcelSymbolCheckBox", TrKey("ExcelSymbolCheckBox"));
    sheetLayout->addWidget(symbol, 3, 0, 1, 2);
    sheetLayout->setColumnStretch(2, 1);
    bind_.Check(symbol, [this]() -> bool& { return S().ExcelUseCurrencySymbols; });
    return sheet;
}

QWidget* TEinstellungen2Form::BuildZwischenablage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    auto* search =
        Named(new QCheckBox(QStringLiteral("Zwischenablage bei jeder Änderung &durchsuchen")),
              "autoSucheCheckBox", TrKey("AutoSucheCheckBox"));
    auto* useHotkey = Named(new QCheckBox(QStringLiteral("Durchsuchen per &Tastenkürzel:")),
                            "ClipboardHotkeyCheckBox", TrKey("ClipboardHotkeyCheckBox"));
    auto* hotkey = Named(new HotkeyEdit, "ClipboardHotKey");
    SpeakAs(hotkey, useHotkey);
    auto* hotkeyRow = new QHBoxLayout;
    hotkeyRow->addWidget(useHotkey);
    hotkeyRow->addWidget(hotkey);
    hotkeyRow->addStretch(1);
    bind_.Check(search, [this]() -> bool& { return S().ClipboardSearch; });
    bind_.Check(useHotkey, [this]() -> bool& { return S().ClipboardUseHotkey; });
    bind_.Hotkey(hotkey, [this]() -> int& { return S().ClipboardHotkey; });

    auto* condition = Named(new QGroupBox(QStringLiteral("Ein Betrag wird gefunden, wenn")),
                            "BedingungGroupBox", TrKey("BedingungGroupBox"));
    auto* whole = Named(new QRadioButton(QStringLiteral("der &ganze Inhalt")),
                        "ClipboardAlsGanzesRadioButton", TrKey("ClipboardAlsGanzesRadioButton"));
    auto* contains = Named(new QRadioButton(QStringLiteral("der Te&xt")),
                           "ClipboardEnthaeltRadioButton", TrKey("ClipboardEnthaeltRadioButton"));
    auto* wholeLine =
        Label("ein einziger Betrag ist", TrKey("ClipboardAlsGanzesLabel"), nullptr, "Label2");
    auto* containsLine =
        Label("einen Betrag enthält", TrKey("ClipboardEnthaeltLabel"), nullptr, "Label7");
    clickLabels_ = {wholeLine, containsLine};
    for (QLabel* line : clickLabels_)
        line->installEventFilter(this);
    auto* conditionLayout = new QGridLayout(condition);
    conditionLayout->addWidget(whole, 0, 0);
    conditionLayout->addWidget(wholeLine, 0, 1);
    conditionLayout->addWidget(contains, 1, 0);
    conditionLayout->addWidget(containsLine, 1, 1);
    conditionLayout->setColumnStretch(2, 1);
    bind_.Radios({{whole, [this] { return S().ClipboardAsAWhole; },
                   [this] { S().ClipboardAsAWhole = true; }},
                  {contains, [this] { return !S().ClipboardAsAWhole; },
                   [this] { S().ClipboardAsAWhole = false; }}});

    auto* found = Named(new QGroupBox(QStringLiteral("Gefundene Beträge")), "autoSucheGroupBox",
                        TrKey("GefundeneBetraegeGroupBox"));
    auto* show =
        Named(new QCheckBox(QStringLiteral("im &Währungsrechner anzeigen")),
              "ClipboardBetragImRechnerCheckbox", TrKey("ClipboardBetragImRechnerCheckbox"));
    auto* convert = Named(new QCheckBox(QStringLiteral("in die Standard-Zielwährung &umrechnen")),
                          "ClipboardUmrechnenCheckBox", TrKey("ClipboardUmrechnenCheckBox"));
    auto* confirm = Named(new QCheckBox(QStringLiteral("die Änderung vorher &bestätigen")),
                          "ClipboardAenderungBestaetigenCheckBox",
                          TrKey("ClipboardAenderungBestaetigenCheckBox"));
    auto* foundLayout = new QVBoxLayout(found);
    foundLayout->addWidget(show);
    foundLayout->addWidget(convert);
    auto* confirmRow = new QHBoxLayout;
    confirmRow->setContentsMargins(24, 0, 0, 0);
    confirmRow->addWidget(confirm);
    foundLayout->addLayout(confirmRow);
    bind_.Check(show, [this]() -> bool& { return S().ClipboardDisplayInCalculator; });
    bind_.Check(convert, [this]() -> bool& { return S().ClipboardReplace; });
    bind_.Check(confirm, [this]() -> bool& { return S().ClipboardConfirmChanges; });

    layout->addWidget(search);
    layout->addLayout(hotkeyRow);
    layout->addWidget(condition);
    layout->addWidget(found);
    layout->addStretch(1);
    return page;
}

QWidget* TEinstellungen2Form::BuildProfile() {
    auto* page = new QWidget;
    auto* layout = new QGridLayout(page);
    profileList_ = Named(new QListWidget, "profileListBox");
    auto* activeRow = new QHBoxLayout;
    activeName_ = Named(new QLabel, "StandardProfilNameLabel");
    QFont bold = activeName_->font();
    bold.setBold(true);
    activeName_->setFont(bold);
    activeRow->addWidget(Label("aktives Profil:", TrKey("AktivesProfilLabel")));
    activeRow->addWidget(activeName_, 1);
    auto* save = Named(new QPushButton(QStringLiteral("aktuelle Einstellungen &speichern als...")),
                       "ProfilSpeichernButton", TrKey("EinstellungenSpeichernAlsProfil"));
    auto* activate = Named(new QPushButton(QStringLiteral("&Aktivieren")), "ProfilAktivierenButton",
                           TrKey("ProfilAktivierenButton"));
    auto* remove = Named(new QPushButton(QStringLiteral("&Löschen")), "ProfilLoeschenButton",
                         TrKey("ProfilLöschenButton"));
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {save, activate, remove}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    layout->addLayout(activeRow, 0, 0, 1, 2);
    auto* listLabel = Label("&Profile:", TrKey("ProfilListeLabel"), profileList_);
    SpeakAs(profileList_, listLabel);
    layout->addWidget(listLabel, 1, 0);
    layout->addWidget(profileList_, 2, 0);
    layout->addLayout(buttons, 2, 1);
    layout->setColumnStretch(0, 1);
    connect(profileList_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!refreshing_)
            model_.SelectProfile(row);
    });
    connect(save, &QPushButton::clicked, this, [this] { model_.SaveProfileAs(); });
    connect(activate, &QPushButton::clicked, this, [this] { model_.ActivateSelectedProfile(); });
    connect(remove, &QPushButton::clicked, this, [this] { model_.DeleteSelectedProfile(); });
    return page;
}

}  // namespace kassavero
