#include "CTavScDayDoc.h"

#include "ScheduleState.h"

CTavScDayDoc::CTavScDayDoc(CTavApp& app, QObject* parent)
    : CTavScEventDoc(app, QStringLiteral("予定表 (日)"), parent)
{
}

void CTavScDayDoc::NextDay()
{
    State().NextDay();
}

void CTavScDayDoc::PreviousDay()
{
    State().PreviousDay();
}
