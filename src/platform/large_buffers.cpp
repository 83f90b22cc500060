// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/large_buffers.h"

#include <malloc.h>

namespace kassavero {

namespace {

// The buffers of a text of up to two megabytes: the largest, the text in code points with
// room for its changes, takes about 9 MB. Larger ones are still mapped and unmapped on
// their own: kept in the heap, they made the other callers wait longer during a huge
// conversion.
constexpr int kMappedFrom = 16 << 20;
// Free memory at the heap's top that stays until ReturnFreeMemory.
constexpr int kKeptFree = 48 << 20;

}  // namespace

void KeepLargeBuffersForReuse() {
    mallopt(M_MMAP_THRESHOLD, kMappedFrom);
    mallopt(M_TRIM_THRESHOLD, kKeptFree);
}

void ReturnFreeMemory() {
    malloc_trim(0);
}

}  // namespace kassavero
