// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An initialisation file on disk. The file is UTF-8 (a file that is not valid UTF-8 is taken
// as Windows-1252, as files copied from older systems are).

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/private_profile.h"

namespace kassavero {

class PrivateProfileFile final : public PrivateProfile {
  public:
    // Larger files are neither read nor replaced: the real ones hold a few lines.
    static constexpr std::size_t kMaxFileSize = std::size_t{1024} * 1024;
    // What becomes of a larger file: left alone and not used, or (for a file the program
    // needs to work, such as the status file) put aside as "<name>.bak" and started afresh.
    enum class Oversize { Refuse, PutAside };

    explicit PrivateProfileFile(std::filesystem::path path, Oversize oversize = Oversize::Refuse);
    // Writes what is still pending; a failure here goes unreported.
    ~PrivateProfileFile() override;

    PrivateProfileFile(const PrivateProfileFile&) = delete;
    PrivateProfileFile& operator=(const PrivateProfileFile&) = delete;

    const std::filesystem::path& Path() const { return path_; }

    std::u32string ReadString(std::u32string_view section, std::u32string_view key,
                              std::u32string_view defaultValue, std::size_t maxLength) override;
    std::vector<std::u32string> SectionNames() override;
    std::vector<std::u32string> KeyNames(std::u32string_view section) override;
    bool WriteString(std::u32string_view section, std::u32string_view key,
                     std::u32string_view value) override;
    // Reads the file afresh, applies the pending changes to it and replaces it atomically
    // (temporary file in the same directory, fsync, rename), so that a reader never sees a
    // half-written file and a change made meanwhile by another program is kept.
    bool Flush() override;

    // One line of the file as it stands on disk (UTF-8, without its line end), with what it
    // means. Lines are kept as they are, so that a write changes only the line it is about.
    struct Line {
        enum class Kind : std::uint8_t { Other, Section, Key };
        std::string text;
        std::string ending;
        Kind kind = Kind::Other;
        std::u32string name;      // section or key name, trimmed
        std::u32string rawValue;  // everything after the first "="
    };
    struct Document {
        std::vector<Line> lines;
        bool byteOrderMark = false;
        std::string newline = "\n";
    };

  private:
    // What identifies one version of the file on disk.
    struct Stamp {
        bool exists = false;
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t size = 0;
        std::int64_t modifiedNs = 0;
        std::int64_t changedNs = 0;
        bool operator==(const Stamp&) const = default;
    };
    struct PendingWrite {
        std::u32string section;
        std::u32string key;
        std::u32string value;
    };

    // Brings the cached copy up to date with the file, keeping the pending changes.
    void Refresh();
    // The file's bytes (empty for a missing file); false, with the reason, when it exists
    // but cannot be read or is larger than kMaxFileSize.
    bool ReadContent(std::string& content, Stamp& stamp, std::string& error) const;
    // Says on stderr what went wrong, once until reading or writing works again.
    void Report(std::string& reported, const std::string& error);
    Stamp CurrentStamp() const;
    // Renames the file to "<name>.bak"; true when that worked.
    bool PutAside() const;
    // After the file was put aside: this object's own values wait to be written again.
    void KeepOwnValues();

    std::filesystem::path path_;
    Oversize oversize_;
    std::string content_;  // the bytes the cached copy was made from
    Document document_;
    Stamp stamp_;
    std::int64_t loadedAtNs_ = 0;
    bool loaded_ = false;
    std::vector<PendingWrite> pending_;  // at most one per key
    // Every value this object wrote, the latest per key: a file put aside takes them to
    // the fresh one.
    std::vector<PendingWrite> own_;
    mutable bool putAside_ = false;  // ReadContent put the file aside
    std::string readProblem_;        // what was last said about reading, or empty
    std::string writeProblem_;
};

}  // namespace kassavero
