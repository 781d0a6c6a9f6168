// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/datafile/FreedMemory.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace tivren::FreedMemory {

void giveBack()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

} // namespace tivren::FreedMemory
