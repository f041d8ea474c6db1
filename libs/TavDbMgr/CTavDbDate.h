#pragma once

#include "CTavDbDateRecord.h"
#include "CTavDbStoreBase.h"

class CTavDbDate final : public CTavDbStoreBase
{
public:
    static constexpr int kMaxRecords = 65536;

    CTavDbDate();

protected:
    std::unique_ptr<CTavDbPcRecord> NewRecord() const override { return std::make_unique<CTavDbDateRecord>(); }
    std::unique_ptr<CTavDbStoreBase> NewStore() const override { return std::make_unique<CTavDbDate>(); }
};
