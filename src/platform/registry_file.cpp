// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/registry_file.h"

#include "core/unicode_text.h"

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <system_error>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/atomic_file.h"
#include "platform/file_read.h"

namespace kassavero {
namespace {

namespace fs = std::filesystem;

long long Nanoseconds(const timespec& t) {
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
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
    const FileRead read = ReadRegularFile(file_, std::numeric_limits<std::size_t>::max());
    if (read.outcome == FileRead::Outcome::Failed || read.outcome == FileRead::Outcome::TooLarge) {
        loadFailed_ = true;
        lastError_ = read.error;
    }
    stamp_ = read.outcome == FileRead::Outcome::Read ? StampOf(read.info) : StampOfFile();
    text_ = RegistryText::Parse(read.bytes);
}

bool RegistryFile::Flush() {
    if (loadFailed_)
        return false;  // never write over a file we could not read
    // A settings file kept elsewhere and linked here stays a link.
    std::string error;
    if (!CreatePrivateDirectories(directory_, error) ||
        !ReplaceFileAtomically(file_, text_.Serialize(), error)) {
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
// Names and values are program text here and UTF-8 in the file's text.

std::vector<std::u32string> RegistryFile::ReadSections() {
    BeforeReading();
    std::vector<std::u32string> names;
    for (const auto& section : text_.sections) {
        if (!section.foreign)
            names.push_back(Utf8ToText(section.name));
    }
    return names;
}

bool RegistryFile::SectionExists(std::u32string_view section) {
    BeforeReading();
    const RegistryText::Section* found = text_.Find(TextToUtf8(section));
    return found != nullptr && !found->index.empty();
}

bool RegistryFile::ValueExists(std::u32string_view section, std::u32string_view ident) {
    BeforeReading();
    return text_.FindString(TextToUtf8(section), TextToUtf8(ident)) != nullptr;
}

std::optional<std::u32string> RegistryFile::ReadString(std::u32string_view section,
                                                       std::u32string_view ident) {
    BeforeReading();
    const RegistryText::Entry* entry = text_.FindString(TextToUtf8(section), TextToUtf8(ident));
    if (entry == nullptr)
        return std::nullopt;
    return Utf8ToText(entry->value);
}

void RegistryFile::WriteString(std::u32string_view section, std::u32string_view ident,
                               std::u32string_view textValue) {
    // A string ends at its first NUL, as a registry string does.
    const std::string value = TextToUtf8(textValue.substr(0, textValue.find(U'\0')));
    RegistryUpdate update(*this);
    RegistryText::Section& target = text_.ForWriting(TextToUtf8(section));
    const std::string name = TextToUtf8(ident);
    const std::string key = RegistryText::Key(name);
    if (const auto it = target.index.find(key); it != target.index.end()) {
        RegistryText::Entry& entry = target.entries[it->second];
        if (entry.kind == RegistryText::EntryKind::String && entry.value == value)
            return;
        entry.kind = RegistryText::EntryKind::String;
        entry.value = value;
        entry.raw.clear();
    } else {
        target.index[key] = target.entries.size();
        target.entries.push_back(
            RegistryText::Entry{RegistryText::EntryKind::String, name, value, {}});
    }
    dirty_ = true;
}

void RegistryFile::EraseSection(std::u32string_view section) {
    RegistryUpdate update(*this);
    const auto it =
        text_.sectionIndex.find(RegistryText::Key(RegistryText::SectionName(TextToUtf8(section))));
    if (it == text_.sectionIndex.end())
        return;
    text_.sections.erase(text_.sections.begin() + static_cast<std::ptrdiff_t>(it->second));
    text_.Reindex();
    dirty_ = true;
}

void RegistryFile::RespellSection(std::u32string_view section) {
    RegistryUpdate update(*this);
    const std::string name = TextToUtf8(section);
    RegistryText::Section* found = text_.Find(name);
    const std::string clean = RegistryText::SectionName(name);
    if (found == nullptr || found->name == clean)
        return;
    found->name = clean;
    dirty_ = true;
}

}  // namespace kassavero
