// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/everyday_forms.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/unicode_text.h"

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
    const char32_t* text;
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
        {U"€", C, kEUR, kBA | kG},
        {U"¤", C, kEUR, kBA | kG},  // where the euro sign could not be printed
        {U"EUR", C, kEUR, kBA | kG},
        {U"Eur", C, kEUR, kBA},
        {U"Eur.", C, kEUR, kBA},
        {U"Euro", C, kEUR, kBA},
        {U"Euros", C, kEUR, kBA},
        {U"€uro", C, kEUR, kBA},
        {U"Euro-Cent", C, kEUR, kA, kSub},
        {U"Eurocent", C, kEUR, kA, kSub},
        {U"Eurocents", C, kEUR, kA, kSub},
        {U"Cent", C, kEUR, kA, kSub, -1, kNoCurrency, kNLG},
        {U"Cents", C, kEUR, kA, kSub, -1, kNoCurrency, kNLG},
        {U"ct", C, kEUR, kA | kG, kSub},
        {U"ct.", C, kEUR, kA | kG, kSub},
        {U"centimes d'euro", C, kEUR, kA, kSub},
        {U"centimes d’euro", C, kEUR, kA, kSub},
        {U"centimes d'euros", C, kEUR, kA, kSub},
        {U"centimes", C, kEUR, kA | kFranc, kSub, -1, kNoCurrency, kFRF},
        {U"centime", C, kEUR, kA | kFranc, kSub, -1, kNoCurrency, kFRF},
        {U"céntimos de euro", C, kEUR, kA, kSub},
        {U"céntimos", C, kEUR, kA, kSub, -1, kNoCurrency, kESP},
        {U"céntimo", C, kEUR, kA, kSub, -1, kNoCurrency, kESP},
        {U"cêntimos de euro", C, kEUR, kA, kSub},
        {U"centesimi di euro", C, kEUR, kA, kSub},
        // Deutsche Mark.
        {U"DM", C, kDEM, kBA | kG | kCase},
        {U"DEM", C, kDEM, kBA | kCase},
        {U"D-Mark", C, kDEM, kBA},
        {U"DMark", C, kDEM, kBA},
        {U"Mark", C, kDEM, kA},
        {U"Deutsche Mark", C, kDEM, kBA},
        {U"Deutschmark", C, kDEM, kBA},
        {U"Deutschmarks", C, kDEM, kBA},
        {U"Deutsche Marks", C, kDEM, kA},
        {U"marks", C, kDEM, kA},
        {U"marcos", C, kDEM, kA},
        {U"marcos alemanes", C, kDEM, kA},
        {U"marchi", C, kDEM, kA},
        {U"marchi tedeschi", C, kDEM, kA},
        {U"Duitse mark", C, kDEM, kA},
        {U"Pfennig", C, kDEM, kA, kSub},
        {U"Pfennige", C, kDEM, kA, kSub},
        {U"Pfennigen", C, kDEM, kA, kSub},
        {U"Pfenning", C, kDEM, kA, kSub},
        {U"Deutsche Pfennige", C, kDEM, kA, kSub},
        {U"Pf", C, kDEM, kA | kG | kCase, kSub},
        {U"Pf.", C, kDEM, kA | kG | kCase, kSub},
        {U"Pfg", C, kDEM, kA | kG, kSub},
        {U"Pfg.", C, kDEM, kA | kG, kSub},
        // Schilling.
        {U"ATS", C, kATS, kBA | kCase},
        {U"öS", C, kATS, kBA | kG},
        {U"S", C, kATS, kBA | kG | kCase | kHome},
        {U"Schilling", C, kATS, kBA},
        {U"Schillinge", C, kATS, kA},
        {U"Schillingen", C, kATS, kA},
        {U"Schillings", C, kATS, kA},
        {U"österreichische Schilling", C, kATS, kA},
        {U"österreichischen Schilling", C, kATS, kA},
        {U"Groschen", C, kATS, kA, kSub},
        // Belgian franc.
        {U"BEF", C, kBEF, kBA | kCase},
        {U"FB", C, kBEF, kBA | kG | kCase},
        {U"BF", C, kBEF, kBA | kG | kCase},
        {U"Bfr", C, kBEF, kBA | kG},
        {U"Bfr.", C, kBEF, kBA | kG},
        {U"BFr.", C, kBEF, kBA | kG},
        {U"LUF", C, kBEF, kBA | kCase},
        {U"fr.", C, kBEF, kBA | kG | kHome | kFranc},
        {U"F", C, kBEF, kBA | kG | kCase | kHome | kFranc},
        {U"francs", C, kBEF, kBA | kHome | kFranc},
        {U"franc", C, kBEF, kBA | kHome | kFranc},
        {U"frs", C, kBEF, kBA | kHome | kFranc},
        {U"frs.", C, kBEF, kBA | kHome | kFranc},
        {U"francs belges", C, kBEF, kA},
        {U"franc belge", C, kBEF, kA},
        {U"francs luxembourgeois", C, kBEF, kA},
        {U"Belgische frank", C, kBEF, kA},
        {U"Belgische franken", C, kBEF, kA},
        {U"Belgische franc", C, kBEF, kA},
        {U"belgische Francs", C, kBEF, kA},
        {U"belgische Franken", C, kBEF, kA},
        {U"belgischen Franken", C, kBEF, kA},
        {U"Luxemburger Franken", C, kBEF, kA},
        {U"francos belgas", C, kBEF, kA},
        {U"franchi belgi", C, kBEF, kA},
        {U"Belgian francs", C, kBEF, kA},
        {U"centiemen", C, kBEF, kA, kSub},
        {U"centiem", C, kBEF, kA, kSub},
        {U"frank", C, kBEF, kA},
        {U"franken", C, kBEF, kA | kHome},
        {U"franken", C, kBEF, kA | kHome, 1.0, -1, kNLG},  // Dutch desktops: Belgian francs
        // Peseta.
        {U"ESP", C, kESP, kBA | kCase},
        {U"pta", C, kESP, kBA | kG},
        {U"pta.", C, kESP, kBA | kG},
        {U"ptas", C, kESP, kBA | kG},
        {U"ptas.", C, kESP, kBA | kG},
        {U"pts", C, kESP, kBA | kG},
        {U"pts.", C, kESP, kBA | kG},
        {U"pesetas", C, kESP, kBA},
        {U"peseta", C, kESP, kBA},
        {U"Peseten", C, kESP, kBA},
        {U"céntimos de peseta", C, kESP, kA, kSub},
        {U"duros", C, kESP, kA, 5.0},
        {U"duro", C, kESP, kA, 5.0},
        // Markka.
        {U"FIM", C, kFIM, kBA | kCase},
        {U"Fmk", C, kFIM, kBA | kG},
        {U"mk", C, kFIM, kBA | kG | kHome},
        {U"mk.", C, kFIM, kBA | kG | kHome},
        {U"markkaa", C, kFIM, kA},
        {U"markka", C, kFIM, kA},
        {U"Finnmark", C, kFIM, kBA},
        {U"finnische Mark", C, kFIM, kA},
        {U"penniä", C, kFIM, kA, kSub},
        {U"penni", C, kFIM, kA, kSub},
        // French franc.
        {U"FRF", C, kFRF, kBA | kCase},
        {U"FF", C, kFRF, kBA | kG | kCase},
        {U"F", C, kFRF, kBA | kG | kCase | kHome | kFranc},
        {U"f", C, kFRF, kA | kCase | kHome},
        {U"francs", C, kFRF, kBA | kHome | kFranc},
        {U"franc", C, kFRF, kBA | kHome | kFranc},
        {U"frs", C, kFRF, kBA | kHome | kFranc},
        {U"frs.", C, kFRF, kBA | kHome | kFranc},
        {U"fr.", C, kFRF, kA | kHome | kFranc},
        {U"francs français", C, kFRF, kA},
        {U"nouveaux francs", C, kFRF, kA},
        {U"centimes de franc", C, kFRF, kA, kSub},
        {U"centimes de francs", C, kFRF, kA, kSub},
        {U"französische Franc", C, kFRF, kA},
        {U"französische Francs", C, kFRF, kA},
        {U"französische Franken", C, kFRF, kA},
        {U"französischen Franc", C, kFRF, kA},
        {U"French francs", C, kFRF, kA},
        {U"Franse frank", C, kFRF, kA},
        {U"Franse franc", C, kFRF, kA},
        {U"francos franceses", C, kFRF, kA},
        {U"franchi francesi", C, kFRF, kA},
        {U"MF", C, kFRF, kA | kCase | kHome, 1e6, kFrench},
        {U"MdF", C, kFRF, kA | kCase | kHome, 1e9, kFrench},
        {U"MdsF", C, kFRF, kA | kCase | kHome, 1e9, kFrench},
        {U"KF", C, kFRF, kA | kCase | kHome, 1e3, kFrench},
        // Irish pound.
        {U"IEP", C, kIEP, kBA | kCase},
        {U"IR£", C, kIEP, kBA | kG},
        {U"£", C, kIEP, kBA | kG | kHome},
        {U"punt", C, kIEP, kA},
        {U"punts", C, kIEP, kA},
        {U"Irish pounds", C, kIEP, kA},
        {U"Irish pound", C, kIEP, kA},
        {U"irische Pfund", C, kIEP, kA},
        // Lira.
        {U"ITL", C, kITL, kBA | kCase},
        {U"L.", C, kITL, kBA | kG | kCase | kHome},
        {U"L", C, kITL, kB | kCase | kHome},
        {U"£", C, kITL, kB | kG | kHome},
        {U"Lit.", C, kITL, kBA | kG},
        {U"Lit", C, kITL, kBA | kG},
        {U"lire", C, kITL, kBA},
        {U"lira", C, kITL, kBA},
        {U"italienische Lire", C, kITL, kA},
        {U"lire italiane", C, kITL, kA},
        {U"Italian lire", C, kITL, kA},
        {U"centesimi", C, kITL, kA, kSub},
        // Guilder.
        {U"NLG", C, kNLG, kBA | kCase},
        {U"ƒ", C, kNLG, kBA | kG},
        {U"fl.", C, kNLG, kBA | kG},
        {U"fl", C, kNLG, kBA | kG},
        {U"Hfl", C, kNLG, kBA | kG},
        {U"Hfl.", C, kNLG, kBA | kG},
        {U"f", C, kNLG, kBA | kG | kCase | kHome},
        {U"gulden", C, kNLG, kBA},
        {U"guldens", C, kNLG, kBA},
        {U"guilders", C, kNLG, kA},
        {U"Dutch guilders", C, kNLG, kA},
        {U"holländische Gulden", C, kNLG, kA},
        {U"niederländische Gulden", C, kNLG, kA},
        // Escudo. "$" between whole escudos and centavos is read with the number.
        {U"PTE", C, kPTE, kBA | kCase},
        {U"esc.", C, kPTE, kBA | kG},
        {U"esc", C, kPTE, kBA | kG},
        {U"escudos", C, kPTE, kBA},
        {U"escudo", C, kPTE, kBA},
        {U"contos", C, kPTE, kA, 1000.0},
        {U"conto", C, kPTE, kA, 1000.0},
        {U"$", C, kPTE, kA | kG | kCase | kHome},
        // Other money: amounts in it are left alone.
        {U"$", F, kNoCurrency, kBA | kG},
        {U"US$", F, kNoCurrency, kBA | kG},
        {U"US-$", F, kNoCurrency, kBA | kG},
        {U"$US", F, kNoCurrency, kBA | kG},
        {U"USD", F, kNoCurrency, kBA | kG},
        {U"US-Dollar", F, kNoCurrency, kBA},
        {U"Dollar", F, kNoCurrency, kBA},
        {U"Dollars", F, kNoCurrency, kBA},
        {U"dólares", F, kNoCurrency, kA},
        {U"dollari", F, kNoCurrency, kA},
        {U"£", F, kNoCurrency, kBA | kG},
        {U"GBP", F, kNoCurrency, kBA},
        {U"Pfund", F, kNoCurrency, kA},
        {U"Pfund Sterling", F, kNoCurrency, kA},
        {U"sterling", F, kNoCurrency, kA},
        {U"livres", F, kNoCurrency, kA},
        {U"livres sterling", F, kNoCurrency, kA},
        {U"pounds", F, kNoCurrency, kA},
        {U"pond", F, kNoCurrency, kA},
        {U"sterline", F, kNoCurrency, kA},
        {U"libras", F, kNoCurrency, kA},
        {U"CHF", F, kNoCurrency, kBA | kG},
        {U"SFr.", F, kNoCurrency, kBA | kG},
        {U"SFr", F, kNoCurrency, kBA | kG},
        {U"Fr.", F, kNoCurrency, kBA | kG},
        {U"Franken", F, kNoCurrency, kA},
        {U"Schweizer Franken", F, kNoCurrency, kA},
        {U"francs suisses", F, kNoCurrency, kA},
        {U"Rappen", F, kNoCurrency, kA},
        {U"Yen", F, kNoCurrency, kA},
        {U"¥", F, kNoCurrency, kBA | kG},
        {U"JPY", F, kNoCurrency, kBA},
        {U"Rubel", F, kNoCurrency, kA},
        {U"roubles", F, kNoCurrency, kA},
        {U"Kronen", F, kNoCurrency, kA},
        {U"kr", F, kNoCurrency, kBA},
        {U"Zloty", F, kNoCurrency, kA},
        {U"Forint", F, kNoCurrency, kA},
        {U"Real", F, kNoCurrency, kA},
        {U"Reais", F, kNoCurrency, kA},
        {U"R$", F, kNoCurrency, kBA | kG},
        {U"Cr$", F, kNoCurrency, kBA | kG},
        {U"pesos", F, kNoCurrency, kA},
        {U"ECU", F, kNoCurrency, kBA},
        {U"Ecu", F, kNoCurrency, kBA},
        {U"écus", F, kNoCurrency, kA},
        {U"Reichsmark", F, kNoCurrency, kA},
        {U"RM", F, kNoCurrency, kBA | kG | kCase},
        {U"Goldmark", F, kNoCurrency, kA},
        {U"Ost-Mark", F, kNoCurrency, kA},
        {U"DDR-Mark", F, kNoCurrency, kA},
        {U"Mark der DDR", F, kNoCurrency, kA},
        // Units, shares and times: the number beside them is no amount.
        {U"Prozent", U, kNoCurrency, kA},
        {U"Prozentpunkte", U, kNoCurrency, kA},
        {U"Punkte", U, kNoCurrency, kA},
        {U"Uhr", U, kNoCurrency, kA},
        {U"heures", U, kNoCurrency, kA},
        {U"ore", U, kNoCurrency, kA},
        {U"horas", U, kNoCurrency, kA},
        {U"uur", U, kNoCurrency, kA},
        {U"pour cent", U, kNoCurrency, kA},
        {U"per cento", U, kNoCurrency, kA},
        {U"por ciento", U, kNoCurrency, kA},
        {U"procent", U, kNoCurrency, kA},
        {U"percent", U, kNoCurrency, kA},
        {U"Meter", U, kNoCurrency, kA},
        {U"Kilometer", U, kNoCurrency, kA},
        {U"Stunden", U, kNoCurrency, kA},
        {U"Jahre", U, kNoCurrency, kA},
        {U"Jahren", U, kNoCurrency, kA},
        {U"fache", U, kNoCurrency, kA},
        {U"m2", U, kNoCurrency, kA},
        {U"m²", U, kNoCurrency, kA},
        {U"m3", U, kNoCurrency, kA},
        {U"qm", U, kNoCurrency, kA},
        {U"km", U, kNoCurrency, kA},
    };
    return rows;
}

