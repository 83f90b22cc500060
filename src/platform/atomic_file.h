// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Replacing a whole file so that it holds either the old or the new content, never a
// part of either, whatever happens in between (a crash, a full disk).

#include <filesystem>
#include <string>
#include <string_view>

namespace kassavero {

// Writes `content` into "<name>.tmp" beside the target (a left-over one from an
// interrupted run is replaced), gives it the old file's permissions (newFileMode for a
// new file, whatever the umask), flushes it to the disk and renames it over the target; then
// flushes the directory so the rename lasts.
// A symbolic link is written through to the file it names, not replaced; a link to a
// missing file is an error. A file without write permission for its owner is never
// replaced. A missing directory (not one a link leads to) is created 0700.
// On failure the target is untouched and `error` says why.
bool ReplaceFileAtomically(const std::filesystem::path& target, std::string_view content,
                           std::string& error, unsigned newFileMode = 0600);

// Creates the directory and any missing parents, the new ones 0700 whatever the umask.
bool CreatePrivateDirectories(const std::filesystem::path& directory, std::string& error);

// Why another user could change what is in the directory (it or its parent belongs to
// someone else, or is writable by others or by a group this user does not have alone);
// empty when only this user can. A missing directory is nobody else's.
std::string OthersCanWrite(const std::filesystem::path& directory);

// Removes what an interrupted ReplaceFileAtomically left beside the target.
void RemoveLeftoverTemporary(const std::filesystem::path& target);

// From now on, ReplaceFileAtomically leaves out the flushes to the disk (still writing a
// temporary file and renaming it) for the rest of the process. Only the fuzz targets call
// this: their files are thrown away, and on a disk the flushes would take as long as the
// rest of a run.
void SkipDiskFlushesForFuzzing();

}  // namespace kassavero
