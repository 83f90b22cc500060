#include "platform/registry_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/win1252.h"
#include "platform/atomic_file.h"

namespace kassavero {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kRoot = "HKEY_CURRENT_USER\\Software\\Kassavero\\";
constexpr std::string_view kDefaultHeader = "REGEDIT4";

std::string Lower(std::string_view text) {
    return LowerCaseLatin1(text);
}

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

// A line as the program's text: UTF-8 when it is UTF-8, else already Windows-1252.
std::string DecodeLine(std::string_view raw) {
    return IsValidUtf8(raw) ? Utf8ToWin1252(raw) : std::string(raw);
}

// Whether the program can hold a UTF-8 line as it is: every character has a place in
// Windows-1252. A line that is not UTF-8 is Windows-1252 already.
bool HoldsAsWindows1252(std::string_view raw) {
    return !IsValidUtf8(raw) || Win1252ToUtf8(Utf8ToWin1252(raw)) == raw;
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

// A key name cannot hold a line break: the header would end there.
std::string SectionName(std::string_view name) {
    std::string out(name);
    for (char& c : out) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    return out;
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

long long Nanoseconds(const timespec& t) {
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

std::string ErrnoText(const std::string& what, const fs::path& path, int error) {
    return what + " " + path.string() + ": " + std::strerror(error);
}

}  // namespace

fs::path DefaultRegistryDirectory() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/')
        return fs::path(config) / "Kassavero";
    const char* home = std::getenv("HOME");
    std::string homeDir = home != nullptr ? home : "";
    if (homeDir.empty()) {
        if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir) {
            homeDir = entry->pw_dir;
        }
    }
    return fs::path(homeDir) / ".config" / "Kassavero";
}

RegistryFile::RegistryFile(fs::path directory)
    : directory_(std::move(directory)), file_(directory_ / "registry.reg") {
    Load();
}

// ---- Reading the file ----

RegistryFile::FileStamp RegistryFile::StampOf(const struct stat& st) {
    return {
        true, st.st_dev, st.st_ino, st.st_size, Nanoseconds(st.st_mtim), Nanoseconds(st.st_ctim)};
}

RegistryFile::FileStamp RegistryFile::StampOfFile() const {
    struct stat st {};
    return ::stat(file_.c_str(), &st) == 0 ? StampOf(st) : FileStamp{};
}

void RegistryFile::ReloadIfChanged() {
    // Our own changes that are not on disk yet come first; a file we could not read is
    // read again as soon as it changes.
    if (dirty_ && !loadFailed_)
        return;
    if (StampOfFile() != stamp_)
        Load();
}

void RegistryFile::Load() {
    loadFailed_ = false;
    dirty_ = false;
    lastError_.clear();
    std::string bytes;
    // Not blocking: a pipe in the file's place must not stop the program.
    const int fd = ::open(file_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno != ENOENT) {
            loadFailed_ = true;
            lastError_ = ErrnoText("cannot read", file_, errno);
        }
        stamp_ = StampOfFile();
        Parse("");
        return;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        loadFailed_ = true;
        lastError_ = "cannot read " + file_.string() + ": not a regular file";
    } else {
        char buffer[65536];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n == 0)
                break;
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                loadFailed_ = true;
                lastError_ = ErrnoText("cannot read", file_, errno);
                break;
            }
            bytes.append(buffer, static_cast<std::size_t>(n));
        }
    }
    stamp_ = loadFailed_ ? StampOfFile() : StampOf(st);
    ::close(fd);
    Parse(loadFailed_ ? std::string_view() : std::string_view(bytes));
}

