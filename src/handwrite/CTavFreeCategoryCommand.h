#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QStringList>
#include <QUndoCommand>
#include <functional>

// Filing memo sheets under a category as one undoable step: each sheet's misc-info gets the
// id and the sheet is saved; undo writes back the files this step left as they were.
class CTavFreeCategoryCommand final : public QUndoCommand
{
public:
    CTavFreeCategoryCommand(const QStringList& paths, int categoryId, const QString& text,
                            std::function<void()> refresh);

    void redo() override;
    void undo() override;
    // The sheets the last redo could not change (no memo sheet, damaged, not writable).
    const QStringList& Failed() const { return m_failed; }

    // Writes the category id into one sheet file; false when it is no memo sheet, a damaged
    // one, or the save failed (the file is then unchanged).
    static bool SetCategory(const QString& path, int categoryId);

private:
    QList<QPair<QString, QByteArray>> m_before; // path, bytes before the change
    int m_categoryId;
    std::function<void()> m_refresh;
    bool m_first = true;
    QStringList m_failed;
    QStringList m_unreadable;           // could not be read when the step was made
    QHash<QString, QByteArray> m_after; // path, bytes this step wrote
};
