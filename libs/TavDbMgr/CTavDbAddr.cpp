#include "CTavDbAddr.h"

#include "CTavDbEnv.h"

CTavDbAddr::CTavDbAddr() : CTavDbStoreBase("address", &CTavDbEnv::GetPdtAddrDir, "address.ldb", CTavDbAddrRecord::kColumns, kMaxRecords) {}
