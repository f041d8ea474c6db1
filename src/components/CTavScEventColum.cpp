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
