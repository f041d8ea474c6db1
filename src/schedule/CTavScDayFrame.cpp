#include "CTavScDayFrame.h"

#include "CTavPlaceholderPane.h"
#include "CTavScDayDoc.h"
#include "TavCommandIds.h"

CTavScDayFrame::CTavScDayFrame(CTavScDayDoc* document, QWidget* parent)
    : CTavScFrameBase(document, TavSlot::Day, TavModule::Day, document->Title(), parent)
{
    CreatePanes(new CTavPlaceholderPane(QStringLiteral("日の予定"),
                                        QStringLiteral("選んだ日の予定が時間グリッドに表示されます。"), this),
                new CTavPlaceholderPane(QStringLiteral("日のメモシート"),
                                        QStringLiteral("その日に結び付けたメモシートがここに表示されます。"),
                                        this));
}
