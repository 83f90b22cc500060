// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/registry_text.h"

#include <algorithm>
#include <optional>

#include "core/unicode_text.h"
#include "core/win1252.h"

namespace kassavero {
namespace {

constexpr std::string_view kRoot = "HKEY_CURRENT_USER\\Software\\Kassavero\\";
constexpr std::string_view kDefaultHeader = "REGEDIT4";
constexpr std::string_view kVersionHeader = "Windows Registry Editor Version";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimLeft(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The text of a file in UTF-16 little endian (after its byte order mark) as UTF-8.
std::string Utf16LeToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() / 2);
    auto unit = [&](std::size_t i) {
        return static_cast<char32_t>(static_cast<unsigned char>(bytes[i]) |
                                     (static_cast<unsigned char>(bytes[i + 1]) << 8));
    };
    std::size_t i = 0;
    while (i + 1 < bytes.size()) {
        char32_t cp = unit(i);
        i += 2;
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < bytes.size()) {
            const char32_t low = unit(i);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        if (cp >= 0xD800 && cp <= 0xDFFF)
            cp = 0xFFFD;
        AppendUtf8(out, cp);
    }
    return out;
}

// A line as the program's text: UTF-8 when it is UTF-8, else Windows-1252, the encoding
// older exports use, turned into UTF-8.
std::string DecodeLine(std::string_view raw) {
    if (IsValidUtf8(raw))
        return std::string(raw);
    return TextToUtf8(Win1252ToText(raw));
}

// Reads the quoted text that starts at text[pos]; pos ends behind the closing quote.
std::optional<std::string> ReadQuoted(std::string_view text, std::size_t& pos) {
    std::string out;
    ++pos;
    while (pos < text.size()) {
        const char c = text[pos++];
        if (c == '"')
            return out;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (pos >= text.size())
            return std::nullopt;
        switch (text[pos++]) {
            case '\\':
                out += '\\';
                break;
            case '"':
                out += '"';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            default:
                return std::nullopt;
        }
    }
    return std::nullopt;
}

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '"':
                out += "\\\"";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out + "\"";
}

// Appends lines kept as they were read. The reader takes one carriage return off every line
// end, so a line that still ends in one (the file had two) is written with CR LF: written
// with LF alone it would read back shorter, and a damaged line could become a value.
void AppendKeptLines(std::string& out, std::string_view lines) {
    for (;;) {
        const std::size_t end = lines.find('\n');
        const std::string_view line = lines.substr(0, end);
        out += line;
        out += line.ends_with('\r') ? "\r\n" : "\n";
        if (end == std::string_view::npos)
            return;
        lines.remove_prefix(end + 1);
    }
}

}  // namespace

std::string RegistryText::Key(std::string_view name) {
    return TextToUtf8(LowerCase(Utf8ToText(name)));
}

std::string RegistryText::SectionName(std::string_view name) {
    std::string out(name);
    for (char& c : out) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    return out;
}

namespace {

// The lines of the file, without their line ends.
std::vector<std::string_view> SplitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            break;
        bytes.remove_prefix(end + 1);
    }
    return lines;
}

// A line starting with "[": the section the lines after it belong to. A repeated header
// of ours adds to the first; a foreign one is kept as it is.
void ReadSectionHeader(RegistryText& doc, std::string_view text, std::string_view raw,
                       std::optional<std::size_t>& current) {
    using Section = RegistryText::Section;
    const std::size_t close = text.rfind(']');
    if (close != std::string_view::npos && TrimLeft(text.substr(close + 1)).empty()) {
        const std::string_view path = text.substr(1, close - 1);
        if (path.size() > kRoot.size() &&
            RegistryText::Key(path.substr(0, kRoot.size())) == RegistryText::Key(kRoot)) {
            const std::string name(path.substr(kRoot.size()));
            if (const auto it = doc.sectionIndex.find(RegistryText::Key(name));
                it != doc.sectionIndex.end()) {
                current = it->second;  // a repeated header adds to the first
            } else {
                doc.sectionIndex[RegistryText::Key(name)] = doc.sections.size();
                current = doc.sections.size();
                doc.sections.push_back(Section{name, false, {}, {}, {}});
            }
        } else {
            current = doc.sections.size();
            doc.sections.push_back(Section{std::string(path), true, std::string(raw), {}, {}});
        }
        return;
    }
    // A header that cannot be read: the values below it belong to a section we
    // do not know, never to the one before. They are kept with the broken line.
    ++doc.unreadableLines;
    current = doc.sections.size();
    doc.sections.push_back(Section{std::string(raw), true, std::string(raw), {}, {}});
}

