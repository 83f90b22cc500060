// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The store as one text file, registry.reg, in the syntax of a registry export (see
// registry_text.h for what is read and how nothing is lost).
//
// A file that cannot be opened (no permission, a directory) is never written over: the
// program runs on the defaults and keeps its changes in memory.
//
// The file is replaced atomically (a temporary file beside it, fsync, rename) once per
// store operation, and only when something changed. Before each operation the store
// reads the file again if it changed on disk since it was read or written.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <sys/stat.h>
#include <sys/types.h>

#include "platform/registry.h"
#include "platform/registry_text.h"

namespace kassavero {

// $XDG_CONFIG_HOME/Kassavero, or ~/.config/Kassavero when the variable is unset, empty
// or not an absolute path.
std::filesystem::path DefaultRegistryDirectory();

class RegistryFile final : public Registry {
  public:
    // The file is registry.reg in the directory; the directory is created with the first
    // write. Reads the file now.
    explicit RegistryFile(std::filesystem::path directory);

    std::vector<std::u32string> ReadSections() override;
    bool SectionExists(std::u32string_view section) override;
    bool ValueExists(std::u32string_view section, std::u32string_view ident) override;
    std::optional<std::u32string> ReadString(std::u32string_view section,
                                             std::u32string_view ident) override;
    void WriteString(std::u32string_view section, std::u32string_view ident,
                     std::u32string_view value) override;
    void EraseSection(std::u32string_view section) override;
    void RespellSection(std::u32string_view section) override;
    void BeginUpdate() override;
    bool EndUpdate() override;

    const std::filesystem::path& FilePath() const { return file_; }
    // How often the file was replaced on disk by this object.
    int WriteCount() const { return writeCount_; }
    // Lines of the file as last read that could not be read and are kept as they are.
    int UnreadableLineCount() const { return text_.unreadableLines; }
    // What went wrong in the last read or write; empty when both went well.
    const std::string& LastError() const { return lastError_; }

  private:
    struct FileStamp {
        bool exists = false;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        long long modified = 0;
        long long changed = 0;
        bool operator==(const FileStamp&) const = default;
    };

    static FileStamp StampOf(const struct stat& st);
    FileStamp StampOfFile() const;
    void ReloadIfChanged();
    void BeforeReading();
    void Load();
    bool Flush();

    std::filesystem::path directory_;
    std::filesystem::path file_;

    RegistryText text_;

    FileStamp stamp_;
    bool loadFailed_ = false;
    bool dirty_ = false;
    int depth_ = 0;
    int writeCount_ = 0;
    std::string lastError_;
};

}  // namespace kassavero
