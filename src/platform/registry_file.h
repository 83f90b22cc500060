#pragma once

// The store as one text file, registry.reg, in the syntax of a registry export:
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\Kassavero\General]
//   "DefaultProfile"="Unbenannt"
//
// The file is UTF-8; names and values are Windows-1252 inside the program. In quoted
// names and values a backslash escapes a backslash, a double quote, and the line breaks
// \r and \n (which cannot stand in a line).
//
// Nothing in the file is ever dropped without the user's doing:
// - values of other types (dword:, hex:...) are kept and read as missing;
// - sections outside the program's root are kept and not listed;
// - a line that cannot be read is kept exactly as it was, where it was, and counted;
// - a line that is not UTF-8 is read as Windows-1252, the encoding older exports use;
//   a file in UTF-16 (as newer exports are) is read and from then on written in UTF-8;
// - a file that cannot be opened (no permission, a directory) is never written over:
//   the program runs on the defaults and keeps its changes in memory.
//
// The file is replaced atomically (a temporary file beside it, fsync, rename) once per
// store operation, and only when something changed. Before each operation the store
// reads the file again if it changed on disk since it was read or written.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <sys/stat.h>
#include <sys/types.h>

#include "platform/registry.h"

namespace kassavero {

// $XDG_CONFIG_HOME/Kassavero, or ~/.config/Kassavero when the variable is unset, empty
// or not an absolute path.
std::filesystem::path DefaultRegistryDirectory();

class RegistryFile final : public Registry {
  public:
    // The file is registry.reg in the directory; the directory is created with the first
    // write. Reads the file now.
    explicit RegistryFile(std::filesystem::path directory);

    std::vector<std::string> ReadSections() override;
    bool SectionExists(std::string_view section) override;
    bool ValueExists(std::string_view section, std::string_view ident) override;
    std::optional<std::string> ReadString(std::string_view section,
                                          std::string_view ident) override;
    void WriteString(std::string_view section, std::string_view ident,
                     std::string_view value) override;
    void EraseSection(std::string_view section) override;
    void RespellSection(std::string_view section) override;
    void BeginUpdate() override;
    bool EndUpdate() override;

    const std::filesystem::path& FilePath() const { return file_; }
    // How often the file was replaced on disk by this object.
    int WriteCount() const { return writeCount_; }
    // Lines of the file as last read that could not be read and are kept as they are.
    int UnreadableLineCount() const { return unreadableLines_; }
    // What went wrong in the last read or write; empty when both went well.
    const std::string& LastError() const { return lastError_; }

  private:
    enum class EntryKind { String, OtherType, Unreadable };

    struct Entry {
        EntryKind kind;
        std::string name;   // String and OtherType
        std::string value;  // String
        std::string raw;    // the line(s) as read; empty once the program changed it
    };

    struct Section {
        std::string name;  // below the program's root; the whole path for foreign ones
        bool foreign = false;
        std::string rawHeader;  // foreign sections are written back as they were read
        std::vector<Entry> entries;
        std::unordered_map<std::string, std::size_t> index;  // lower-cased name -> entry
    };

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
    void Parse(std::string_view bytes);
    std::string Serialize() const;
    bool Flush();

    Section* FindSection(std::string_view name);
    Section& SectionForWriting(std::string_view name);
    const Entry* FindString(std::string_view section, std::string_view ident);
    void ReindexSections();

    std::filesystem::path directory_;
    std::filesystem::path file_;

    std::string header_ = "REGEDIT4";
    std::vector<std::string> preamble_;  // lines before the first section, as read
    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t> sectionIndex_;  // ours, lower-cased

    FileStamp stamp_;
    bool loadFailed_ = false;
    bool dirty_ = false;
    int depth_ = 0;
    int writeCount_ = 0;
    int unreadableLines_ = 0;
    std::string lastError_;
};

}  // namespace kassavero
