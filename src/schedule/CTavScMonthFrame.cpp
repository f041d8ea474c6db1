#include "CTavScMonthFrame.h"

#include "CTavPlaceholderPane.h"
#include "CTavScMonthDoc.h"
#include "TavCommandIds.h"

CTavScMonthFrame::CTavScMonthFrame(CTavScMonthDoc* document, QWidget* parent)
    : CTavScFrameBase(document, TavSlot::Month, TavModule::Month, document->Title(), parent)
{
    CreatePanes(new CTavPlaceholderPane(QStringLiteral("月の予定"), QStringLiteral("1 か月分の予定がカレンダーに表示されます。"), this),
                new CTavPlaceholderPane(QStringLiteral("月のメモシート"), QStringLiteral("その月に結び付けたメモシートがここに表示されます。"), this));
}
