// Desktop archive files of the memo pad store kind: read, written back unchanged, read again.
#include "CTavDbMemo.h"
#include "FuzzArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return FuzzArchive<CTavDbMemo>(data, size, "mpa");
}
