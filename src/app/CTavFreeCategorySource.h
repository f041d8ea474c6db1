#pragma once

#include <functional>

#include "CTavCategorySource.h"

class CTavFreeSheetManager;

// The memo sheets' categories for the category dialog. The sheets keep only a category id, so
// a removed category's sheets are looked after by the memo-sheet module (upkeep).
class CTavFreeCategorySource final : public CTavCategorySource
{
public:
    using Upkeep = std::function<void(uint32_t id, bool deleteSheets)>;

    CTavFreeCategorySource(CTavFreeSheetManager& sheets, Upkeep upkeep)
        : m_sheets(sheets), m_upkeep(std::move(upkeep))
    {
    }

    Kind GetKind() const override { return FreeMemo; }
    QList<CTavDbCategory> Categories() const override;
    TavStatus Add(const QString& name) override;
    TavStatus Rename(uint32_t id, const QString& name) override;
    TavStatus Remove(uint32_t id, bool deleteRecords) override;
    TavStatus Save() override;

private:
    CTavFreeSheetManager& m_sheets;
    Upkeep m_upkeep;
};
