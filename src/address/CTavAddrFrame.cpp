#include "CTavAddrFrame.h"

#include "CTavAddrDoc.h"
#include "CTavModuleBar.h"
#include "CTavPlaceholderPane.h"
#include "TavCommandIds.h"

CTavAddrFrame::CTavAddrFrame(CTavAddrDoc* document, QWidget* parent)
    : CTavModuleFrame(document,
                      Spec{TavSlot::Address, TavModule::Address, CTavModuleBar::Address,
                           QStringLiteral("アドレス"), false, true},
                      parent)
{
    CreatePanes(
        new CTavPlaceholderPane(QStringLiteral("アドレスの一覧"),
                                QStringLiteral("見出しタブと名前・電話番号の一覧がここに表示されます。"),
                                this),
        new CTavPlaceholderPane(QStringLiteral("アドレスの詳細"),
                                QStringLiteral("選んだアドレスのすべての項目がここに表示されます。"), this));
}
