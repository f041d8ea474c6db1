#include "CTavFreeCategorySource.h"

#include "CTavApp.h"
#include "CTavFreeSheetManager.h"
#include "TavFileProblem.h"

QList<CTavDbCategory> CTavFreeCategorySource::Categories() const
{
    return m_sheets.Categories();
}

TavStatus CTavFreeCategorySource::Add(const QString& name)
{
    return m_sheets.Add(name);
}

TavStatus CTavFreeCategorySource::Rename(uint32_t id, const QString& name)
{
    // The id stays, so the sheets of the category need no rewrite.
    return m_sheets.Rename(id, name);
}

TavStatus CTavFreeCategorySource::Remove(uint32_t id, bool deleteRecords)
{
    const TavStatus status = m_sheets.Remove(id);
    if (status == TavStatusCode::Ok && m_upkeep)
        m_upkeep(id, deleteRecords);
    return status;
}

TavStatus CTavFreeCategorySource::Save()
{
    const TavStatus status = m_sheets.Save();
    if (status != TavStatusCode::Ok)
        if (CTavApp* app = CTavApp::instance())
            app->ShowMessage(nullptr, TavFileProblem::SaveFailed(m_sheets.Path(), status), QString(),
                             TavMsg::IconExclamation);
    return status;
}
