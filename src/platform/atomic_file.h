#pragma once

// Replacing a whole file so that it holds either the old or the new content, never a
// part of either, whatever happens in between (a crash, a full disk).

#include <filesystem>
#include <string>
#include <string_view>

namespace kassavero {

// Writes `content` into "<name>.tmp" beside the target (a left-over one from an
// interrupted run is replaced), gives it the old file's permissions, flushes it to the
// disk and renames it over the target; then flushes the directory so the rename lasts.
// A symbolic link is written through, not replaced. Missing directories are created.
// On failure the target is untouched and `error` says why.
bool ReplaceFileAtomically(const std::filesystem::path& target, std::string_view content,
                           std::string& error);

}  // namespace kassavero
