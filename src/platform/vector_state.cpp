// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/vector_state.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace kassavero {

#if defined(__x86_64__) || defined(__i386__)
namespace {

__attribute__((target("avx"))) void ZeroUpper() {
    _mm256_zeroupper();
}

}  // namespace

void ClearUpperVectorState() {
    static const bool hasAvx = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx") != 0;
    }();
    if (hasAvx)
        ZeroUpper();
}
#else
void ClearUpperVectorState() {}
#endif

}  // namespace kassavero
