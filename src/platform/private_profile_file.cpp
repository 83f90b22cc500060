// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/private_profile_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <system_error>
#include <utility>

#include "core/unicode_text.h"
#include "core/win1252.h"
#include "platform/atomic_file.h"
#include "platform/file_read.h"

namespace kassavero {
namespace {

using Line = PrivateProfileFile::Line;
using Document = PrivateProfileFile::Document;

// A cached copy is trusted only for a file last changed this long before it was read:
// timestamps are coarser than the time a rewrite of the same size takes.
constexpr std::int64_t kTimestampGranularityNs = 2'000'000'000;

template <typename Char>
bool IsBlank(Char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

template <typename Char>
std::basic_string_view<Char> Trim(std::basic_string_view<Char> text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

void Classify(Line& line) {
    line.kind = Line::Kind::Other;
    line.name.clear();
    line.rawValue.clear();
    const std::string_view text = Trim(std::string_view(line.text));
    if (text.empty() || text.front() == ';')
        return;
    if (text.front() == '[') {
        const auto close = text.find(']');
        if (close == std::string_view::npos)
            return;
        line.kind = Line::Kind::Section;
        line.name = Utf8ToText(Trim(text.substr(1, close - 1)));
        return;
    }
    const auto equals = line.text.find('=');
    if (equals == std::string::npos)
        return;
    const std::string_view name = Trim(std::string_view(line.text).substr(0, equals));
    if (name.empty())
        return;
    line.kind = Line::Kind::Key;
    line.name = Utf8ToText(name);
    line.rawValue = Utf8ToText(std::string_view(line.text).substr(equals + 1));
}

Document Parse(std::string content) {
    Document document;
    if (content.starts_with("\xEF\xBB\xBF")) {
        document.byteOrderMark = true;
        content.erase(0, 3);
    }
    if (!IsValidUtf8(content))
        content = TextToUtf8(Win1252ToText(content));
    bool newlineKnown = false;
    std::size_t start = 0;
    while (start < content.size()) {
        Line line;
        const auto end = content.find('\n', start);
        if (end == std::string::npos) {
            line.text = content.substr(start);
            start = content.size();
        } else {
            line.text = content.substr(start, end - start);
            line.ending = "\n";
            if (!line.text.empty() && line.text.back() == '\r') {
                line.text.pop_back();
                line.ending = "\r\n";
            }
            if (!newlineKnown) {
                document.newline = line.ending;
                newlineKnown = true;
            }
            start = end + 1;
        }
        Classify(line);
        document.lines.push_back(std::move(line));
    }
    return document;
}

std::string Serialise(const Document& document) {
    std::string out = document.byteOrderMark ? "\xEF\xBB\xBF" : "";
    for (const Line& line : document.lines) {
        out += line.text;
        out += line.ending;
    }
    return out;
}

// Calls visit(index) for each key line of every section with the given name, in file
// order, until visit returns true. Returns the index of the first such section header.
template <typename Visit>
std::ptrdiff_t ForEachKeyOfSection(const Document& document, std::u32string_view section,
                                   Visit visit) {
    std::ptrdiff_t firstHeader = -1;
    bool inSection = false;
    for (std::size_t i = 0; i < document.lines.size(); ++i) {
        const Line& line = document.lines[i];
        if (line.kind == Line::Kind::Section) {
            inSection = EqualsIgnoringCase(line.name, section);
            if (inSection && firstHeader < 0)
                firstHeader = static_cast<std::ptrdiff_t>(i);
        } else if (inSection && line.kind == Line::Kind::Key) {
            if (visit(i))
                break;
        }
    }
    return firstHeader;
}

const Line* FindKey(const Document& document, std::u32string_view section,
                    std::u32string_view key) {
    const Line* found = nullptr;
    ForEachKeyOfSection(document, section, [&](std::size_t i) {
        if (!EqualsIgnoringCase(document.lines[i].name, key))
            return false;
        found = &document.lines[i];
        return true;
    });
    return found;
}

// One pair of matching quotes, single or double, around a value is taken off when read.
bool IsQuoted(std::u32string_view value) {
    return value.size() >= 2 && (value.front() == U'"' || value.front() == U'\'') &&
           value.back() == value.front();
}

// The text written after "=": line breaks would split the entry, so they become blanks; a
// value that the reader would trim or unquote is quoted, so that it reads back unchanged.
std::string EncodeValue(std::u32string_view value) {
    std::u32string text(value);
    std::replace(text.begin(), text.end(), U'\r', U' ');
    std::replace(text.begin(), text.end(), U'\n', U' ');
    const bool trimmed = !text.empty() && (IsBlank(text.front()) || IsBlank(text.back()));
    if (trimmed || IsQuoted(text))
        text = U'"' + text + U'"';
    return TextToUtf8(text);
}

Line MakeLine(std::string text, const Document& document) {
    Line line;
    line.text = std::move(text);
    line.ending = document.newline;
    Classify(line);
    return line;
}

void Insert(Document& document, std::size_t position, Line line) {
    // The line before a new one must end, or the two would run together.
    if (position > 0 && document.lines[position - 1].ending.empty()) {
        document.lines[position - 1].ending = document.newline;
    }
    document.lines.insert(document.lines.begin() + static_cast<std::ptrdiff_t>(position),
                          std::move(line));
}

void ApplyWrite(Document& document, std::u32string_view section, std::u32string_view key,
                std::u32string_view value) {
    std::ptrdiff_t keyLine = -1;
    const std::ptrdiff_t header = ForEachKeyOfSection(document, section, [&](std::size_t i) {
        if (!EqualsIgnoringCase(document.lines[i].name, key))
            return false;
        keyLine = static_cast<std::ptrdiff_t>(i);
        return true;
    });
    if (keyLine >= 0) {
        Line& line = document.lines[static_cast<std::size_t>(keyLine)];
        // Only the value changes; the key keeps its spelling and its place.
        line.text = line.text.substr(0, line.text.find('=') + 1) + EncodeValue(value);
        Classify(line);
        return;
    }
    const std::string lineText = TextToUtf8(key) + "=" + EncodeValue(value);
    if (header < 0) {
        Insert(document, document.lines.size(),
               MakeLine("[" + TextToUtf8(section) + "]", document));
        Insert(document, document.lines.size(), MakeLine(lineText, document));
        return;
    }
    // After the last key of the first section of that name, so that blank lines and
    // comments that lead into the next section stay with it.
    auto after = static_cast<std::size_t>(header);
    for (std::size_t i = after + 1; i < document.lines.size(); ++i) {
        if (document.lines[i].kind == Line::Kind::Section)
            break;
        if (document.lines[i].kind == Line::Kind::Key)
            after = i;
    }
    Insert(document, after + 1, MakeLine(lineText, document));
}

bool ValidName(std::u32string_view name, bool isKey) {
    if (name.find_first_of(U"\r\n") != std::u32string_view::npos)
        return false;
    if (Trim(name) != name)
        return false;
    if (!isKey)
        return name.find(U']') == std::u32string_view::npos;
    return !name.empty() && name.find(U'=') == std::u32string_view::npos && name.front() != U';' &&
           name.front() != U'[';
}

std::int64_t NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::int64_t ToNs(const timespec& time) {
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

}  // namespace

PrivateProfileFile::PrivateProfileFile(std::filesystem::path path, Oversize oversize)
    : path_(std::move(path)), oversize_(oversize) {}

PrivateProfileFile::~PrivateProfileFile() {
    Flush();
}

PrivateProfileFile::Stamp PrivateProfileFile::CurrentStamp() const {
    Stamp stamp;
    struct stat info {};
    if (::stat(path_.c_str(), &info) != 0)
        return stamp;
    stamp.exists = true;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = info.st_size;
    stamp.modifiedNs = ToNs(info.st_mtim);
    stamp.changedNs = ToNs(info.st_ctim);
    return stamp;
}

bool PrivateProfileFile::ReadContent(std::string& content, Stamp& stamp, std::string& error) const {
    stamp = CurrentStamp();
    content.clear();
    if (!stamp.exists)
        return true;
    FileRead read = ReadRegularFile(path_, kMaxFileSize);
    // Such files hold a few lines; one this large is not ours and is left alone.
    if (read.outcome == FileRead::Outcome::TooLarge)
        read.error += " and is not used";
    const bool ok = read.outcome == FileRead::Outcome::Read;
    const struct stat& info = read.info;
    content = std::move(read.bytes);
    error = std::move(read.error);
    if (!ok && oversize_ == Oversize::PutAside && info.st_size > 0 &&
        static_cast<std::size_t>(info.st_size) > kMaxFileSize && PutAside()) {
        // Unread, it would shut this file's channel for good; kept aside, it is not lost.
        error.clear();
        stamp = CurrentStamp();
        return true;
    }
    return ok;
}

bool PrivateProfileFile::PutAside() const {
    std::filesystem::path aside = path_;
    aside += ".bak";
    if (::rename(path_.c_str(), aside.c_str()) != 0)
        return false;
    std::fprintf(stderr,
                 "kassavero: %s was larger than %zu KB; it is kept as %s and started afresh\n",
                 path_.c_str(), kMaxFileSize / 1024, aside.c_str());
    putAside_ = true;
    return true;
}

void PrivateProfileFile::KeepOwnValues() {
    putAside_ = false;
    for (const PendingWrite& own : own_) {
        const bool pending =
            std::any_of(pending_.begin(), pending_.end(), [&](const PendingWrite& w) {
                return EqualsIgnoringCase(w.section, own.section) &&
                       EqualsIgnoringCase(w.key, own.key);
            });
        if (!pending)
            pending_.push_back(own);
    }
}

void PrivateProfileFile::Report(std::string& reported, const std::string& error) {
    // Once until the file works again: a status file is written on every command.
    if (error != reported && error != readProblem_ && error != writeProblem_)
        std::fprintf(stderr, "kassavero: %s\n", error.c_str());
    reported = error;
}

void PrivateProfileFile::Refresh() {
    const Stamp now = CurrentStamp();
    const std::int64_t checkedAt = NowNs();
    if (loaded_ && now == stamp_) {
        if (!now.exists ||
            std::max(now.modifiedNs, now.changedNs) + kTimestampGranularityNs < loadedAtNs_) {
            return;
        }
        // Changed too recently for the time stamp to tell: compare the content itself.
        std::string content;
        Stamp stamp;
        std::string error;
        if (ReadContent(content, stamp, error) && stamp == stamp_ && content == content_) {
            loadedAtNs_ = checkedAt;
            return;
        }
    }
    std::string content;
    Stamp stamp;
    std::string error;
    if (ReadContent(content, stamp, error))  // an unreadable file reads as an empty one
        readProblem_.clear();
    else
        Report(readProblem_, error);
    const bool putAside = putAside_;
    if (putAside)
        KeepOwnValues();
    Document document = Parse(content);
    for (const PendingWrite& write : pending_) {
        ApplyWrite(document, write.section, write.key, write.value);
    }
    document_ = std::move(document);
    content_ = std::move(content);
    stamp_ = stamp;
    loadedAtNs_ = checkedAt;
    loaded_ = true;
    // The fresh file gets this object's values at once, not only with its next write.
    if (putAside)
        Flush();
}

std::u32string PrivateProfileFile::ReadString(std::u32string_view section, std::u32string_view key,
                                              std::u32string_view defaultValue,
                                              std::size_t maxLength) {
    Refresh();
    const Line* line = FindKey(document_, section, key);
    std::u32string_view value = defaultValue;
    if (line != nullptr) {
        value = Trim(std::u32string_view(line->rawValue));
        if (IsQuoted(value)) {
            value = value.substr(1, value.size() - 2);
        }
    }
    return std::u32string(value.substr(0, maxLength));
}

std::vector<std::u32string> PrivateProfileFile::SectionNames() {
    Refresh();
    std::vector<std::u32string> names;
    for (const Line& line : document_.lines) {
        if (line.kind != Line::Kind::Section)
            continue;
        const bool seen = std::any_of(names.begin(), names.end(), [&](const std::u32string& name) {
            return EqualsIgnoringCase(name, line.name);
        });
        if (!seen)
            names.push_back(line.name);
    }
    return names;
}

std::vector<std::u32string> PrivateProfileFile::KeyNames(std::u32string_view section) {
    Refresh();
    std::vector<std::u32string> names;
    ForEachKeyOfSection(document_, section, [&](std::size_t i) {
        const std::u32string& name = document_.lines[i].name;
        const bool seen = std::any_of(names.begin(), names.end(), [&](const std::u32string& other) {
            return EqualsIgnoringCase(other, name);
        });
        if (!seen)
            names.push_back(name);
        return false;
    });
    return names;
}

bool PrivateProfileFile::WriteString(std::u32string_view section, std::u32string_view key,
                                     std::u32string_view value) {
    if (!ValidName(section, false) || !ValidName(key, true))
        return false;
    Refresh();
    ApplyWrite(document_, section, key, value);
    // One pending value per key: writes that cannot reach the disk never pile up.
    const auto same = std::find_if(pending_.begin(), pending_.end(), [&](const PendingWrite& w) {
        return EqualsIgnoringCase(w.section, section) && EqualsIgnoringCase(w.key, key);
    });
    if (same != pending_.end())
        pending_.erase(same);
    pending_.push_back({std::u32string(section), std::u32string(key), std::u32string(value)});
    const auto own = std::find_if(own_.begin(), own_.end(), [&](const PendingWrite& w) {
        return EqualsIgnoringCase(w.section, section) && EqualsIgnoringCase(w.key, key);
    });
    if (own != own_.end())
        own_.erase(own);
    own_.push_back(pending_.back());
    return true;
}

bool PrivateProfileFile::Flush() {
    if (pending_.empty())
        return true;
    std::string content;
    Stamp stamp;
    std::string error;
    // Never replace a file whose content could not be read: it would be lost.
    if (!ReadContent(content, stamp, error)) {
        Report(writeProblem_, error);
        return false;
    }
    if (putAside_)
        KeepOwnValues();
    Document document = Parse(content);
    for (const PendingWrite& write : pending_) {
        ApplyWrite(document, write.section, write.key, write.value);
    }
    std::string written = Serialise(document);
    // A file this large could not be read back: the old one goes aside, and the new one
    // starts with this object's values.
    if (written.size() > kMaxFileSize && oversize_ == Oversize::PutAside && stamp.exists &&
        PutAside()) {
        KeepOwnValues();
        document = Parse(std::string());
        for (const PendingWrite& write : pending_)
            ApplyWrite(document, write.section, write.key, write.value);
        written = Serialise(document);
    }
    const std::int64_t writtenAt = NowNs();
    if (!ReplaceFileAtomically(path_, written, error)) {
        Report(writeProblem_, error);
        return false;
    }
    writeProblem_.clear();
    pending_.clear();
    document_ = std::move(document);
    content_ = std::move(written);
    stamp_ = CurrentStamp();
    loadedAtNs_ = writtenAt;
    loaded_ = true;
    return true;
}

}  // namespace kassavero
