// Desktop archive files of the address store kind: read, written back unchanged, read again.
#include "CTavDbAddr.h"
#include "FuzzArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return FuzzArchive<CTavDbAddr>(data, size, "aba");
}
