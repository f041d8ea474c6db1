#pragma once

#include "CTavDbTodoRecord.h"
#include "CTavDbStoreBase.h"

class CTavDbTodo final : public CTavDbStoreBase
{
public:
    static constexpr int kMaxRecords = 65535;

    CTavDbTodo();

protected:
    std::unique_ptr<CTavDbPcRecord> NewRecord() const override { return std::make_unique<CTavDbTodoRecord>(); }
    std::unique_ptr<CTavDbStoreBase> NewStore() const override { return std::make_unique<CTavDbTodo>(); }
};
