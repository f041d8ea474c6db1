#include "CTavAddrDoc.h"

#include "CTavApp.h"
#include "CTavDbAddr.h"

CTavAddrDoc::CTavAddrDoc(CTavApp& app, QObject* parent)
    : CTavModuleDoc(app, QStringLiteral("アドレス"), parent)
{
}

void CTavAddrDoc::ApplyStoreOrder()
{
    App().AddrStore().SetSortCond(CTavDbSortCond(1, 2));
}
