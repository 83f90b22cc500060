// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/everyday_forms.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/win1252.h"

namespace kassavero {
namespace {

// Flags of a row.
constexpr unsigned kB = 1;         // before the number
constexpr unsigned kA = 2;         // after it
constexpr unsigned kBA = kB | kA;  // either side
constexpr unsigned kG = 4;         // may touch the number
constexpr unsigned kCase = 8;      // only in this spelling
constexpr unsigned kHome = 16;     // only where the currency is the desktop's own
constexpr unsigned kFranc = 32;    // Swiss francs on a Swiss desktop

constexpr double kSub = 0.01;

struct Row {
    const char* text;  // UTF-8
    FormKind kind;
    CurrencyIndex currency;
    unsigned flags;
    double factor = 1.0;
    int family = -1;
    CurrencyIndex home = kNoCurrency;  // with kHome: the desktop's currency, if not this one
    CurrencyIndex older = kNoCurrency;
};

constexpr FormKind C = FormKind::Currency;
constexpr FormKind F = FormKind::Foreign;
constexpr FormKind U = FormKind::Unit;

// Magnitude families: the words one language writes, smallest first.
enum Family {
    kGermanShort,
    kGermanLong,
    kFrench,
    kItalian,
    kShort,
    kSpanish,
    kPortuguese,
    kDutch,
    kEnglish,
    kFrenchShort,
    kFamilyCount
};

// Rows are tried in order for the same text: a row bound to a home currency comes before
// the general one.
const std::vector<Row>& Rows() {
    static const std::vector<Row> rows = {
        // Euro.
        {"€", C, kEUR, kBA | kG},
        {"¤", C, kEUR, kBA | kG},  // where the euro sign could not be printed
        {"EUR", C, kEUR, kBA | kG},
        {"Eur", C, kEUR, kBA},
        {"Eur.", C, kEUR, kBA},
        {"Euro", C, kEUR, kBA},
        {"Euros", C, kEUR, kBA},
        {"€uro", C, kEUR, kBA},
        {"Euro-Cent", C, kEUR, kA, kSub},
        {"Eurocent", C, kEUR, kA, kSub},
        {"Eurocents", C, kEUR, kA, kSub},
        {"Cent", C, kEUR, kA, kSub, -1, kNoCurrency, kNLG},
        {"Cents", C, kEUR, kA, kSub, -1, kNoCurrency, kNLG},
        {"ct", C, kEUR, kA | kG, kSub},
        {"ct.", C, kEUR, kA | kG, kSub},
        {"centimes d'euro", C, kEUR, kA, kSub},
        {"centimes d’euro", C, kEUR, kA, kSub},
        {"centimes d'euros", C, kEUR, kA, kSub},
        {"centimes", C, kEUR, kA | kFranc, kSub, -1, kNoCurrency, kFRF},
        {"centime", C, kEUR, kA | kFranc, kSub, -1, kNoCurrency, kFRF},
        {"céntimos de euro", C, kEUR, kA, kSub},
        {"céntimos", C, kEUR, kA, kSub, -1, kNoCurrency, kESP},
        {"céntimo", C, kEUR, kA, kSub, -1, kNoCurrency, kESP},
        {"cêntimos de euro", C, kEUR, kA, kSub},
        {"centesimi di euro", C, kEUR, kA, kSub},
        // Deutsche Mark.
        {"DM", C, kDEM, kBA | kG | kCase},
        {"DEM", C, kDEM, kBA | kCase},
        {"D-Mark", C, kDEM, kBA},
        {"DMark", C, kDEM, kBA},
        {"Mark", C, kDEM, kA},
        {"Deutsche Mark", C, kDEM, kBA},
        {"Deutschmark", C, kDEM, kBA},
        {"Deutschmarks", C, kDEM, kBA},
        {"Deutsche Marks", C, kDEM, kA},
        {"marks", C, kDEM, kA},
        {"marcos", C, kDEM, kA},
        {"marcos alemanes", C, kDEM, kA},
        {"marchi", C, kDEM, kA},
        {"marchi tedeschi", C, kDEM, kA},
        {"Duitse mark", C, kDEM, kA},
        {"Pfennig", C, kDEM, kA, kSub},
        {"Pfennige", C, kDEM, kA, kSub},
        {"Pfennigen", C, kDEM, kA, kSub},
        {"Pfenning", C, kDEM, kA, kSub},
        {"Deutsche Pfennige", C, kDEM, kA, kSub},
        {"Pf", C, kDEM, kA | kG | kCase, kSub},
        {"Pf.", C, kDEM, kA | kG | kCase, kSub},
        {"Pfg", C, kDEM, kA | kG, kSub},
        {"Pfg.", C, kDEM, kA | kG, kSub},
        // Schilling.
        {"ATS", C, kATS, kBA | kCase},
        {"öS", C, kATS, kBA | kG},
        {"S", C, kATS, kBA | kG | kCase | kHome},
        {"Schilling", C, kATS, kBA},
        {"Schillinge", C, kATS, kA},
        {"Schillingen", C, kATS, kA},
        {"Schillings", C, kATS, kA},
        {"österreichische Schilling", C, kATS, kA},
        {"österreichischen Schilling", C, kATS, kA},
        {"Groschen", C, kATS, kA, kSub},
        // Belgian franc.
        {"BEF", C, kBEF, kBA | kCase},
        {"FB", C, kBEF, kBA | kG | kCase},
        {"BF", C, kBEF, kBA | kG | kCase},
        {"Bfr", C, kBEF, kBA | kG},
        {"Bfr.", C, kBEF, kBA | kG},
        {"BFr.", C, kBEF, kBA | kG},
        {"LUF", C, kBEF, kBA | kCase},
        {"fr.", C, kBEF, kBA | kG | kHome | kFranc},
        {"F", C, kBEF, kBA | kG | kCase | kHome | kFranc},
        {"francs", C, kBEF, kBA | kHome | kFranc},
        {"franc", C, kBEF, kBA | kHome | kFranc},
        {"frs", C, kBEF, kBA | kHome | kFranc},
        {"frs.", C, kBEF, kBA | kHome | kFranc},
        {"francs belges", C, kBEF, kA},
        {"franc belge", C, kBEF, kA},
        {"francs luxembourgeois", C, kBEF, kA},
        {"Belgische frank", C, kBEF, kA},
        {"Belgische franken", C, kBEF, kA},
        {"Belgische franc", C, kBEF, kA},
        {"belgische Francs", C, kBEF, kA},
        {"belgische Franken", C, kBEF, kA},
        {"belgischen Franken", C, kBEF, kA},
        {"Luxemburger Franken", C, kBEF, kA},
        {"francos belgas", C, kBEF, kA},
        {"franchi belgi", C, kBEF, kA},
        {"Belgian francs", C, kBEF, kA},
        {"centiemen", C, kBEF, kA, kSub},
        {"centiem", C, kBEF, kA, kSub},
        {"frank", C, kBEF, kA},
        {"franken", C, kBEF, kA | kHome},
        {"franken", C, kBEF, kA | kHome, 1.0, -1, kNLG},  // Dutch desktops: Belgian francs
        // Peseta.
        {"ESP", C, kESP, kBA | kCase},
        {"pta", C, kESP, kBA | kG},
        {"pta.", C, kESP, kBA | kG},
        {"ptas", C, kESP, kBA | kG},
        {"ptas.", C, kESP, kBA | kG},
        {"pts", C, kESP, kBA | kG},
        {"pts.", C, kESP, kBA | kG},
        {"pesetas", C, kESP, kBA},
        {"peseta", C, kESP, kBA},
        {"Peseten", C, kESP, kBA},
        {"céntimos de peseta", C, kESP, kA, kSub},
        {"duros", C, kESP, kA, 5.0},
        {"duro", C, kESP, kA, 5.0},
        // Markka.
        {"FIM", C, kFIM, kBA | kCase},
        {"Fmk", C, kFIM, kBA | kG},
        {"mk", C, kFIM, kBA | kG | kHome},
        {"mk.", C, kFIM, kBA | kG | kHome},
        {"markkaa", C, kFIM, kA},
        {"markka", C, kFIM, kA},
        {"Finnmark", C, kFIM, kBA},
        {"finnische Mark", C, kFIM, kA},
        {"penniä", C, kFIM, kA, kSub},
        {"penni", C, kFIM, kA, kSub},
        // French franc.
        {"FRF", C, kFRF, kBA | kCase},
        {"FF", C, kFRF, kBA | kG | kCase},
        {"F", C, kFRF, kBA | kG | kCase | kHome | kFranc},
        {"f", C, kFRF, kA | kCase | kHome},
        {"francs", C, kFRF, kBA | kHome | kFranc},
        {"franc", C, kFRF, kBA | kHome | kFranc},
        {"frs", C, kFRF, kBA | kHome | kFranc},
        {"frs.", C, kFRF, kBA | kHome | kFranc},
        {"fr.", C, kFRF, kA | kHome | kFranc},
        {"francs français", C, kFRF, kA},
        {"nouveaux francs", C, kFRF, kA},
        {"centimes de franc", C, kFRF, kA, kSub},
        {"centimes de francs", C, kFRF, kA, kSub},
        {"französische Franc", C, kFRF, kA},
        {"französische Francs", C, kFRF, kA},
        {"französische Franken", C, kFRF, kA},
        {"französischen Franc", C, kFRF, kA},
        {"French francs", C, kFRF, kA},
        {"Franse frank", C, kFRF, kA},
        {"Franse franc", C, kFRF, kA},
        {"francos franceses", C, kFRF, kA},
        {"franchi francesi", C, kFRF, kA},
        {"MF", C, kFRF, kA | kCase | kHome, 1e6, kFrench},
        {"MdF", C, kFRF, kA | kCase | kHome, 1e9, kFrench},
        {"MdsF", C, kFRF, kA | kCase | kHome, 1e9, kFrench},
        {"KF", C, kFRF, kA | kCase | kHome, 1e3, kFrench},
        // Irish pound.
        {"IEP", C, kIEP, kBA | kCase},
        {"IR£", C, kIEP, kBA | kG},
        {"£", C, kIEP, kBA | kG | kHome},
        {"punt", C, kIEP, kA},
        {"punts", C, kIEP, kA},
        {"Irish pounds", C, kIEP, kA},
        {"Irish pound", C, kIEP, kA},
        {"irische Pfund", C, kIEP, kA},
        // Lira.
        {"ITL", C, kITL, kBA | kCase},
        {"L.", C, kITL, kBA | kG | kCase | kHome},
        {"L", C, kITL, kB | kCase | kHome},
        {"£", C, kITL, kB | kG | kHome},
        {"Lit.", C, kITL, kBA | kG},
        {"Lit", C, kITL, kBA | kG},
        {"lire", C, kITL, kBA},
        {"lira", C, kITL, kBA},
        {"italienische Lire", C, kITL, kA},
        {"lire italiane", C, kITL, kA},
        {"Italian lire", C, kITL, kA},
        {"centesimi", C, kITL, kA, kSub},
        // Guilder.
        {"NLG", C, kNLG, kBA | kCase},
        {"ƒ", C, kNLG, kBA | kG},
        {"fl.", C, kNLG, kBA | kG},
        {"fl", C, kNLG, kBA | kG},
        {"Hfl", C, kNLG, kBA | kG},
        {"Hfl.", C, kNLG, kBA | kG},
        {"f", C, kNLG, kBA | kG | kCase | kHome},
        {"gulden", C, kNLG, kBA},
        {"guldens", C, kNLG, kBA},
        {"guilders", C, kNLG, kA},
        {"Dutch guilders", C, kNLG, kA},
        {"holländische Gulden", C, kNLG, kA},
        {"niederländische Gulden", C, kNLG, kA},
        // Escudo. "$" between whole escudos and centavos is read with the number.
        {"PTE", C, kPTE, kBA | kCase},
        {"esc.", C, kPTE, kBA | kG},
        {"esc", C, kPTE, kBA | kG},
        {"escudos", C, kPTE, kBA},
        {"escudo", C, kPTE, kBA},
        {"contos", C, kPTE, kA, 1000.0},
        {"conto", C, kPTE, kA, 1000.0},
        {"$", C, kPTE, kA | kG | kCase | kHome},
        // Other money: amounts in it are left alone.
        {"$", F, kNoCurrency, kBA | kG},
        {"US$", F, kNoCurrency, kBA | kG},
        {"US-$", F, kNoCurrency, kBA | kG},
        {"$US", F, kNoCurrency, kBA | kG},
        {"USD", F, kNoCurrency, kBA | kG},
        {"US-Dollar", F, kNoCurrency, kBA},
        {"Dollar", F, kNoCurrency, kBA},
        {"Dollars", F, kNoCurrency, kBA},
        {"dólares", F, kNoCurrency, kA},
        {"dollari", F, kNoCurrency, kA},
        {"£", F, kNoCurrency, kBA | kG},
        {"GBP", F, kNoCurrency, kBA},
        {"Pfund", F, kNoCurrency, kA},
        {"Pfund Sterling", F, kNoCurrency, kA},
        {"sterling", F, kNoCurrency, kA},
        {"livres", F, kNoCurrency, kA},
        {"livres sterling", F, kNoCurrency, kA},
        {"pounds", F, kNoCurrency, kA},
        {"pond", F, kNoCurrency, kA},
        {"sterline", F, kNoCurrency, kA},
        {"libras", F, kNoCurrency, kA},
        {"CHF", F, kNoCurrency, kBA | kG},
        {"SFr.", F, kNoCurrency, kBA | kG},
        {"SFr", F, kNoCurrency, kBA | kG},
        {"Fr.", F, kNoCurrency, kBA | kG},
        {"Franken", F, kNoCurrency, kA},
        {"Schweizer Franken", F, kNoCurrency, kA},
        {"francs suisses", F, kNoCurrency, kA},
        {"Rappen", F, kNoCurrency, kA},
        {"Yen", F, kNoCurrency, kA},
        {"¥", F, kNoCurrency, kBA | kG},
        {"JPY", F, kNoCurrency, kBA},
        {"Rubel", F, kNoCurrency, kA},
        {"roubles", F, kNoCurrency, kA},
        {"Kronen", F, kNoCurrency, kA},
        {"kr", F, kNoCurrency, kBA},
        {"Zloty", F, kNoCurrency, kA},
        {"Forint", F, kNoCurrency, kA},
        {"Real", F, kNoCurrency, kA},
        {"Reais", F, kNoCurrency, kA},
        {"R$", F, kNoCurrency, kBA | kG},
        {"Cr$", F, kNoCurrency, kBA | kG},
        {"pesos", F, kNoCurrency, kA},
        {"ECU", F, kNoCurrency, kBA},
        {"Ecu", F, kNoCurrency, kBA},
        {"écus", F, kNoCurrency, kA},
        {"Reichsmark", F, kNoCurrency, kA},
        {"RM", F, kNoCurrency, kBA | kG | kCase},
        {"Goldmark", F, kNoCurrency, kA},
        {"Ost-Mark", F, kNoCurrency, kA},
        {"DDR-Mark", F, kNoCurrency, kA},
        {"Mark der DDR", F, kNoCurrency, kA},
        // Units, shares and times: the number beside them is no amount.
        {"Prozent", U, kNoCurrency, kA},
        {"Prozentpunkte", U, kNoCurrency, kA},
        {"Punkte", U, kNoCurrency, kA},
        {"Uhr", U, kNoCurrency, kA},
        {"heures", U, kNoCurrency, kA},
        {"ore", U, kNoCurrency, kA},
        {"horas", U, kNoCurrency, kA},
        {"uur", U, kNoCurrency, kA},
        {"pour cent", U, kNoCurrency, kA},
        {"per cento", U, kNoCurrency, kA},
        {"por ciento", U, kNoCurrency, kA},
        {"procent", U, kNoCurrency, kA},
        {"percent", U, kNoCurrency, kA},
        {"Meter", U, kNoCurrency, kA},
        {"Kilometer", U, kNoCurrency, kA},
        {"Stunden", U, kNoCurrency, kA},
        {"Jahre", U, kNoCurrency, kA},
        {"Jahren", U, kNoCurrency, kA},
        {"fache", U, kNoCurrency, kA},
        {"m2", U, kNoCurrency, kA},
        {"m²", U, kNoCurrency, kA},
        {"m3", U, kNoCurrency, kA},
        {"qm", U, kNoCurrency, kA},
        {"km", U, kNoCurrency, kA},
    };
    return rows;
}

struct Tables {
    // Rows by exact text (case-sensitive rows) and by lower-cased text (the others).
    std::unordered_map<std::string, std::vector<const Row*>> exact;
    std::unordered_map<std::string, std::vector<const Row*>> folded;
    std::vector<EverydayForm> forms;  // one per row, same order
};

const Tables& TablesOf() {
    static const Tables tables = [] {
        Tables t;
        const auto& rows = Rows();
        t.forms.reserve(rows.size());
        for (const Row& row : rows) {
            const std::string text = Utf8ToWin1252(row.text);
            if ((row.flags & kCase) != 0)
                t.exact[text].push_back(&row);
            else
                t.folded[LowerCaseLatin1(text)].push_back(&row);
            EverydayForm form;
            form.kind = row.kind;
            form.currency = row.currency;
            form.before = (row.flags & kB) != 0;
            form.after = (row.flags & kA) != 0;
            form.glued = (row.flags & kG) != 0;
            form.factor = row.factor;
            form.magnitudeFamily = row.family;
            form.older = row.older;
            t.forms.push_back(form);
        }
        return t;
    }();
    return tables;
}

const EverydayForm& SwissFranc() {
    static const EverydayForm form{FormKind::Foreign, kNoCurrency, true, true, true, 1.0, -1};
    return form;
}

// A sign that is money in some countries only ("F", "S", "francs") where the desktop says
// nothing about which: other money, left alone, and never a bare number beside it.
const EverydayForm& AmbiguousMoney() {
    static const EverydayForm form{FormKind::Foreign, kNoCurrency, true, true, true, 1.0, -1};
    return form;
}

const EverydayForm* FirstThatApplies(const std::vector<const Row*>& rows,
                                     const DesktopRegion& region) {
    const Tables& tables = TablesOf();
    bool elsewhere = false;
    for (const Row* row : rows) {
        if ((row->flags & kFranc) != 0 && region.swiss)
            return &SwissFranc();
        const CurrencyIndex home = row->home != kNoCurrency ? row->home : row->currency;
        if ((row->flags & kHome) != 0 && home != region.home) {
            elsewhere = true;
            continue;
        }
        return &tables.forms[static_cast<std::size_t>(row - Rows().data())];
    }
    return elsewhere ? &AmbiguousMoney() : nullptr;
}

struct MagnitudeRow {
    const char* text;
    double factor;
    Family family;
};

constexpr std::array<MagnitudeRow, 49> kMagnitudes = {{
    {"Tsd.", 1e3, kGermanShort},
    {"Tsd", 1e3, kGermanShort},
    {"Mio.", 1e6, kGermanShort},
    {"Mio", 1e6, kGermanShort},
    {"Mill.", 1e6, kGermanShort},
    {"Mrd.", 1e9, kGermanShort},
    {"Mrd", 1e9, kGermanShort},
    {"Mia.", 1e9, kGermanShort},
    {"Bio.", 1e12, kGermanShort},
    {"Tausend", 1e3, kGermanLong},
    {"Million", 1e6, kGermanLong},
    {"Millionen", 1e6, kGermanLong},
    {"Milliarde", 1e9, kGermanLong},
    {"Milliarden", 1e9, kGermanLong},
    {"Billion", 1e12, kGermanLong},
    {"Billionen", 1e12, kGermanLong},
    {"mille", 1e3, kFrench},
    {"millions", 1e6, kFrench},
    {"milliard", 1e9, kFrench},
    {"milliards", 1e9, kFrench},
    {"Md", 1e9, kFrenchShort},
    {"Mds", 1e9, kFrenchShort},
    {"mila", 1e3, kItalian},
    {"milione", 1e6, kItalian},
    {"milioni", 1e6, kItalian},
    {"miliardo", 1e9, kItalian},
    {"miliardi", 1e9, kItalian},
    {"mln", 1e6, kShort},
    {"mln.", 1e6, kShort},
    {"mld", 1e9, kShort},
    {"mld.", 1e9, kShort},
    {"mil", 1e3, kSpanish},
    {"millón", 1e6, kSpanish},
    {"millones", 1e6, kSpanish},
    {"mil millones", 1e9, kSpanish},
    {"billones", 1e12, kSpanish},
    {"milhão", 1e6, kPortuguese},
    {"milhões", 1e6, kPortuguese},
    {"milhao", 1e6, kPortuguese},
    {"milhoes", 1e6, kPortuguese},
    {"mil milhões", 1e9, kPortuguese},
    {"duizend", 1e3, kDutch},
    {"miljoen", 1e6, kDutch},
    {"miljard", 1e9, kDutch},
    {"thousand", 1e3, kEnglish},
    {"billion", 1e9, kEnglish},
    {"bn", 1e9, kEnglish},
    {"million", 1e6, kFrench},
    {"Millionen", 1e6, kGermanLong},
}};

// The words each family writes: factor, singular, plural (UTF-8). The singular stands
// below two where the language says so (French, Portuguese), else the plural always.
struct WrittenWord {
    double factor;
    const char* singular;
    const char* plural;
};
struct FamilyWords {
    bool singularBelowTwo;
    std::array<WrittenWord, 4> words;  // factor 0: unused
};

constexpr std::array<FamilyWords, kFamilyCount> kFamilies = {{
    {false,
     {{{1e3, "Tsd.", "Tsd."},
       {1e6, "Mio.", "Mio."},
       {1e9, "Mrd.", "Mrd."},
       {1e12, "Bio.", "Bio."}}}},
    {false,
     {{{1e3, "Tausend", "Tausend"},
       {1e6, "Millionen", "Millionen"},
       {1e9, "Milliarden", "Milliarden"},
       {1e12, "Billionen", "Billionen"}}}},
    {true,
     {{{1e3, "mille", "mille"},
       {1e6, "million", "millions"},
       {1e9, "milliard", "milliards"},
       {0, "", ""}}}},
    {false,
     {{{1e3, "mila", "mila"},
       {1e6, "milioni", "milioni"},
       {1e9, "miliardi", "miliardi"},
       {0, "", ""}}}},
    {false, {{{1e6, "mln", "mln"}, {1e9, "mld", "mld"}, {0, "", ""}, {0, "", ""}}}},
    {false,
     {{{1e3, "mil", "mil"},
       {1e6, "millones", "millones"},
       {1e9, "mil millones", "mil millones"},
       {1e12, "billones", "billones"}}}},
    {true,
     {{{1e3, "mil", "mil"},
       {1e6, "milhão", "milhões"},
       {1e9, "mil milhões", "mil milhões"},
       {0, "", ""}}}},
    {false,
     {{{1e3, "duizend", "duizend"},
       {1e6, "miljoen", "miljoen"},
       {1e9, "miljard", "miljard"},
       {0, "", ""}}}},
    {false,
     {{{1e3, "thousand", "thousand"},
       {1e6, "million", "million"},
       {1e9, "billion", "billion"},
       {0, "", ""}}}},
    {false, {{{1e6, "M", "M"}, {1e9, "Md", "Md"}, {0, "", ""}, {0, "", ""}}}},
}};

std::unordered_map<std::string, MagnitudeWord> MakeMagnitudes() {
    std::unordered_map<std::string, MagnitudeWord> map;
    for (const MagnitudeRow& row : kMagnitudes) {
        const std::string text = Utf8ToWin1252(row.text);
        // "Md", "Mds" and the short German words keep their case: "md" or "mio" in running
        // text are other words.
        const bool keepCase = row.family == kGermanShort || row.family == kFrenchShort;
        map.emplace(keepCase ? text : LowerCaseLatin1(text),
                    MagnitudeWord{row.factor, static_cast<int>(row.family)});
    }
    return map;
}

// A set of words (UTF-8 in the source), compared without regard to case.
class WordSet {
  public:
    WordSet(std::initializer_list<const char*> words) {
        for (const char* word : words)
            words_.insert(LowerCaseLatin1(Utf8ToWin1252(word)));
    }
    bool Contains(std::string_view text) const {
        return text.size() <= longest_ && words_.count(LowerCaseLatin1(text)) != 0;
    }
    bool ContainsLowered(const std::string& lowered) const { return words_.count(lowered) != 0; }

