// SPDX-License-Identifier: GPL-3.0-or-later
// Converts every passage of the real-text corpus (tests/data/amounts) as a user on the
// passage's desktop would, with a fresh profile, and counts what comes out right: amounts
// converted to their right value (recall), changes that are real amounts (precision), and
// changes with a wrong value. As a test it fails when a change has a wrong value or a
// figure falls below its floor; with --report it lists every miss.
//
//   amounts_corpus DIR [--report] [--show] [--off] [--desktop de_DE] [--min-recall 90]
//                      [--min-precision 98]

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <clocale>
#include <optional>

#include "client/document_client.h"
#include "confirm/engine_desktop_adapter.h"
#include "core/later_currencies.h"
#include "core/unicode_text.h"
#include "engine/engine.h"
#include "fakes/fake_confirmation.h"
#include "fakes/fake_help.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_message_loop.h"
#include "fakes/fake_name_input.h"
#include "fakes/fake_system_info.h"
#include "fakes/fake_translator.h"
#include "fakes/temp_dir.h"
#include "i18n/translation.h"
#include "platform/posix_system_info.h"
#include "platform/registry_file.h"
#include "settings/active_profile.h"
#include "settings/profile_manager.h"

namespace kassavero {
namespace {

struct Expected {
    std::u32string stretch;
    std::string code;
    double value = 0;
    std::size_t start = 0;
    std::size_t end = 0;
    bool found = false;    // the stretch is in the passage
    bool inWords = false;  // "zwei Mark": no digit to read, counted apart
    bool paired = false;   // "100 DM (51,13 €)": given with its euro value, left alone
};

struct Passage {
    std::string where;  // file:line
    std::string url;
    std::string locale;
    std::u32string text;
    std::vector<Expected> amounts;
};

std::string FormatShortest(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

bool IsLegacy(const std::string& code) {
    for (CurrencyIndex c = 1; c < kFixedCurrencyCount; ++c) {
        if (TextToUtf8(CurrencyCode(c)) == code)
            return true;
    }
    for (const LaterCurrency& later : LaterCurrencies()) {
        if (TextToUtf8(later.Code) == code)
            return true;
    }
    return false;
}

bool IsWordChar(char32_t c) {
    return (c >= U'0' && c <= U'9') || (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') ||
           c == U'$' || (c >= 0xC0 && c < 0x2000);
}

// The next place the stretch stands as whole words ("$50" is not the end of "2$50").
std::size_t FindWhole(const std::u32string& text, const std::u32string& stretch, std::size_t from) {
    for (std::size_t at = text.find(stretch, from); at != std::u32string::npos;
         at = text.find(stretch, at + 1)) {
        const bool startOk = at == 0 || !IsWordChar(text[at - 1]) || !IsWordChar(stretch.front());
        const std::size_t end = at + stretch.size();
        const bool endOk =
            end == text.size() || !IsWordChar(text[end]) || !IsWordChar(stretch.back());
        if (startOk && endOk)
            return at;
    }
    return text.find(stretch, from);
}

void Locate(Passage& p) {
    std::size_t from = 0;
    for (Expected& e : p.amounts) {
        const std::size_t at = FindWhole(p.text, e.stretch, from);
        if (at == std::u32string::npos) {
            std::fprintf(stderr, "%s: stretch not in the passage: %s\n", p.where.c_str(),
                         EncodeKeepingBytes(e.stretch).c_str());
            continue;
        }
        e.found = true;
        e.inWords = std::none_of(e.stretch.begin(), e.stretch.end(),
                                 [](char32_t c) { return c >= U'0' && c <= U'9'; });
        e.start = at;
        e.end = at + e.stretch.size();
        // Not inside the one before: "200 lire" after "1.200 lire".
        from = e.end;
    }
}

bool IsBlank32(char32_t c) {
    return c <= 32 || c == 0xA0 || c == 0x202F || c == 0x2009;
}

// An old amount and its euro value side by side, one of them in brackets: what a
// conversion in add mode writes, and what must not be converted again.
void MarkPairs(Passage& p) {
    const auto skip = [&](std::size_t at) {
        while (at < p.text.size() && IsBlank32(p.text[at]))
            ++at;
        return at;
    };
    for (std::size_t i = 0; i + 1 < p.amounts.size(); ++i) {
        Expected& a = p.amounts[i];
        Expected& b = p.amounts[i + 1];
        if (!a.found || !b.found || a.end > b.start)
            continue;
        const std::size_t open = skip(a.end);
        if (open >= b.start || (p.text[open] != U'(' && p.text[open] != U'['))
            continue;
        if (skip(open + 1) != b.start)
            continue;
        const std::size_t close = skip(b.end);
        if (close >= p.text.size() || (p.text[close] != U')' && p.text[close] != U']'))
            continue;
        const bool euroA = a.code == "EUR";
        const bool euroB = b.code == "EUR";
        if (euroA != euroB) {
            Expected& old = euroA ? b : a;
            old.paired = IsLegacy(old.code);
        }
    }
}

std::vector<Passage> ReadCorpus(const std::filesystem::path& dir) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().extension() == ".txt")
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    std::vector<Passage> passages;
    for (const auto& file : files) {
        std::ifstream in(file);
        std::string line;
        int number = 0;
        std::string text;
        auto finish = [&] {
            if (passages.empty() || text.empty())
                return;
            text.pop_back();  // the last line break
            passages.back().text = DecodeKeepingBytes(text);
            Locate(passages.back());
            MarkPairs(passages.back());
            text.clear();
        };
        while (std::getline(in, line)) {
            ++number;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line.starts_with("@")) {
                finish();
                Passage p;
                p.where = file.filename().string() + ":" + std::to_string(number);
                p.url = Trim(line.substr(1));
                passages.push_back(std::move(p));
            } else if (passages.empty()) {
                continue;
            } else if (line.starts_with("locale ")) {
                passages.back().locale = Trim(line.substr(7));
            } else if (line.starts_with(">")) {
                text += line.substr(line.size() > 1 && line[1] == ' ' ? 2 : 1) + "\n";
            } else if (line.starts_with("=")) {
                const std::string body = line.substr(1);
                const auto bar = body.rfind('|');
                Expected e;
                e.stretch = DecodeKeepingBytes(Trim(body.substr(0, bar)));
                std::istringstream rest(body.substr(bar + 1));
                rest >> e.code >> e.value;
                // The Luxembourg franc was at par with the Belgian one: the program's BEF.
                if (e.code == "LUF")
                    e.code = "BEF";
                passages.back().amounts.push_back(std::move(e));
            }
        }
        finish();
    }
    return passages;
}

// A desktop of the passage's country, as the real locale describes it.
struct Desktop {
    char32_t decimal;
    char32_t thousand;
    std::uint16_t languageId;
    std::u32string interfaceSection;
};

std::optional<Desktop> DesktopOf(const std::string& locale) {
    const std::string name = locale + ".UTF-8";
    locale_t installed = newlocale(LC_NUMERIC_MASK, name.c_str(), nullptr);
    if (installed == nullptr)
        return std::nullopt;
    freelocale(installed);
    const PosixSystemInfo info(name);
    return Desktop{info.DecimalSeparator(), info.ThousandSeparator(), info.DefaultLanguageId(),
                   DesktopLanguageSection(LocaleVariables{"", "", "", name})};
}

// A profile as the first start on that desktop writes it.
struct FreshProfile {
    explicit FreshProfile(const Desktop& d) {
        system.decimal = d.decimal;
        system.thousand = d.thousand;
        system.languageId = d.languageId;
        RegistryFile store(dir.Path());
        ProfileManager manager(profile, store, system, translator, boxes, names);
        manager.LoadAtStartUp(d.interfaceSection);
        // The later euro currency of the desktop's country sits in a custom slot.
        for (std::size_t k = 0; k < 3; ++k)
            customCodes[k] = TextToUtf8(profile.Settings().CustomCurrencySymbol[k]);
    }
    testing::TempDir dir;
    testing::FakeSystemInfo system;
    testing::FakeTranslator translator;
    testing::FakeMessageBoxes boxes;
    testing::FakeNameInput names;
    ActiveProfile profile;
    std::array<std::string, 3> customCodes;

