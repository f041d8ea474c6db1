#include "CTavScEventColum.h"

#include "CTavDbDateRecord.h"
#include "CTavScEventBox.h"

CTavScEventColum::CTavScEventColum(const QString& title, CTavScBoxHost& host)
    : CTavComScheduleColum(title), m_host(host)
{
}

void CTavScEventColum::AddRecord(CTavDbDateRecord* record)
{
    auto* box = new CTavScEventBox(record, m_host);
    if (record->GetIsUntimed())
        AddNoTimeBox(box);
    else
        AddBox(box);
}

void CTavScEventColum::SetDayLabels(TavColorRef color, const QString& holiday, const QString& sixDay)
{
    SetTitleColor(color);
    QString title = GetTitle();
    for (const QString& label : {holiday, sixDay})
        if (!label.isEmpty())
            title += QStringLiteral("  ") + label;
    SetTitle(title);
}
