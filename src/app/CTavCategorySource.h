#pragma once

#include <QList>

#include "CTavDbCategory.h"
#include "TavStatus.h"

// What the category editor edits: a module's category list and the records filed under it.
// The address, memo pad and To Do stores are one kind of source; the handwritten memo's
// category database another.
class CTavCategorySource
{
public:
    enum Kind
    {
        Address = 0,
        MemoPad = 1,
        Todo = 2,
        FreeMemo = 3
    };

    virtual ~CTavCategorySource() = default;

    virtual Kind GetKind() const = 0;
    // The list, unfiled first.
    virtual QList<CTavDbCategory> Categories() const = 0;
    virtual TavStatus Add(const QString& name) = 0;
    virtual TavStatus Rename(uint32_t id, const QString& name) = 0;
    // Removes the category; its records move to unfiled, or are deleted with deleteRecords.
    virtual TavStatus Remove(uint32_t id, bool deleteRecords) = 0;
    // Writes the list back where it is kept.
    virtual TavStatus Save() = 0;
};
