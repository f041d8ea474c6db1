#include "CTavFreeFrame.h"

#include "CTavFreeDoc.h"
#include "CTavModuleBar.h"
#include "CTavPlaceholderPane.h"
#include "TavCommandIds.h"

CTavFreeFrame::CTavFreeFrame(CTavFreeDoc* document, QWidget* parent)
    : CTavModuleFrame(document,
                      Spec{TavSlot::FreeMemo, TavModule::FreeMemo, CTavModuleBar::FreeMemo,
                           QStringLiteral("手書きメモ"), true, false},
                      parent)
{
    CreatePanes(new CTavPlaceholderPane(
                    QStringLiteral("手書きメモの一覧"),
                    QStringLiteral("メモシートの縮小画像と題名の一覧がここに表示されます。"), this),
                new CTavPlaceholderPane(QStringLiteral("メモシートのプレビュー"),
                                        QStringLiteral("選んだメモシートがここに表示されます。"), this));
}
