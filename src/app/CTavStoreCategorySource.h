#pragma once

#include "CTavCategorySource.h"

class CTavDbStoreBase;

// The categories of a record store (address book, memo pad, To Do).
class CTavStoreCategorySource : public CTavCategorySource
{
public:
    CTavStoreCategorySource(CTavDbStoreBase& store, Kind kind) : m_store(store), m_kind(kind) {}

    Kind GetKind() const override { return m_kind; }
    QList<CTavDbCategory> Categories() const override;
    TavStatus Add(const QString& name) override;
    TavStatus Rename(uint32_t id, const QString& name) override;
    TavStatus Remove(uint32_t id, bool deleteRecords) override;
    TavStatus Save() override;

protected:
    CTavDbStoreBase& Store() const { return m_store; }

private:
    CTavDbStoreBase& m_store;
    Kind m_kind;
};