struct Tables {
    // Rows by exact text (case-sensitive rows) and by lower-cased text (the others).
    std::unordered_map<std::u32string, std::vector<const Row*>> exact;
    std::unordered_map<std::u32string, std::vector<const Row*>> folded;
    std::vector<EverydayForm> forms;  // one per row, same order
};

const Tables& TablesOf() {
    static const Tables tables = [] {
        Tables t;
        const auto& rows = Rows();
        t.forms.reserve(rows.size());
        for (const Row& row : rows) {
            const std::u32string text = row.text;
            if ((row.flags & kCase) != 0)
                t.exact[text].push_back(&row);
            else
                t.folded[LowerCase(text)].push_back(&row);
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
    const char32_t* text;
    double factor;
    Family family;
};

constexpr std::array<MagnitudeRow, 49> kMagnitudes = {{
    {U"Tsd.", 1e3, kGermanShort},
    {U"Tsd", 1e3, kGermanShort},
    {U"Mio.", 1e6, kGermanShort},
    {U"Mio", 1e6, kGermanShort},
    {U"Mill.", 1e6, kGermanShort},
    {U"Mrd.", 1e9, kGermanShort},
    {U"Mrd", 1e9, kGermanShort},
    {U"Mia.", 1e9, kGermanShort},
    {U"Bio.", 1e12, kGermanShort},
    {U"Tausend", 1e3, kGermanLong},
    {U"Million", 1e6, kGermanLong},
    {U"Millionen", 1e6, kGermanLong},
    {U"Milliarde", 1e9, kGermanLong},
    {U"Milliarden", 1e9, kGermanLong},
    {U"Billion", 1e12, kGermanLong},
    {U"Billionen", 1e12, kGermanLong},
    {U"mille", 1e3, kFrench},
    {U"millions", 1e6, kFrench},
    {U"milliard", 1e9, kFrench},
    {U"milliards", 1e9, kFrench},
    {U"Md", 1e9, kFrenchShort},
    {U"Mds", 1e9, kFrenchShort},
    {U"mila", 1e3, kItalian},
    {U"milione", 1e6, kItalian},
    {U"milioni", 1e6, kItalian},
    {U"miliardo", 1e9, kItalian},
    {U"miliardi", 1e9, kItalian},
    {U"mln", 1e6, kShort},
    {U"mln.", 1e6, kShort},
    {U"mld", 1e9, kShort},
    {U"mld.", 1e9, kShort},
    {U"mil", 1e3, kSpanish},
    {U"millón", 1e6, kSpanish},
    {U"millones", 1e6, kSpanish},
    {U"mil millones", 1e9, kSpanish},
    {U"billones", 1e12, kSpanish},
    {U"milhão", 1e6, kPortuguese},
    {U"milhões", 1e6, kPortuguese},
    {U"milhao", 1e6, kPortuguese},
    {U"milhoes", 1e6, kPortuguese},
    {U"mil milhões", 1e9, kPortuguese},
    {U"duizend", 1e3, kDutch},
    {U"miljoen", 1e6, kDutch},
    {U"miljard", 1e9, kDutch},
    {U"thousand", 1e3, kEnglish},
    {U"billion", 1e9, kEnglish},
    {U"bn", 1e9, kEnglish},
    {U"million", 1e6, kFrench},
    {U"Millionen", 1e6, kGermanLong},
}};

// The words each family writes: factor, singular, plural. The singular stands
// below two where the language says so (French, Portuguese), else the plural always.
struct WrittenWord {
    double factor;
    const char32_t* singular;
    const char32_t* plural;
};
struct FamilyWords {
    bool singularBelowTwo;
    std::array<WrittenWord, 4> words;  // factor 0: unused
};

constexpr std::array<FamilyWords, kFamilyCount> kFamilies = {{
    {false,
     {{{1e3, U"Tsd.", U"Tsd."},
       {1e6, U"Mio.", U"Mio."},
       {1e9, U"Mrd.", U"Mrd."},
       {1e12, U"Bio.", U"Bio."}}}},
    {false,
     {{{1e3, U"Tausend", U"Tausend"},
       {1e6, U"Millionen", U"Millionen"},
       {1e9, U"Milliarden", U"Milliarden"},
       {1e12, U"Billionen", U"Billionen"}}}},
    {true,
     {{{1e3, U"mille", U"mille"},
       {1e6, U"million", U"millions"},
       {1e9, U"milliard", U"milliards"},
       {0, U"", U""}}}},
    {false,
     {{{1e3, U"mila", U"mila"},
       {1e6, U"milioni", U"milioni"},
       {1e9, U"miliardi", U"miliardi"},
       {0, U"", U""}}}},
    {false, {{{1e6, U"mln", U"mln"}, {1e9, U"mld", U"mld"}, {0, U"", U""}, {0, U"", U""}}}},
    {false,
     {{{1e3, U"mil", U"mil"},
       {1e6, U"millones", U"millones"},
       {1e9, U"mil millones", U"mil millones"},
       {1e12, U"billones", U"billones"}}}},
    {true,
     {{{1e3, U"mil", U"mil"},
       {1e6, U"milhão", U"milhões"},
       {1e9, U"mil milhões", U"mil milhões"},
       {0, U"", U""}}}},
    {false,
     {{{1e3, U"duizend", U"duizend"},
       {1e6, U"miljoen", U"miljoen"},
       {1e9, U"miljard", U"miljard"},
       {0, U"", U""}}}},
    {false,
     {{{1e3, U"thousand", U"thousand"},
       {1e6, U"million", U"million"},
       {1e9, U"billion", U"billion"},
       {0, U"", U""}}}},
    {false, {{{1e6, U"M", U"M"}, {1e9, U"Md", U"Md"}, {0, U"", U""}, {0, U"", U""}}}},
}};

std::unordered_map<std::u32string, MagnitudeWord> MakeMagnitudes() {
    std::unordered_map<std::u32string, MagnitudeWord> map;
    for (const MagnitudeRow& row : kMagnitudes) {
        const std::u32string text = row.text;
        // "Md", "Mds" and the short German words keep their case: "md" or "mio" in running
        // text are other words.
        const bool keepCase = row.family == kGermanShort || row.family == kFrenchShort;
        map.emplace(keepCase ? text : LowerCase(text),
                    MagnitudeWord{row.factor, static_cast<int>(row.family)});
    }
    return map;
}

// A set of words, compared without regard to case.
class WordSet {
  public:
    WordSet(std::initializer_list<const char32_t*> words) {
        for (const char32_t* word : words)
            words_.insert(LowerCase(word));
    }
    bool Contains(std::u32string_view text) const {
        return text.size() <= longest_ && words_.count(LowerCase(text)) != 0;
    }
    bool ContainsLowered(const std::u32string& lowered) const { return words_.count(lowered) != 0; }

  private:
    std::unordered_set<std::u32string> words_;
    std::size_t longest_ = 20;
};

}  // namespace

DesktopRegion RegionOfLanguage(std::uint16_t languageId, char32_t decimalSeparator) {
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

const EverydayForm* FindEverydayForm(std::u32string_view text, const DesktopRegion& region) {
    return FindEverydayForm(text, LowerCase(text), region);
}

const EverydayForm* FindEverydayForm(std::u32string_view text, const std::u32string& lowered,
                                     const DesktopRegion& region) {
    if (text.empty() || text.size() > 30)
        return nullptr;
    const Tables& tables = TablesOf();
    if (const auto it = tables.exact.find(std::u32string(text)); it != tables.exact.end()) {
        if (const EverydayForm* form = FirstThatApplies(it->second, region))
            return form;
    }
    if (const auto it = tables.folded.find(lowered); it != tables.folded.end())
        return FirstThatApplies(it->second, region);
    return nullptr;
}

const MagnitudeWord* FindMagnitude(std::u32string_view text) {
    static const auto magnitudes = MakeMagnitudes();
    if (const auto it = magnitudes.find(std::u32string(text)); it != magnitudes.end())
        return &it->second;
    if (const auto it = magnitudes.find(LowerCase(text)); it != magnitudes.end()) {
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
    return {singular ? chosen->singular : chosen->plural, chosen->factor};
}

bool IsMagnitudeLink(std::u32string_view text) {
    return text == U"de" || text == U"di" || text == U"of";
}

std::u32string_view WithoutElision(std::u32string_view text) {
    // "d'" and "d’"
    if (text.size() > 2 && (text[0] == U'd' || text[0] == U'D') &&
        (text[1] == U'\'' || text[1] == U'\u2019'))
        return text.substr(2);
    return text;
}

bool IsRangeWord(std::u32string_view text) {
    static const WordSet words{U"bis",  U"à",  U"tot", U"to", U"statt",
                               U"oder", U"ou", U"o",   U"of", U"or"};
    return text == U"-" || text == U"\u2013" || text == U"\u2014" || words.Contains(text);
}

bool IsRangeOpener(std::u32string_view opener, std::u32string_view joiner) {
    static const WordSet pairs{U"zwischen und", U"von auf",  U"von bis",     U"entre et",
                               U"entre y",      U"entre e",  U"de à",        U"de a",
                               U"da a",         U"tra e",    U"fra e",       U"tussen en",
                               U"van tot",      U"van naar", U"between and", U"from to"};
    if (opener.empty() || joiner.empty() || opener.size() + joiner.size() > 19)
        return false;
    std::u32string pair(opener);
    pair += U' ';
    pair += joiner;
    return pairs.Contains(pair);
}

bool IsReferenceWord(std::u32string_view text) {
    static const WordSet words{
        U"Kapitel",    U"Kap.",        U"§",        U"§§",      U"Art.",     U"Artikel",
        U"Abs.",       U"Absatz",      U"Nr.",      U"Nr",      U"Nummer",   U"Ziffer",
        U"Ziff.",      U"Punkt",       U"Seite",    U"Seiten",  U"S.",       U"Rn.",
        U"Rz.",        U"Tz.",         U"Anlage",   U"Anhang",  U"Tab.",     U"Tabelle",
        U"Abb.",       U"Band",        U"Bd.",      U"Heft",    U"Jahrgang", U"Jg.",
        U"Drucksache", U"Drucksachen", U"No.",      U"n°",      U"nº",       U"article",
        U"al.",        U"chapitre",    U"page",     U"pages",   U"p.",       U"pp.",
        U"articolo",   U"comma",       U"capitolo", U"pag.",    U"n.",       U"artículo",
        U"apartado",   U"capítulo",    U"página",   U"núm.",    U"artigo",   U"hoofdstuk",
        U"blz.",       U"lid",         U"section",  U"chapter", U"Gruppe",   U"Klasse",
        U"Stufe",      U"Version"};
    return words.Contains(text);
}

namespace {

// Each short word with the languages (bits in the order below) it is common in.
const std::unordered_map<std::u32string, unsigned>& LanguageWords() {
    static const std::unordered_map<std::u32string, unsigned> words = [] {
        const std::array<std::initializer_list<const char32_t*>, 7> lists = {{
            {U"der",  U"die", U"das",  U"und",  U"ist",    U"nicht", U"mit",
             U"von",  U"für", U"den",  U"dem",  U"des",    U"ein",   U"eine",
             U"auch", U"auf", U"sich", U"wird", U"werden", U"wurde"},
            {U"le", U"les", U"et", U"est", U"une", U"pour", U"dans", U"qui", U"pas", U"sur",
             U"avec", U"au", U"aux", U"du", U"ce", U"il", U"sont", U"était"},
            {U"il", U"di", U"che", U"è", U"per", U"una", U"della", U"non", U"con", U"sono", U"gli",
             U"nel", U"alla", U"dei", U"delle", U"anche", U"era"},
            {U"el", U"los", U"las", U"que", U"y", U"en", U"del", U"por", U"una", U"para", U"con",
             U"se", U"al", U"lo", U"es", U"como", U"pero"},
            {U"het", U"een", U"en", U"van", U"is", U"dat", U"niet", U"op", U"voor", U"met", U"zijn",
             U"er", U"ook", U"bij", U"werd", U"naar"},
            {U"os", U"as", U"que", U"em", U"um", U"uma", U"para", U"não", U"com", U"do", U"da",
             U"dos", U"das", U"ao", U"foi", U"mais"},
            {U"the", U"and", U"is", U"of", U"to", U"in", U"that", U"for", U"with", U"was", U"are",
             U"this", U"it"},
        }};
        std::unordered_map<std::u32string, unsigned> map;
        for (std::size_t k = 0; k < lists.size(); ++k) {
            for (const char32_t* word : lists[k])
                map[LowerCase(word)] |= 1u << k;
        }
        return map;
    }();
    return words;
}

constexpr std::array<int, 7> kLanguageNumbers = {0x07, 0x0C, 0x10, 0x0A, 0x13, 0x16, 0x09};

}  // namespace

void LanguageCount::Add(std::u32string_view word) {
    if (word.size() > 7 || word.empty() || Settled())
        return;
    const auto& words = LanguageWords();
    const auto it = words.find(LowerCase(word));
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

bool IsTimeWord(std::u32string_view text) {
    static const WordSet words{U"um",    U"gegen", U"ab", U"vers", U"alle",
                               U"dalle", U"om",    U"at", U"às",   U"las"};
    return words.Contains(text);
}

bool IsMonthName(std::u32string_view text) {
    static const WordSet words{
        U"Januar", U"Jänner", U"Februar", U"Feber",     U"März",    U"April",    U"Mai",
        U"Juni",   U"Juli",   U"August",  U"September", U"Oktober", U"November", U"Dezember",
        U"Jan.",   U"Feb.",   U"Aug.",    U"Sept.",     U"Okt.",    U"Nov.",     U"Dez."};
    return words.Contains(text);
}

}  // namespace kassavero
