// Desktop archive files of the schedule store kind: read, written back unchanged, read again.
#include "CTavDbDate.h"
#include "FuzzArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return FuzzArchive<CTavDbDate>(data, size, "dba");
}
