// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/form_tables.h"

#include <algorithm>
#include <charconv>

#include "core/currency.h"
#include "core/later_currencies.h"
#include "core/unicode_text.h"

namespace kassavero::forms {
namespace {

constexpr std::u32string_view kWordLists[] = {
    U"words", U"and",  U"or",      U"to",   U"instead", U"leads-to",  U"reference", U"time",
    U"month", U"link", U"numbers", U"coin", U"year",    U"after-sum", U"sterling",  U"former"};

std::u32string_view Trim(std::u32string_view s) {
    while (!s.empty() && (s.front() == U' ' || s.front() == U'\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == U' ' || s.back() == U'\t' || s.back() == U'\r'))
        s.remove_suffix(1);
    return s;
}

std::vector<std::u32string_view> Split(std::u32string_view s, char32_t separator) {
    std::vector<std::u32string_view> parts;
    while (true) {
        const std::size_t at = s.find(separator);
        const std::u32string_view part = Trim(s.substr(0, at));
        if (!part.empty())
            parts.push_back(part);
        if (at == std::u32string_view::npos)
            return parts;
        s.remove_prefix(at + 1);
    }
}

bool ParseDouble(std::u32string_view text, double& value) {
    const std::string ascii = TextToAscii(text);
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    return error == std::errc() && end == ascii.data() + ascii.size() && value > 0;
}

bool KnownCode(std::u32string_view code) {
    for (CurrencyIndex c = 0; c < kFixedCurrencyCount; ++c) {
        if (CurrencyCode(c) == code)
            return true;
    }
    return std::any_of(LaterCurrencies().begin(), LaterCurrencies().end(),
                       [&](const LaterCurrency& later) { return later.Code == code; });
}

// "Mio.=1e6": the text and its factor.
bool SplitFactor(std::u32string_view item, std::u32string_view& text, double& factor) {
    const std::size_t at = item.rfind(U'=');
    if (at == std::u32string_view::npos)
        return false;
    text = Trim(item.substr(0, at));
    return !text.empty() && ParseDouble(Trim(item.substr(at + 1)), factor);
}

class Parser {
  public:
    explicit Parser(Tables& tables) : t_(tables) {}

    void File(const FormFile& file) {
        file_ = file.name;
        language_ = -1;
        const std::u32string text = Utf8ToText(file.text);
        std::size_t start = 0;
        line_ = 0;
        while (start <= text.size()) {
            const std::size_t end = std::min(text.find(U'\n', start), text.size());
            ++line_;
            Line(Trim(std::u32string_view(text).substr(start, end - start)));
            start = end + 1;
        }
    }

    // Families named by forms ("writes=fr-short") are known once every file is read.
    void ResolveFamilies() {
        for (auto& [index, name] : pendingFamilies_) {
            Form& form = t_.forms[index];
            form.family = FamilyIndex(form.language, name);
            if (form.family < 0)
                Error(form.line, "no magnitude words \"" + TextToUtf8(name) + "\" to write");
        }
    }

  private:
    void Error(int line, const std::string& what) {
        t_.errors.push_back(std::string(file_) + ":" + std::to_string(line) + ": " + what);
    }
    void Error(const std::string& what) { Error(line_, what); }

    int FamilyIndex(int language, std::u32string_view name) const {
        for (std::size_t i = 0; i < t_.families.size(); ++i) {
            if (t_.families[i].language == language && t_.families[i].name == name)
                return static_cast<int>(i);
        }
        return -1;
    }

    void Line(std::u32string_view line) {
        if (line.empty() || line.front() == U'#')
            return;
        const std::vector<std::u32string_view> fields = Split(line, U'|');
        const std::vector<std::u32string_view> head = Split(fields.front(), U' ');
        if (head.front() == U"language") {
            Header(head);
            return;
        }
        if (language_ < 0) {
            Error("a line before the file's \"language\" line");
            return;
        }
        if (head.front() == U"decimal") {
            if (head.size() == 2 && head[1].size() == 1)
                Lang().decimal = head[1][0];
            else
                Error("expected \"decimal <character>\"");
            return;
        }
        if (head.front() == U"currencies") {
            for (std::size_t i = 1; i < head.size(); ++i)
                Lang().currencies.emplace_back(head[i]);
            return;
        }
        if (fields.size() < 2) {
            Error("expected \"what | items | flags\"");
            return;
        }
        const std::vector<std::u32string_view> items = Split(fields[1], U',');
        const std::vector<std::u32string_view> flags =
            fields.size() > 2 ? Split(fields[2], U' ') : std::vector<std::u32string_view>{};
        if (head.front() == U"magnitude" && head.size() == 2)
            Magnitudes(head[1], items, flags);
        else if (head.front() == U"write" && head.size() == 2)
            Writes(head[1], items, flags);
        else if (head.front() == U"range" && head.size() == 1)
            Ranges(items);
        else if (std::find(std::begin(kWordLists), std::end(kWordLists), head.front()) !=
                     std::end(kWordLists) &&
                 head.size() == 1)
            WordList(head.front(), items);
        else if (head.size() == 1)
            Forms(head.front(), items, flags);
        else
            Error("unknown line \"" + TextToUtf8(fields.front()) + "\"");
    }

    Language& Lang() { return t_.languages[static_cast<std::size_t>(language_)]; }

    void Header(const std::vector<std::u32string_view>& head) {
        int windows = 0;
        const std::string number = head.size() == 3 ? TextToAscii(head[2]) : std::string();
        const bool hex = number.starts_with("0x");
        const char* digits = number.data() + (hex ? 2 : 0);
        if (head.size() != 3 ||
            std::from_chars(digits, number.data() + number.size(), windows, 16).ec != std::errc()) {
            Error("expected \"language <code> <Windows language number>\"");
            return;
        }
        language_ = static_cast<int>(t_.languages.size());
        Language language;
        language.code = head[1];
        language.windowsLanguage = windows;
        t_.languages.push_back(std::move(language));
    }

    void WordList(std::u32string_view name, const std::vector<std::u32string_view>& items) {
        auto& set = Lang().words[std::u32string(name)];
        for (const std::u32string_view item : items)
            set.insert(WordKey(item));  // looked up as the forms are
    }

    void Ranges(const std::vector<std::u32string_view>& items) {
        for (const std::u32string_view item : items) {
            if (Split(item, U' ').size() != 2) {
                Error("a range is an opener and a joiner: \"" + TextToUtf8(item) + "\"");
                continue;
            }
            Lang().ranges.push_back(WordKey(item));
        }
    }

    void Magnitudes(std::u32string_view family, const std::vector<std::u32string_view>& items,
                    const std::vector<std::u32string_view>& flags) {
        bool exactCase = false;
        for (const std::u32string_view flag : flags) {
            if (flag == U"case")
                exactCase = true;
            else
                Error("unknown flag \"" + TextToUtf8(flag) + "\"");
        }
        const int index = FamilyIndex(language_, family);
        if (index < 0) {
            Error("magnitude words before their \"write " + TextToUtf8(family) + "\" line");
            return;
        }
        for (const std::u32string_view item : items) {
            Magnitude m;
            std::u32string_view text;
            if (!SplitFactor(item, text, m.factor)) {
                Error("expected \"word=factor\": \"" + TextToUtf8(item) + "\"");
                continue;
            }
            m.language = language_;
            m.text = text;
            m.family = index;
            m.exactCase = exactCase;
            m.line = line_;
            t_.magnitudes.push_back(std::move(m));
        }
    }

    void Writes(std::u32string_view name, const std::vector<std::u32string_view>& items,
                const std::vector<std::u32string_view>& flags) {
        Family family;
        family.language = language_;
        family.name = name;
        for (const std::u32string_view flag : flags) {
            if (flag == U"singular-below-two")
                family.singularBelowTwo = true;
            else
                Error("unknown flag \"" + TextToUtf8(flag) + "\"");
        }
        for (const std::u32string_view item : items) {
            std::u32string_view words;
            double factor = 0;
            if (!SplitFactor(item, words, factor)) {
                Error("expected \"word=factor\" or \"singular/plural=factor\"");
                continue;
            }
            const std::size_t slash = words.find(U'/');
            const std::u32string_view singular = Trim(words.substr(0, slash));
            const std::u32string_view plural =
                slash == std::u32string_view::npos ? singular : Trim(words.substr(slash + 1));
            family.words.push_back({factor, std::u32string(singular), std::u32string(plural)});
        }
        std::sort(family.words.begin(), family.words.end(),
                  [](const WrittenWord& a, const WrittenWord& b) { return a.factor < b.factor; });
        if (FamilyIndex(language_, name) >= 0)
            Error("magnitude words \"" + TextToUtf8(name) + "\" written twice");
        else
            t_.families.push_back(std::move(family));
    }

    bool Flag(Form& form, std::u32string_view flag, std::u32string& pendingFamily) {
        const std::size_t eq = flag.find(U'=');
        const std::u32string_view name = flag.substr(0, eq);
        const std::u32string_view value =
            eq == std::u32string_view::npos ? std::u32string_view() : flag.substr(eq + 1);
        if (eq == std::u32string_view::npos) {
            if (flag == U"before")
                form.before = true;
            else if (flag == U"after")
                form.after = true;
            else if (flag == U"glued")
                form.glued = true;
            else if (flag == U"touching")
                form.glued = form.touching = true;
            else if (flag == U"case")
                form.exactCase = true;
            else if (flag == U"sub")
                form.factor = 0.01;
            else if (flag == U"mil")
                form.factor = 0.001;
            else if (flag == U"home")
                form.where.push_back(form.code);
            else if (flag == U"swiss")
                form.swiss = true;
            else
                return false;
            return true;
        }
        if (name == U"factor")
            return ParseDouble(value, form.factor);
        if (name == U"where") {
            for (const std::u32string_view code : Split(value, U'+')) {
                if (!KnownCode(code))
                    return false;
                form.where.emplace_back(code);
            }
            return true;
        }
        if (name == U"older") {
            for (const std::u32string_view code : Split(value, U'+')) {
                if (!KnownCode(code))
                    return false;
                form.older.emplace_back(code);
            }
            return true;
        }
        if (name == U"shares") {
            for (const std::u32string_view word : Split(value, U'+'))
                form.shares.push_back(LowerCase(word));
            return form.kind == Kind::Foreign && !form.shares.empty();
        }
        if (name == U"writes") {
            pendingFamily = value;
            return !value.empty();
        }
        return false;
    }

    void Forms(std::u32string_view what, const std::vector<std::u32string_view>& items,
               const std::vector<std::u32string_view>& flags) {
        Form form;
        form.language = language_;
        form.line = line_;
        if (what == U"foreign") {
            form.kind = Kind::Foreign;
        } else if (what == U"unit") {
            form.kind = Kind::Unit;
        } else if (KnownCode(what)) {
            form.kind = Kind::Currency;
            form.code = what;
        } else {
            Error("unknown currency \"" + TextToUtf8(what) + "\"");
            return;
        }
        std::u32string family;
        for (const std::u32string_view flag : flags) {
            if (!Flag(form, flag, family))
                Error("unknown flag \"" + TextToUtf8(flag) + "\"");
        }
        if (!form.before && !form.after)
            Error("a form stands before or after the number (or both)");
        for (const std::u32string_view item : items) {
            form.text = item;
            if (!family.empty())
                pendingFamilies_.emplace_back(t_.forms.size(), family);
            t_.forms.push_back(form);
        }
    }

    Tables& t_;
    std::string_view file_;
    int line_ = 0;
    int language_ = -1;
    std::vector<std::pair<std::size_t, std::u32string>> pendingFamilies_;
};

}  // namespace

Tables ParseForms(std::span<const FormFile> files) {
    Tables tables;
    Parser parser(tables);
    for (const FormFile& file : files)
        parser.File(file);
    parser.ResolveFamilies();
    return tables;
}

const Tables& BuiltInForms() {
    static const Tables tables = ParseForms(BuiltInFiles());
    return tables;
}

}  // namespace kassavero::forms
