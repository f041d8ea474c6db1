#include "CTavScWeekFrame.h"

#include "CTavPlaceholderPane.h"
#include "CTavScWeekDoc.h"
#include "TavCommandIds.h"

CTavScWeekFrame::CTavScWeekFrame(CTavScWeekDoc* document, QWidget* parent)
    : CTavScFrameBase(document, TavSlot::Week, TavModule::Week, document->Title(), parent)
{
    CreatePanes(new CTavPlaceholderPane(QStringLiteral("週の予定"), QStringLiteral("7 日分の予定が時間グリッドに表示されます。"), this),
                new CTavPlaceholderPane(QStringLiteral("週のメモシート"), QStringLiteral("その週に結び付けたメモシートがここに表示されます。"), this));
}
