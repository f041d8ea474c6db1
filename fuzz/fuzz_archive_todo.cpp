// Desktop archive files of the To Do store kind: read, written back unchanged, read again.
#include "CTavDbTodo.h"
#include "FuzzArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return FuzzArchive<CTavDbTodo>(data, size, "tda");
}
