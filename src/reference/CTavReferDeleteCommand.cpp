#include "CTavReferDeleteCommand.h"

#include <QFile>
#include <QFileInfo>

CTavReferDeleteCommand::CTavReferDeleteCommand(const QString& folder, const QStringList& paths,
                                               std::function<void()> refresh)
    : QUndoCommand(QStringLiteral("便利情報の削除")), m_aside(folder + QStringLiteral("/.deleted-XXXXXX")),
      m_refresh(std::move(refresh))
{
    if (!m_aside.isValid())
        return;
    // A rename within the folder's file system: nothing is copied and nothing can be half done.
    for (const QString& path : paths)
        if (QFile::rename(path, asidePath(path)))
            m_moved << path;
}

QString CTavReferDeleteCommand::asidePath(const QString& path) const
{
    return m_aside.filePath(QFileInfo(path).fileName());
}

void CTavReferDeleteCommand::undo()
{
    // A file made meanwhile under the same name is left alone; the old one stays aside.
    for (const QString& path : std::as_const(m_moved))
        if (!QFileInfo::exists(path))
            QFile::rename(asidePath(path), path);
    m_refresh();
}

void CTavReferDeleteCommand::redo()
{
    if (m_first) {
        m_first = false;
        return;
    }
    for (const QString& path : std::as_const(m_moved))
        QFile::rename(path, asidePath(path));
    m_refresh();
}
