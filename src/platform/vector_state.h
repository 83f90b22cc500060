// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kassavero {

// Marks the upper halves of the processor's AVX registers unused. While a library has
// left them in use (the toolkit's start-up does), every SSE instruction of code built for
// plain x86-64, such as all of this program's, waits on them: the recognizer ran a third
// slower. Costs a cycle; does nothing on a processor without AVX or of another kind.
void ClearUpperVectorState();

}  // namespace kassavero