// A value line (with the lines binary data goes on over); Unreadable when it is not one.
RegistryText::Entry ReadEntry(std::string_view text, const std::vector<std::string_view>& lines,
                              std::size_t& i) {
    using Entry = RegistryText::Entry;
    using EntryKind = RegistryText::EntryKind;
    const std::string_view raw = lines[i];
    Entry entry{EntryKind::Unreadable, {}, {}, std::string(raw)};
    if (text.front() == '"' || text.front() == '@') {
        std::size_t pos = 0;
        std::optional<std::string> name;
        if (text.front() == '"') {
            name = ReadQuoted(text, pos);
        } else {
            name = std::string();
            pos = 1;
        }
        std::string_view rest = name ? TrimLeft(text.substr(pos)) : std::string_view();
        if (rest.starts_with('=')) {
            rest = TrimLeft(rest.substr(1));
            if (rest.starts_with('"')) {
                std::size_t valuePos = 0;
                auto value = ReadQuoted(rest, valuePos);
                if (value && TrimLeft(rest.substr(valuePos)).empty()) {
                    value->resize(std::min(value->size(), value->find('\0')));
                    entry = Entry{EntryKind::String, std::move(*name), std::move(*value),
                                  std::string(raw)};
                }
            } else if (!rest.empty()) {
                entry = Entry{EntryKind::OtherType, std::move(*name), {}, std::string(raw)};
                // Binary data goes on over lines that end with a backslash; a blank
                // line ends it, as the writer puts one after data cut off.
                while (TrimRight(lines[i]).ends_with('\\') && i + 1 < lines.size() &&
                       !TrimLeft(DecodeLine(lines[i + 1])).empty()) {
                    entry.raw += '\n';
                    entry.raw += lines[++i];
                }
            }
        }
    }
    return entry;
}

}  // namespace

RegistryText RegistryText::Parse(std::string_view bytes) {
    RegistryText doc;

    std::string converted;
    if (bytes.starts_with("\xFF\xFE")) {
        converted = Utf16LeToUtf8(bytes.substr(2));
        bytes = converted;
    } else if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }

    const std::vector<std::string_view> lines = SplitLines(bytes);

    bool firstLine = true;
    std::optional<std::size_t> current;  // the section the lines belong to
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view raw = lines[i];
        const std::string decoded = DecodeLine(raw);
        const std::string_view text = TrimLeft(decoded);
        if (text.empty())
            continue;

        if (firstLine) {
            firstLine = false;
            // The header is written back without trailing blanks and must read back so.
            const std::string_view header = TrimRight(text);
            if (header == kDefaultHeader || header == kVersionHeader ||
                header.starts_with(std::string(kVersionHeader) + ' ')) {
                doc.header = std::string(header);
                continue;
            }
        }

        if (text.front() == '[') {
            ReadSectionHeader(doc, text, raw, current);
            continue;
        }

        const bool comment = text.front() == ';';
        Entry entry = comment ? Entry{EntryKind::Unreadable, {}, {}, std::string(raw)}
                              : ReadEntry(text, lines, i);

        const bool named = entry.kind != EntryKind::Unreadable;
        if (!current) {
            // Nothing can stand before the first section but the header and comments.
            if (!comment)
                ++doc.unreadableLines;
            doc.preamble.push_back(std::move(entry.raw));
            continue;
        }
        if (!named && !comment)
            ++doc.unreadableLines;
        Section& section = doc.sections[*current];
        if (named)
            section.index[Key(entry.name)] = section.entries.size();
        section.entries.push_back(std::move(entry));
    }
    return doc;
}

std::string RegistryText::Serialize() const {
    std::string out;
    AppendKeptLines(out, header);
    for (const auto& line : preamble)
        AppendKeptLines(out, line);
    for (const auto& section : sections) {
        out += "\n";
        if (section.foreign)
            AppendKeptLines(out, section.rawHeader);
        else
            out += "[" + std::string(kRoot) + section.name + "]\n";
        for (const auto& entry : section.entries) {
            if (!entry.raw.empty()) {
                AppendKeptLines(out, entry.raw);
                // Binary data cut off after a line ending in a backslash would take the next
                // line as its continuation, and a value written after it would be lost at
                // the next read: a blank line ends it.
                const std::size_t lastLine = entry.raw.rfind('\n');
                if (TrimRight(std::string_view(entry.raw).substr(
                                  lastLine == std::string::npos ? 0 : lastLine + 1))
                        .ends_with('\\'))
                    out += "\n";
            } else {
                out += (entry.name.empty() ? std::string("@") : Quoted(entry.name)) + "=" +
                       Quoted(entry.value) + "\n";
            }
        }
    }
    return out;
}

RegistryText::Section* RegistryText::Find(std::string_view name) {
    const auto it = sectionIndex.find(Key(SectionName(name)));
    return it == sectionIndex.end() ? nullptr : &sections[it->second];
}

RegistryText::Section& RegistryText::ForWriting(std::string_view name) {
    if (Section* section = Find(name))
        return *section;
    const std::string clean = SectionName(name);
    sectionIndex[Key(clean)] = sections.size();
    sections.push_back(Section{clean, false, {}, {}, {}});
    return sections.back();
}

const RegistryText::Entry* RegistryText::FindString(std::string_view section,
                                                    std::string_view ident) {
    const Section* found = Find(section);
    if (found == nullptr)
        return nullptr;
    const auto it = found->index.find(Key(ident));
    if (it == found->index.end())
        return nullptr;
    const Entry& entry = found->entries[it->second];
    return entry.kind == EntryKind::String ? &entry : nullptr;
}

void RegistryText::Reindex() {
    sectionIndex.clear();
    for (std::size_t i = 0; i < sections.size(); ++i) {
        if (!sections[i].foreign)
            sectionIndex[Key(sections[i].name)] = i;
    }
}

}  // namespace kassavero