    // The code a corpus line names a currency by.
    std::string CodeOf(CurrencyIndex c) const {
        if (IsCustomCurrency(c) && !customCodes[static_cast<std::size_t>(c - kCUS1)].empty())
            return customCodes[static_cast<std::size_t>(c - kCUS1)];
        return TextToUtf8(CurrencyCode(c));
    }
};

struct Change {
    std::size_t start;
    std::size_t end;
    CurrencyIndex currency;
    double amount;
};

std::vector<Change> Convert(FreshProfile& fresh, const std::u32string& text) {
    testing::FakeTranslator translator;
    testing::FakeMessageBoxes boxes;
    testing::FakeMessageLoop loop;
    testing::FakeHelp help;
    testing::FakeConfirmation confirmation;
    EngineDesktopAdapter desktop{boxes, loop, help};
    Engine engine(fresh.profile, translator, desktop, confirmation,
                  RegionOfLanguage(fresh.system.languageId, fresh.system.decimal));
    const EngineHandle handle = engine.EngineInit();
    const int session = engine.OpenQuietSession(handle, U"corpus");
    std::vector<Change> changes;
    engine.ConvertQuietly(handle, session, AsProgramText(text, 0, text.size()),
                          [&](const FoundChange& c, const ReplacementParts*) {
                              changes.push_back({c.Start, c.End, c.Currency, c.Amount});
                              return true;
                          });
    engine.CloseQuietSession(handle, session);
    return changes;
}

// Units of the legacy currency per euro; 0 for a code that is none.
double RateOfCode(const std::string& code) {
    for (CurrencyIndex c = 1; c < kFixedCurrencyCount; ++c) {
        if (TextToUtf8(CurrencyCode(c)) == code)
            return FixedCurrencyRate(c);
    }
    for (const LaterCurrency& later : LaterCurrencies()) {
        if (TextToUtf8(later.Code) == code)
            return std::stod(TextToUtf8(later.Rate));
    }
    return 0;
}

bool SameValue(double a, double b) {
    return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b));
}

