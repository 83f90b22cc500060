// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The everyday forms as the files in src/engine/forms/ write them, one file per language:
// the ways people write each currency, subunits, magnitude words, other money, units, and
// the small words (and, to, months ...) that tell what a number is. The files are built
// into the program; src/engine/forms/README.md describes their lines.

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace kassavero::forms {

// One file as the build embeds it.
struct FormFile {
    std::string_view name;  // "de.forms"
    std::string_view text;  // UTF-8
};

// The files built into the program.
std::span<const FormFile> BuiltInFiles();

enum class Kind : std::uint8_t {
    Currency,  // money the program converts (or the euro)
    Foreign,   // other money: the amount is left alone
    Unit,      // a unit, share or time: the number is no amount
};

struct Form {
    int language = -1;  // index into Tables::languages
    std::u32string text;
    Kind kind = Kind::Unit;
    std::u32string code;  // the currency's code for Kind::Currency ("DEM", "BGN")
    bool before = false;
    bool after = false;
    bool glued = false;      // may touch the number
    bool touching = false;   // only touching it
    bool exactCase = false;  // only in this spelling
    double factor = 1.0;     // worth of one written unit: 0.01 for a subunit
    // Only where the desktop's home currency is one of these; empty: everywhere.
    std::vector<std::u32string> where;
    bool swiss = false;  // Swiss francs on a Swiss desktop
    // A subunit name the euro shares with these older currencies ("cents").
    std::vector<std::u32string> older;
    int family = -1;  // a sign that holds a magnitude ("MF"): the words to write
    // Other money whose name makes these words unsure in the same text ("Ostmark" makes
    // "Mark" and "Pfennig" either money), lower-cased.
    std::vector<std::u32string> shares;
    int line = 0;
};

struct Magnitude {
    int language = -1;
    std::u32string text;
    double factor = 1.0;
    int family = -1;  // the words written for the new amount
    bool exactCase = false;
    int line = 0;
};

struct WrittenWord {
    double factor;
    std::u32string singular;
    std::u32string plural;
};

// The magnitude words one language writes in one style, smallest first.
struct Family {
    int language = -1;
    std::u32string name;
    bool singularBelowTwo = false;
    std::vector<WrittenWord> words;
};

struct Language {
    std::u32string code;  // "de"
    int windowsLanguage = 0;
    std::vector<std::u32string> currencies;  // the money of the countries that speak it
    char32_t decimal = U',';                 // its decimal separator
    // Word lists by name ("and", "month" ...), lower-cased.
    std::map<std::u32string, std::unordered_set<std::u32string>, std::less<>> words;
    std::vector<std::u32string> ranges;  // "zwischen und": the opener and the joiner
};

struct Tables {
    std::vector<Language> languages;
    std::vector<Form> forms;
    std::vector<Magnitude> magnitudes;
    std::vector<Family> families;
    std::vector<std::string> errors;  // "de.forms:12: ..."
};

// Reads the files; a line that cannot be read is reported and left out.
Tables ParseForms(std::span<const FormFile> files);

const Tables& BuiltInForms();

}  // namespace kassavero::forms
