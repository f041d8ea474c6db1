#include "CTavFreeDeleteCommand.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "CTavFreeFileMove.h"

CTavFreeDeleteCommand::CTavFreeDeleteCommand(const QStringList& paths, const QString& asideFolder,
                                             std::function<void()> refresh)
    : QUndoCommand(QStringLiteral("手書きメモの削除")), m_aside(asideFolder), m_refresh(std::move(refresh))
{
    for (int i = 0; i < paths.size(); ++i)
        m_files.append({paths.at(i), QDir(m_aside).filePath(QStringLiteral("%1_%2").arg(i).arg(
                                         QFileInfo(paths.at(i)).fileName()))});
}

CTavFreeDeleteCommand::~CTavFreeDeleteCommand()
{
    QDir(m_aside).removeRecursively();
}

void CTavFreeDeleteCommand::redo()
{
    QDir().mkpath(m_aside);
    m_failed.clear();
    for (const auto& [path, aside] : m_files)
        // A file already gone is not reported.
        if (QFileInfo::exists(path) && !CTavFreeFileMove::Move(path, aside))
            m_failed << path;
    if (!m_first && m_refresh)
        m_refresh();
    m_first = false;
}

void CTavFreeDeleteCommand::undo()
{
    for (const auto& [path, aside] : m_files)
        // A sheet made meanwhile under the same name is not written over.
        if (QFileInfo::exists(aside) && !QFileInfo::exists(path)) {
            QDir().mkpath(QFileInfo(path).absolutePath());
            CTavFreeFileMove::Move(aside, path);
        }
    if (m_refresh)
        m_refresh();
}
