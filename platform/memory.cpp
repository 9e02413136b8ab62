#include "platform/memory.h"

// Any C library header says which C library this is.
#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace tarnwick {

void ReturnFreedMemory() {
#if defined(__GLIBC__)
    // glibc keeps freed small blocks in its heap for reuse; other allocators return pages
    // themselves.
    malloc_trim(0);
#endif
}

} // namespace tarnwick
