#include "engine/platform/native/HeapTrim.h"

#include <malloc.h>

void ReturnFreeHeapPages()
{
    malloc_trim(0);
}
