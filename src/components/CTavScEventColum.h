#pragma once

#include "CTavComScheduleColum.h"

class CTavDbDateRecord;
class CTavScBoxHost;

// One day of the grid, filled from the store's records.
class CTavScEventColum final : public CTavComScheduleColum
{
public:
    CTavScEventColum(const QString& title, CTavScBoxHost& host);

    // Makes the record's box: in the untimed band when the record is untimed, else timed.
    void AddRecord(CTavDbDateRecord* record);
    // The title in the day's colour, followed by its holiday name and six-day label (either
    // may be empty).
    void SetDayLabels(TavColorRef color, const QString& holiday, const QString& sixDay);

private:
    CTavScBoxHost& m_host;
};
