// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Texts handed over as file descriptors beside a bus message, so the bus daemon neither
// copies nor checks their bytes: a sealed file in memory from the sender, read whole by
// the receiver with ReadOpenedFile (file_read.h), which takes only a regular file, as a
// memory file is: a pipe or socket handed over could hold the reader forever.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/owned_fd.h"

namespace kassavero {

// A file in memory holding the bytes, sealed so no one can change them any more;
// nothing, with the reason in error, when the system refuses one.
OwnedFd SealedMemoryFile(std::string_view bytes, std::string& error);

}  // namespace kassavero
