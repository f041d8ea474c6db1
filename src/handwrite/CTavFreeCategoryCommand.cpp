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
        else
            m_unreadable << path;
    }
}

bool CTavFreeCategoryCommand::SetCategory(const QString& path, int categoryId)
{
    CTavDbFreePdbObjectManager sheet;
    if (sheet.LoadFromFile(path) != TavStatusCode::Ok || sheet.CreateObjects() <= 0)
        return false;
    // Saving a sheet read only in part would lose what could not be read.
    if (sheet.LostData())
        return false;
    CTavDbFreeMiscInfoObject* info = sheet.GetMiscInfo();
    if (!info)
        return false;
    info->SetCategoryId(categoryId);
    return sheet.SaveAsFile(path, true) == TavStatusCode::Ok;
}

void CTavFreeCategoryCommand::redo()
{
    m_failed = m_unreadable;
    m_after.clear();
    for (const auto& [path, bytes] : m_before) {
        if (!SetCategory(path, m_categoryId)) {
            m_failed << path;
            continue;
        }
        QFile file(path);
        m_after.insert(path, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    if (!m_first && m_refresh)
        m_refresh();
    m_first = false;
}

void CTavFreeCategoryCommand::undo()
{
    for (const auto& [path, bytes] : m_before) {
        // A sheet saved again since (in the editor, by a HotSync) keeps those edits and its
        // new category: only what this step wrote is taken back.
        QFile current(path);
        if (!m_after.contains(path) || !current.open(QIODevice::ReadOnly) ||
            current.readAll() != m_after.value(path))
            continue;
        current.close();
        QSaveFile file(path);
        if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
            file.commit();
    }
    if (m_refresh)
        m_refresh();
}
