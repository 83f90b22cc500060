// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/memory_file.h"

#include <gtest/gtest.h>

#include <string>

#include <unistd.h>

#include "platform/file_read.h"

namespace kassavero {
namespace {

TEST(MemoryFile, HandsOverEveryByteAndCannotBeChangedAfterwards) {
    const std::string bytes("Preis\0 100 DM \xff", 15);
    std::string error;
    const OwnedFd file = SealedMemoryFile(bytes, error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(ReadOpenedFile(file.get(), 1024, "test").bytes, bytes);
    EXPECT_LT(::write(file.get(), "x", 1), 0);
    EXPECT_LT(::ftruncate(file.get(), 0), 0);
}

TEST(MemoryFile, OnlyARegularFileWithinTheLimitIsRead) {
    std::string error;
    const OwnedFd file = SealedMemoryFile("0123456789", error);
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const OwnedFd reading(ends[0]);
    const OwnedFd writing(ends[1]);
    struct Row {
        int fd;
        std::size_t limit;
        FileRead::Outcome outcome;
    };
    for (const Row& row : {Row{file.get(), 10, FileRead::Outcome::Read},
                           Row{file.get(), 9, FileRead::Outcome::TooLarge},
                           // A pipe would hold the reader until its writer closes it.
                           Row{reading.get(), 10, FileRead::Outcome::Failed}}) {
        const FileRead read = ReadOpenedFile(row.fd, row.limit, "test");
        EXPECT_EQ(read.outcome, row.outcome) << row.fd << " " << row.limit << " " << read.error;
    }
}

TEST(MemoryFile, AStreamIsReadAsItComesToItsEnd) {
    struct Row {
        std::size_t limit;
        FileRead::Outcome outcome;
        std::string bytes;
    };
    for (const Row& row : {Row{1024, FileRead::Outcome::Read, "100 DM\n"},
                           Row{6, FileRead::Outcome::TooLarge, ""}}) {
        int ends[2];
        ASSERT_EQ(::pipe(ends), 0);
        const OwnedFd reading(ends[0]);
        {
            const OwnedFd writing(ends[1]);
            ASSERT_EQ(::write(writing.get(), "100 DM\n", 7), 7);
        }
        const FileRead read = ReadStream(reading.get(), row.limit, "test");
        EXPECT_EQ(read.outcome, row.outcome) << row.limit;
        EXPECT_EQ(read.bytes, row.bytes) << row.limit;
    }
}

}  // namespace
}  // namespace kassavero
