// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/atomic_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include "core/unicode_text.h"

#include <filesystem>
#include <string>

#include "fakes/temp_dir.h"

namespace kassavero {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

unsigned ModeOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

// Sets a umask for the test's duration.
class Umask {
  public:
    explicit Umask(mode_t mask) : saved_(::umask(mask)) {}
    ~Umask() { ::umask(saved_); }

  private:
    mode_t saved_;
};

TEST(AtomicFileTest, NewFilesAndDirectoriesArePrivateWhateverTheUmask) {
    for (const mode_t mask : {mode_t{000}, mode_t{022}, mode_t{077}}) {
        TempDir temp;
        const Umask umask(mask);
        const fs::path file = temp.Path() / "config" / "Kassavero" / "registry.reg";
        std::string error;
        ASSERT_TRUE(ReplaceFileAtomically(file, "new", error)) << error;
        EXPECT_EQ(ModeOf(file), 0600u) << mask;
        EXPECT_EQ(ModeOf(file.parent_path()), 0700u) << mask;
        EXPECT_EQ(ModeOf(file.parent_path().parent_path()), 0700u) << mask;
        // An existing file keeps the mode its owner gave it.
        ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
        ASSERT_TRUE(ReplaceFileAtomically(file, "newer", error)) << error;
        EXPECT_EQ(ModeOf(file), 0640u);
        EXPECT_EQ(ReadFileBytes(file), "newer");
    }
}

TEST(AtomicFileTest, AReadOnlyFileIsNeverReplaced) {
    TempDir temp;
    const fs::path file = temp.Path() / "registry.reg";
    WriteFileBytes(file, "old");
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    std::string error;
    EXPECT_FALSE(ReplaceFileAtomically(file, "new", error));
    EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    EXPECT_EQ(ReadFileBytes(file), "old");
    EXPECT_EQ(ModeOf(file), 0444u);
    EXPECT_FALSE(fs::exists(temp.Path() / "registry.reg.tmp"));
}

TEST(AtomicFileTest, ALinkIsWrittenThroughAndADanglingOneCreatesNothing) {
    TempDir temp;
    const fs::path real = temp.Path() / "dotfiles" / "kassavero.reg";
    WriteFileBytes(real, "old");
    const fs::path link = temp.Path() / "config" / "registry.reg";
    fs::create_directories(link.parent_path());
    fs::create_symlink(real, link);
    std::string error;
    ASSERT_TRUE(ReplaceFileAtomically(link, "new", error)) << error;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFileBytes(real), "new");

    const fs::path dangling = temp.Path() / "config" / "dangling.reg";
    fs::create_symlink(temp.Path() / "elsewhere" / "missing.reg", dangling);
    EXPECT_FALSE(ReplaceFileAtomically(dangling, "new", error));
    EXPECT_NE(error.find("does not exist"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(temp.Path() / "elsewhere"));
    EXPECT_TRUE(fs::is_symlink(dangling));
}

TEST(AtomicFileTest, ALeftoverTemporaryFileIsRemoved) {
    TempDir temp;
    const fs::path file = temp.Path() / "registry.reg";
    WriteFileBytes(file, "whole");
    WriteFileBytes(temp.Path() / "registry.reg.tmp", "half");
    RemoveLeftoverTemporary(file);
    EXPECT_FALSE(fs::exists(temp.Path() / "registry.reg.tmp"));
    EXPECT_EQ(ReadFileBytes(file), "whole");
}

}  // namespace
}  // namespace kassavero
