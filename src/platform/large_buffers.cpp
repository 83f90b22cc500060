// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/large_buffers.h"

#include <malloc.h>

namespace kassavero {

namespace {

// Larger blocks (a text near the size limit) are still mapped and unmapped on their own.
constexpr int kMappedFrom = 32 << 20;
// Free memory at the heap's top that stays until ReturnFreeMemory.
constexpr int kKeptFree = 64 << 20;

}  // namespace

void KeepLargeBuffersForReuse() {
    mallopt(M_MMAP_THRESHOLD, kMappedFrom);
    mallopt(M_TRIM_THRESHOLD, kKeptFree);
}

void ReturnFreeMemory() {
    malloc_trim(0);
}

}  // namespace kassavero
