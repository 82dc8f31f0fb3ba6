#include "platform/FreeMemory.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace kivo {

void releaseFreeMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

} // namespace kivo