void RegistryFile::Parse(std::string_view bytes) {
    header_ = kDefaultHeader;
    preamble_.clear();
    sections_.clear();
    sectionIndex_.clear();
    unreadableLines_ = 0;

    std::string converted;
    if (bytes.starts_with("\xFF\xFE")) {
        converted = Utf16LeToUtf8(bytes.substr(2));
        bytes = converted;
    } else if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }

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
            if (TrimRight(text) == kDefaultHeader ||
                text.starts_with("Windows Registry Editor Version ")) {
                header_ = std::string(TrimRight(text));
                continue;
            }
        }

        if (text.front() == '[') {
            const std::size_t close = text.rfind(']');
            if (close != std::string_view::npos && TrimLeft(text.substr(close + 1)).empty()) {
                const std::string_view path = text.substr(1, close - 1);
                // A name with characters the program cannot hold would come back with
                // "?" in their place, and two such names could become one: the section
                // is kept as it was read and not offered to the program.
                if (path.size() > kRoot.size() &&
                    Lower(path.substr(0, kRoot.size())) == Lower(kRoot) &&
                    HoldsAsWindows1252(raw)) {
                    const std::string name(path.substr(kRoot.size()));
                    if (const auto it = sectionIndex_.find(Lower(name));
                        it != sectionIndex_.end()) {
                        current = it->second;  // a repeated header adds to the first
                    } else {
                        sectionIndex_[Lower(name)] = sections_.size();
                        current = sections_.size();
                        sections_.push_back(Section{name, false, {}, {}, {}});
                    }
                } else {
                    current = sections_.size();
                    sections_.push_back(Section{std::string(path), true, std::string(raw), {}, {}});
                }
                continue;
            }
            // A header that cannot be read: the values below it belong to a section we
            // do not know, never to the one before. They are kept with the broken line.
            ++unreadableLines_;
            current = sections_.size();
            sections_.push_back(Section{std::string(raw), true, std::string(raw), {}, {}});
            continue;
        }

        Entry entry{EntryKind::Unreadable, {}, {}, std::string(raw)};
        const bool comment = text.front() == ';';
        if (!comment && (text.front() == '"' || text.front() == '@')) {
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
                    // Binary data goes on over lines that end with a backslash.
                    while (TrimRight(lines[i]).ends_with('\\') && i + 1 < lines.size()) {
                        entry.raw += '\n';
                        entry.raw += lines[++i];
                    }
                }
            }
        }

        const bool named = entry.kind != EntryKind::Unreadable;
        if (!current) {
            // Nothing can stand before the first section but the header and comments.
            if (!comment)
                ++unreadableLines_;
            preamble_.push_back(std::move(entry.raw));
            continue;
        }
        if (!named && !comment)
            ++unreadableLines_;
        Section& section = sections_[*current];
        if (named)
            section.index[Lower(entry.name)] = section.entries.size();
        section.entries.push_back(std::move(entry));
    }
}

// ---- Writing the file ----

std::string RegistryFile::Serialize() const {
    std::string out;
    AppendKeptLines(out, Win1252ToUtf8(header_));
    for (const auto& line : preamble_)
        AppendKeptLines(out, line);
    for (const auto& section : sections_) {
        out += "\n";
        if (section.foreign)
            AppendKeptLines(out, section.rawHeader);
        else
            out += "[" + Win1252ToUtf8(std::string(kRoot) + section.name) + "]\n";
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
                out += Win1252ToUtf8((entry.name.empty() ? std::string("@") : Quoted(entry.name)) +
                                     "=" + Quoted(entry.value)) +
                       "\n";
            }
        }
    }
    return out;
}

bool RegistryFile::Flush() {
    if (loadFailed_)
        return false;  // never write over a file we could not read
    // A settings file kept elsewhere and linked here stays a link.
    std::string error;
    if (!CreatePrivateDirectories(directory_, error) ||
        !ReplaceFileAtomically(file_, Serialize(), error)) {
        // Said once until a save succeeds again; the changes stay in memory.
        if (lastError_ != error)
            std::fprintf(stderr, "kassavero: the settings are not saved: %s\n", error.c_str());
        lastError_ = error;
        return false;
    }
    lastError_.clear();
    stamp_ = StampOfFile();
    dirty_ = false;
    ++writeCount_;
    return true;
}