struct Tally {
    int legacy = 0;      // legacy amounts a reader sees
    int converted = 0;   // of those, converted to the right value
    int changes = 0;     // changes made
    int right = 0;       // changes that are a legacy amount with its right value
    int wrongValue = 0;  // changes on an amount, with a wrong currency or value
    int notAmount = 0;   // changes where a reader sees no amount
    int leftAlone = 0;   // euro and foreign amounts a reader sees
    int touched = 0;     // of those, changed though already in their own currency
    int stretchOff = 0;  // right value, but the replaced stretch differs
    int inWords = 0;     // amounts written in words, not counted above
    int tiny = 0;        // legacy amounts missed that are worth less than half a cent
    // Legacy amounts and those converted right, by currency.
    std::map<std::string, std::pair<int, int>> byCurrency;
};

std::string Utf8(const std::u32string& s, std::size_t from, std::size_t to) {
    return EncodeKeepingBytes(std::u32string_view(s).substr(from, to - from));
}

// Of the amounts the change overlaps, the one it reads right, else the one it overlaps
// most; nullptr for none.
const Expected* BestMatch(const Passage& p, const FreshProfile& fresh, const Change& c,
                          const std::vector<bool>& hit, std::size_t& index) {
    const Expected* match = nullptr;
    std::size_t best = 0;
    for (std::size_t i = 0; i < p.amounts.size(); ++i) {
        const Expected& e = p.amounts[i];
        if (!e.found || c.end <= e.start || e.end <= c.start)
            continue;
        const bool reads =
            !hit[i] && fresh.CodeOf(c.currency) == e.code && SameValue(c.amount, e.value);
        const std::size_t overlap =
            std::min(c.end, e.end) - std::max(c.start, e.start) + (reads ? 1000000 : 0);
        if (overlap > best) {
            best = overlap;
            match = &e;
            index = i;
        }
    }
    return match;
}

void Score(const Passage& p, const FreshProfile& fresh, const std::vector<Change>& changes,
           Tally& t, bool report) {
    std::vector<bool> hit(p.amounts.size(), false);
    for (const Expected& e : p.amounts) {
        if (!e.found)
            continue;
        if (e.inWords)
            ++t.inWords;
        else if (IsLegacy(e.code) && !e.paired) {
            ++t.legacy;
            ++t.byCurrency[e.code].first;
        } else
            ++t.leftAlone;
    }
    for (const Change& c : changes) {
        ++t.changes;
        const std::string seen = Utf8(p.text, c.start, c.end);
        std::size_t index = 0;
        const Expected* match = BestMatch(p, fresh, c, hit, index);
        const std::string got = fresh.CodeOf(c.currency) + " " + FormatShortest(c.amount);
        if (match == nullptr) {
            ++t.notAmount;
            if (report)
                std::printf("%s NOT AN AMOUNT  \"%s\" taken as %s\n", p.where.c_str(), seen.c_str(),
                            got.c_str());
            continue;
        }
        const bool sameCurrency = fresh.CodeOf(c.currency) == match->code;
        if ((!IsLegacy(match->code) || match->paired) && sameCurrency) {
            ++t.touched;
            if (report)
                std::printf("%s LEFT ALONE?    \"%s\" changed, already %s\n", p.where.c_str(),
                            seen.c_str(), match->paired ? "converted" : match->code.c_str());
            continue;
        }
        if (hit[index] || !sameCurrency || !SameValue(c.amount, match->value)) {
            ++t.wrongValue;
            if (report)
                std::printf("%s WRONG          \"%s\" taken as %s, a reader sees %s %s\n",
                            p.where.c_str(), seen.c_str(), got.c_str(), match->code.c_str(),
                            FormatShortest(match->value).c_str());
            continue;
        }
        hit[index] = true;
        ++t.right;
        if (IsLegacy(match->code) && !match->paired) {
            ++t.converted;
            ++t.byCurrency[match->code].second;
        }
        if (c.start != match->start || c.end != match->end) {
            ++t.stretchOff;
            if (report)
                std::printf("%s STRETCH        \"%s\" replaced, the amount is \"%s\"\n",
                            p.where.c_str(), seen.c_str(),
                            EncodeKeepingBytes(match->stretch).c_str());
        }
    }
    for (std::size_t i = 0; i < p.amounts.size(); ++i) {
        const Expected& e = p.amounts[i];
        if (!e.found || e.inWords || e.paired || !IsLegacy(e.code) || hit[i])
            continue;
        if (const double rate = RateOfCode(e.code); rate > 0 && e.value / rate < 0.005)
            ++t.tiny;
        if (report)
            std::printf("%s MISSED         \"%s\" (%s %s)\n", p.where.c_str(),
                        EncodeKeepingBytes(e.stretch).c_str(), e.code.c_str(),
                        FormatShortest(e.value).c_str());
    }
}

