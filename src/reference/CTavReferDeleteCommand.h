#pragma once

#include <QStringList>
#include <QTemporaryDir>
#include <QUndoCommand>
#include <functional>

// Deleting reference files as an undo step: the files wait in a hidden folder beside them, so
// that undo can put them back, and go for good with the command (when it leaves the stack).
class CTavReferDeleteCommand final : public QUndoCommand
{
public:
    // Moves the files aside at once; Moved() tells which went.
    CTavReferDeleteCommand(const QString& folder, const QStringList& paths, std::function<void()> refresh);

    const QStringList& Moved() const { return m_moved; }
    void undo() override;
    void redo() override;

private:
    QString asidePath(const QString& path) const;

    QTemporaryDir m_aside;
    QStringList m_moved;
    std::function<void()> m_refresh;
    bool m_first = true;
};