void RegistryFile::BeginUpdate() {
    if (depth_++ == 0)
        ReloadIfChanged();
}

void RegistryFile::BeforeReading() {
    if (depth_ == 0)
        ReloadIfChanged();
}

bool RegistryFile::EndUpdate() {
    if (depth_ == 0)
        return !dirty_;
    if (--depth_ > 0)
        return true;
    return dirty_ ? Flush() : true;
}

// ---- The operations ----

RegistryFile::Section* RegistryFile::FindSection(std::string_view name) {
    const auto it = sectionIndex_.find(Lower(SectionName(name)));
    return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

RegistryFile::Section& RegistryFile::SectionForWriting(std::string_view name) {
    if (Section* section = FindSection(name))
        return *section;
    const std::string clean = SectionName(name);
    sectionIndex_[Lower(clean)] = sections_.size();
    sections_.push_back(Section{clean, false, {}, {}, {}});
    return sections_.back();
}

const RegistryFile::Entry* RegistryFile::FindString(std::string_view section,
                                                    std::string_view ident) {
    const Section* found = FindSection(section);
    if (found == nullptr)
        return nullptr;
    const auto it = found->index.find(Lower(ident));
    if (it == found->index.end())
        return nullptr;
    const Entry& entry = found->entries[it->second];
    return entry.kind == EntryKind::String ? &entry : nullptr;
}

void RegistryFile::ReindexSections() {
    sectionIndex_.clear();
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        if (!sections_[i].foreign)
            sectionIndex_[Lower(sections_[i].name)] = i;
    }
}

std::vector<std::string> RegistryFile::ReadSections() {
    BeforeReading();
    std::vector<std::string> names;
    for (const auto& section : sections_) {
        if (!section.foreign)
            names.push_back(section.name);
    }
    return names;
}

bool RegistryFile::SectionExists(std::string_view section) {
    BeforeReading();
    const Section* found = FindSection(section);
    return found != nullptr && !found->index.empty();
}

bool RegistryFile::ValueExists(std::string_view section, std::string_view ident) {
    BeforeReading();
    return FindString(section, ident) != nullptr;
}

std::optional<std::string> RegistryFile::ReadString(std::string_view section,
                                                    std::string_view ident) {
    BeforeReading();
    const Entry* entry = FindString(section, ident);
    if (entry == nullptr)
        return std::nullopt;
    return entry->value;
}

void RegistryFile::WriteString(std::string_view section, std::string_view ident,
                               std::string_view value) {
    // A string ends at its first NUL, as a registry string does.
    value = value.substr(0, value.find('\0'));
    RegistryUpdate update(*this);
    Section& target = SectionForWriting(section);
    const std::string key = Lower(ident);
    if (const auto it = target.index.find(key); it != target.index.end()) {
        Entry& entry = target.entries[it->second];
        if (entry.kind == EntryKind::String && entry.value == value)
            return;
        entry.kind = EntryKind::String;
        entry.value = std::string(value);
        entry.raw.clear();
    } else {
        target.index[key] = target.entries.size();
        target.entries.push_back(
            Entry{EntryKind::String, std::string(ident), std::string(value), {}});
    }
    dirty_ = true;
}

void RegistryFile::EraseSection(std::string_view section) {
    RegistryUpdate update(*this);
    const auto it = sectionIndex_.find(Lower(SectionName(section)));
    if (it == sectionIndex_.end())
        return;
    sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(it->second));
    ReindexSections();
    dirty_ = true;
}

void RegistryFile::RespellSection(std::string_view section) {
    RegistryUpdate update(*this);
    Section* found = FindSection(section);
    const std::string clean = SectionName(section);
    if (found == nullptr || found->name == clean)
        return;
    found->name = clean;
    dirty_ = true;
}

}  // namespace kassavero
