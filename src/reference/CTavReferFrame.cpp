#include "CTavReferFrame.h"

#include "CTavModuleBar.h"
#include "CTavPlaceholderPane.h"
#include "CTavReferDoc.h"
#include "TavCommandIds.h"

CTavReferFrame::CTavReferFrame(CTavReferDoc* document, QWidget* parent)
    : CTavModuleFrame(document,
                      Spec{TavSlot::Reference, TavModule::Reference, CTavModuleBar::Reference,
                           QStringLiteral("便利情報"), true, false},
                      parent)
{
    CreatePanes(new CTavPlaceholderPane(
                    QStringLiteral("便利情報の一覧"),
                    QStringLiteral("ハンドヘルドの便利情報データベースの項目がここに表示されます。"), this),
                new CTavPlaceholderPane(QStringLiteral("便利情報の内容"),
                                        QStringLiteral("選んだ項目の内容がここに表示されます。"), this));
}
