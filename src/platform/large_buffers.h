// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How the process keeps the memory of long texts. A text of a megabyte is converted in
// buffers of several megabytes; left to itself, the allocator maps each of them afresh
// and every page is faulted in again at every call. Kept in the heap they are reused
// while calls follow one another, and handed back when the program has gone idle.

namespace kassavero {

// Keeps the buffers of texts up to two megabytes in the heap once freed (called at start).
void KeepLargeBuffersForReuse();

// Hands the heap's free memory back to the system.
void ReturnFreeMemory();

}  // namespace kassavero
