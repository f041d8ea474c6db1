#include "CTavDbDate.h"

#include "CTavDbEnv.h"

CTavDbDate::CTavDbDate() : CTavDbStoreBase("date", &CTavDbEnv::GetPdtDateDir, "datebook.ldb", CTavDbDateRecord::kColumns, kMaxRecords) {}
