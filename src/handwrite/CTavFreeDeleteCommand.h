#pragma once

#include <QList>
#include <QPair>
#include <QUndoCommand>
#include <functional>

// Deleting memo-sheet files as one undoable step. The files are moved aside, not removed, and
// go for good only when the step leaves the undo stack.
class CTavFreeDeleteCommand final : public QUndoCommand
{
public:
    // asideFolder: a folder of its own for this step, on the sheets' file system.
    CTavFreeDeleteCommand(const QStringList& paths, const QString& asideFolder,
                          std::function<void()> refresh);
    ~CTavFreeDeleteCommand() override;

    void redo() override;
    void undo() override;
    // The files the last redo found but could not move aside.
    QStringList Failed() const { return m_failed; }

private:
    QList<QPair<QString, QString>> m_files; // original path, path aside
    QString m_aside;
    std::function<void()> m_refresh;
    bool m_first = true;
    QStringList m_failed;
};
