#include "CTavStoreCategorySource.h"

#include "CTavApp.h"
#include "CTavDbStoreBase.h"
#include "TavFileProblem.h"

QList<CTavDbCategory> CTavStoreCategorySource::Categories() const
{
    return m_store.GetCategories();
}

TavStatus CTavStoreCategorySource::Add(const QString& name)
{
    return m_store.AddCategory(name);
}

TavStatus CTavStoreCategorySource::Rename(uint32_t id, const QString& name)
{
    return m_store.RenameCategory(id, name);
}

TavStatus CTavStoreCategorySource::Remove(uint32_t id, bool deleteRecords)
{
    // Records of a removed category are deleted outright: they were the user's choice to drop,
    // not records to keep for the handheld's backup.
    return m_store.DeleteCategory(id, deleteRecords, false);
}

TavStatus CTavStoreCategorySource::Save()
{
    const TavStatus status = m_store.WriteCategories(true);
    if (status != TavStatusCode::Ok && m_store.HasPendingChanges())
        if (CTavApp* app = CTavApp::instance())
            app->ShowMessage(nullptr, TavFileProblem::SaveFailed(m_store.GetFilePath(), status), QString(),
                             TavMsg::IconExclamation);
    return status;
}
