#include "CTavModuleDoc.h"

CTavModuleDoc::CTavModuleDoc(CTavApp& app, const QString& title, QObject* parent)
    : QObject(parent), m_app(app), m_title(title)
{
}

void CTavModuleDoc::Reload()
{
    ApplyStoreOrder();
    UpdateAllViews(0);
}

void CTavModuleDoc::UpdateAllViews(int hint)
{
    emit viewsUpdated(hint);
}