double Percent(int part, int whole) {
    return whole == 0 ? 100.0 : 100.0 * part / whole;
}

}  // namespace
}  // namespace kassavero

int main(int argc, char** argv) {
    using namespace kassavero;
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: amounts_corpus DIR [--report] [--show] [--off] [--desktop LOCALE] "
                     "[--min-recall N] [--min-precision N]\n");
        return 2;
    }
    bool report = false;
    bool show = false;  // every change found, right or not
    bool everyday = true;
    std::string desktop;
    double minRecall = 0;
    double minPrecision = 0;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--report")
            report = true;
        else if (arg == "--show")
            show = true;
        else if (arg == "--off")
            everyday = false;
        else if (arg == "--desktop" && i + 1 < argc)
            desktop = argv[++i];
        else if (arg == "--min-recall" && i + 1 < argc)
            minRecall = std::stod(argv[++i]);
        else if (arg == "--min-precision" && i + 1 < argc)
            minPrecision = std::stod(argv[++i]);
    }
    const std::vector<Passage> passages = ReadCorpus(argv[1]);
    std::map<std::string, std::unique_ptr<FreshProfile>> profiles;
    Tally total;
    for (const Passage& p : passages) {
        const std::string locale = desktop.empty() ? p.locale : desktop;
        auto& fresh = profiles[locale];
        if (!fresh) {
            const std::optional<Desktop> row = DesktopOf(locale);
            if (!row) {
                std::fprintf(stderr, "%s: locale %s is not installed\n", p.where.c_str(),
                             locale.c_str());
                return 2;
            }
            fresh = std::make_unique<FreshProfile>(*row);
        }
        fresh->profile.MutableSettings().InputEverydayForms = everyday;
        const std::vector<Change> changes = Convert(*fresh, p.text);
        for (const Change& c : show ? changes : std::vector<Change>{}) {
            std::printf("%s FOUND          \"%s\" (%s %.10g)\n", p.where.c_str(),
                        TextToUtf8(p.text.substr(c.start, c.end - c.start)).c_str(),
                        fresh->CodeOf(c.currency).c_str(), c.amount);
        }
        Score(p, *fresh, changes, total, report);
    }
    const double recall = Percent(total.converted, total.legacy);
    const double precision = Percent(total.right, total.changes);
    std::printf(
        "%zu passages, %d old-currency amounts, %d euro or foreign amounts, %d amounts "
        "in words (not counted)\n",
        passages.size(), total.legacy, total.leftAlone, total.inWords);
    std::printf("recall %.1f %% (%d of %d converted right)\n", recall, total.converted,
                total.legacy);
    std::printf("left alone as worth less than half a cent: %d of the %d not converted\n",
                total.tiny, total.legacy - total.converted);
    std::printf("precision %.1f %% (%d of %d changes right)\n", precision, total.right,
                total.changes);
    std::printf(
        "wrong values %d, not amounts %d, euro or foreign amounts changed %d, "
        "stretch differs %d\n",
        total.wrongValue, total.notAmount, total.touched, total.stretchOff);
    std::string line;
    for (const auto& [code, counts] : total.byCurrency) {
        char cell[64];
        std::snprintf(cell, sizeof cell, "%s %d/%d  ", code.c_str(), counts.second, counts.first);
        line += cell;
    }
    std::printf("by currency: %s\n", line.c_str());
    const bool ok = total.wrongValue == 0 && recall >= minRecall && precision >= minPrecision;
    return ok ? 0 : 1;
}
