#include "CTavTodoFrame.h"

#include "CTavModuleBar.h"
#include "CTavPlaceholderPane.h"
#include "CTavTodoDoc.h"
#include "TavCommandIds.h"

CTavTodoFrame::CTavTodoFrame(CTavTodoDoc* document, QWidget* parent)
    : CTavModuleFrame(document,
                      Description{TavSlot::Todo, TavModule::Todo, CTavModuleBar::Todo,
                                  QStringLiteral("To Do リスト"), false, true},
                      parent),
      m_doc(document)
{
    CreatePanes(new CTavPlaceholderPane(
                    QStringLiteral("To Do の一覧"),
                    QStringLiteral("字下げと折りたたみのある To Do のアウトラインがここに表示されます。"),
                    this),
                new CTavPlaceholderPane(QStringLiteral("To Do の詳細"),
                                        QStringLiteral("選んだ To Do の内容がここに表示されます。"), this));
}
