#include "CTavMemoDoc.h"

#include "CTavApp.h"
#include "CTavDbMemo.h"

CTavMemoDoc::CTavMemoDoc(CTavApp& app, QObject* parent) : CTavModuleDoc(app, QStringLiteral("メモ帳"), parent)
{
}

void CTavMemoDoc::SetHandheldOrder(bool on)
{
    m_handheldOrder = on;
    Reload();
}

void CTavMemoDoc::ApplyStoreOrder()
{
    App().MemoStore().SetSortCond(
        CTavDbSortCond(m_handheldOrder ? CTavDbMemo::kSortHandheld : CTavDbMemo::kSortSyllabary));
}