  private:
    std::unordered_set<std::string> words_;
    std::size_t longest_ = 20;
};

}  // namespace

DesktopRegion RegionOfLanguage(std::uint16_t languageId, char decimalSeparator) {
    const int primary = languageId & 0x3FF;
    const int sub = languageId >> 10;
    DesktopRegion region;
    region.home = HomeCurrencyForLanguage(languageId);
    region.decimalSeparator = decimalSeparator;
    // Switzerland: German 2, French 4, Italian 2.
    region.swiss = (primary == 0x07 && sub == 2) || (primary == 0x0C && sub == 4) ||
                   (primary == 0x10 && sub == 2);
    region.language = primary;
    return region;
}

const EverydayForm* FindEverydayForm(std::string_view text, const DesktopRegion& region) {
    return FindEverydayForm(text, LowerCaseLatin1(text), region);
}

const EverydayForm* FindEverydayForm(std::string_view text, const std::string& lowered,
                                     const DesktopRegion& region) {
    if (text.empty() || text.size() > 30)
        return nullptr;
    const Tables& tables = TablesOf();
    if (const auto it = tables.exact.find(std::string(text)); it != tables.exact.end()) {
        if (const EverydayForm* form = FirstThatApplies(it->second, region))
            return form;
    }
    if (const auto it = tables.folded.find(lowered); it != tables.folded.end())
        return FirstThatApplies(it->second, region);
    return nullptr;
}

const MagnitudeWord* FindMagnitude(std::string_view text) {
    static const auto magnitudes = MakeMagnitudes();
    if (const auto it = magnitudes.find(std::string(text)); it != magnitudes.end())
        return &it->second;
    if (const auto it = magnitudes.find(LowerCaseLatin1(text)); it != magnitudes.end()) {
        const int family = it->second.family;
        if (family != kGermanShort && family != kFrenchShort)
            return &it->second;
    }
    return nullptr;
}

MagnitudeChoice ChooseMagnitude(int family, double foundFactor, double value) {
    if (family < 0 || family >= kFamilyCount)
        return {};
    const FamilyWords& words = kFamilies[static_cast<std::size_t>(family)];
    const WrittenWord* chosen = nullptr;
    for (const WrittenWord& word : words.words) {
        if (word.factor == foundFactor && value >= 0.1 * foundFactor)
            chosen = &word;
    }
    if (chosen == nullptr) {
        // Too small for the word found: the largest word of a million or more under it.
        for (const WrittenWord& word : words.words) {
            if (word.factor >= 1e6 && value >= word.factor)
                chosen = &word;
        }
    }
    if (chosen == nullptr)
        return {};
    const bool singular = words.singularBelowTwo && value / chosen->factor < 2;
    return {Utf8ToWin1252(singular ? chosen->singular : chosen->plural), chosen->factor};
}

bool IsMagnitudeLink(std::string_view text) {
    return text == "de" || text == "di" || text == "of";
}

std::string_view WithoutElision(std::string_view text) {
    // "d'" and "d’" (0x92 in Windows-1252)
    if (text.size() > 2 && (text[0] == 'd' || text[0] == 'D') &&
        (text[1] == '\'' || text[1] == '\x92'))
        return text.substr(2);
    return text;
}

bool IsRangeWord(std::string_view text) {
    static const WordSet words{"bis", "à", "tot", "to", "statt", "oder", "ou", "o", "of", "or"};
    return text == "-" || text == "\x96" || text == "\x97" || words.Contains(text);
}

bool IsRangeOpener(std::string_view opener, std::string_view joiner) {
    static const WordSet pairs{"zwischen und", "von auf",  "von bis",     "entre et",
                               "entre y",      "entre e",  "de à",        "de a",
                               "da a",         "tra e",    "fra e",       "tussen en",
                               "van tot",      "van naar", "between and", "from to"};
    if (opener.empty() || joiner.empty() || opener.size() + joiner.size() > 19)
        return false;
    std::string pair(opener);
    pair += ' ';
    pair += joiner;
    return pairs.Contains(pair);
}

bool IsReferenceWord(std::string_view text) {
    static const WordSet words{
        "Kapitel",  "Kap.",    "§",          "§§",          "Art.",      "Artikel",  "Abs.",
        "Absatz",   "Nr.",     "Nr",         "Nummer",      "Ziffer",    "Ziff.",    "Punkt",
        "Seite",    "Seiten",  "S.",         "Rn.",         "Rz.",       "Tz.",      "Anlage",
        "Anhang",   "Tab.",    "Tabelle",    "Abb.",        "Band",      "Bd.",      "Heft",
        "Jahrgang", "Jg.",     "Drucksache", "Drucksachen", "No.",       "n°",       "nº",
        "article",  "al.",     "chapitre",   "page",        "pages",     "p.",       "pp.",
        "articolo", "comma",   "capitolo",   "pag.",        "n.",        "artículo", "apartado",
        "capítulo", "página",  "núm.",       "artigo",      "hoofdstuk", "blz.",     "lid",
        "section",  "chapter", "Gruppe",     "Klasse",      "Stufe",     "Version"};
    return words.Contains(text);
}

namespace {

// Each short word with the languages (bits in the order below) it is common in.
const std::unordered_map<std::string, unsigned>& LanguageWords() {
    static const std::unordered_map<std::string, unsigned> words = [] {
        const std::array<std::initializer_list<const char*>, 7> lists = {{
            {"der", "die", "das", "und",  "ist",  "nicht", "mit",  "von",  "für",    "den",
             "dem", "des", "ein", "eine", "auch", "auf",   "sich", "wird", "werden", "wurde"},
            {"le", "les", "et", "est", "une", "pour", "dans", "qui", "pas", "sur", "avec", "au",
             "aux", "du", "ce", "il", "sont", "était"},
            {"il", "di", "che", "è", "per", "una", "della", "non", "con", "sono", "gli", "nel",
             "alla", "dei", "delle", "anche", "era"},
            {"el", "los", "las", "que", "y", "en", "del", "por", "una", "para", "con", "se", "al",
             "lo", "es", "como", "pero"},
            {"het", "een", "en", "van", "is", "dat", "niet", "op", "voor", "met", "zijn", "er",
             "ook", "bij", "werd", "naar"},
            {"os", "as", "que", "em", "um", "uma", "para", "não", "com", "do", "da", "dos", "das",
             "ao", "foi", "mais"},
            {"the", "and", "is", "of", "to", "in", "that", "for", "with", "was", "are", "this",
             "it"},
        }};
        std::unordered_map<std::string, unsigned> map;
        for (std::size_t k = 0; k < lists.size(); ++k) {
            for (const char* word : lists[k])
                map[LowerCaseLatin1(Utf8ToWin1252(word))] |= 1u << k;
        }
        return map;
    }();
    return words;
}

constexpr std::array<int, 7> kLanguageNumbers = {0x07, 0x0C, 0x10, 0x0A, 0x13, 0x16, 0x09};

}  // namespace

void LanguageCount::Add(std::string_view word) {
    if (word.size() > 7 || word.empty() || Settled())
        return;
    const auto& words = LanguageWords();
    const auto it = words.find(LowerCaseLatin1(word));
    if (it == words.end())
        return;
    for (std::size_t k = 0; k < hits_.size(); ++k)
        hits_[k] += (it->second >> k) & 1u;
}

bool LanguageCount::Settled() const {
    // Twelve common words of one language, twice as many as of any other, tell enough.
    std::array<int, 7> sorted = hits_;
    std::sort(sorted.begin(), sorted.end());
    return sorted[6] >= 12 && sorted[6] >= 2 * sorted[5];
}

int LanguageCount::Language() const {
    const auto best = std::max_element(hits_.begin(), hits_.end());
    if (*best < 3)
        return -1;
    return kLanguageNumbers[static_cast<std::size_t>(best - hits_.begin())];
}

bool IsTimeWord(std::string_view text) {
    static const WordSet words{"um",    "gegen", "ab", "vers", "alle",
                               "dalle", "om",    "at", "às",   "las"};
    return words.Contains(text);
}

bool IsMonthName(std::string_view text) {
    static const WordSet words{"Januar",   "Jänner",   "Februar", "Feber",  "März",      "April",
                               "Mai",      "Juni",     "Juli",    "August", "September", "Oktober",
                               "November", "Dezember", "Jan.",    "Feb.",   "Aug.",      "Sept.",
                               "Okt.",     "Nov.",     "Dez."};
    return words.Contains(text);
}

}  // namespace kassavero
