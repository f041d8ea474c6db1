#include "CTavFreeCategoryCommand.h"

#include <QFile>
#include <QSaveFile>

#include "sheet/CTavDbFreeMiscInfoObject.h"
#include "sheet/CTavDbFreePdbObjectManager.h"

CTavFreeCategoryCommand::CTavFreeCategoryCommand(const QStringList& paths, int categoryId,
                                                 const QString& text, std::function<void()> refresh)
    : QUndoCommand(text), m_categoryId(categoryId), m_refresh(std::move(refresh))
{
    for (const QString& path : paths) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            m_before.append({path, file.readAll()});
    }
}

bool CTavFreeCategoryCommand::SetCategory(const QString& path, int categoryId)
{
    CTavDbFreePdbObjectManager sheet;
    if (sheet.LoadFromFile(path) != TavStatusCode::Ok || sheet.CreateObjects() <= 0)
        return false;
    CTavDbFreeMiscInfoObject* info = sheet.GetMiscInfo();
    if (!info)
        return false;
    info->SetCategoryId(categoryId);
    return sheet.SaveAsFile(path, true) == TavStatusCode::Ok;
}

void CTavFreeCategoryCommand::redo()
{
    m_changed = 0;
    for (const auto& entry : m_before)
        m_changed += SetCategory(entry.first, m_categoryId);
    if (!m_first && m_refresh)
        m_refresh();
    m_first = false;
}

void CTavFreeCategoryCommand::undo()
{
    for (const auto& [path, bytes] : m_before) {
        QSaveFile file(path);
        if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
            file.commit();
    }
    if (m_refresh)
        m_refresh();
}
