#include "CTavScYearFrame.h"

#include <QAction>
#include <QMenu>

#include "CTavPlaceholderPane.h"
#include "CTavScYearDoc.h"
#include "TavCommandIds.h"

CTavScYearFrame::CTavScYearFrame(CTavScYearDoc* document, QWidget* parent)
    : CTavScFrameBase(document, TavSlot::Year, TavModule::Year, document->Title(), parent),
      m_preferences(new QAction(QStringLiteral("環境設定(&S)..."), this)),
      m_discard(new QAction(QStringLiteral("予定の破棄(&O)..."), this))
{
    // Both dialogs belong to the schedule's own windows, which are not built yet.
    m_preferences->setEnabled(false);
    m_discard->setEnabled(false);
    SetSingleView(new CTavPlaceholderPane(QStringLiteral("年間カレンダー"),
                                          QStringLiteral("12 か月分のカレンダーがここに表示されます。"), this));
}

void CTavScYearFrame::FillMenu(MenuKind menu, QMenu* target)
{
    CTavScFrameBase::FillMenu(menu, target);
    if (menu == ToolsMenu)
        target->addActions({m_preferences, m_discard});
}
