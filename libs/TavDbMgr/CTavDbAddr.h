#pragma once

#include "CTavDbAddrRecord.h"
#include "CTavDbStoreBase.h"

class CTavDbAddr final : public CTavDbStoreBase
{
public:
    static constexpr int kMaxRecords = 65535;

    CTavDbAddr();

protected:
    std::unique_ptr<CTavDbPcRecord> NewRecord() const override { return std::make_unique<CTavDbAddrRecord>(); }
    std::unique_ptr<CTavDbStoreBase> NewStore() const override { return std::make_unique<CTavDbAddr>(); }
};
