#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QUndoCommand>
#include <functional>

// Filing memo sheets under a category as one undoable step: each sheet's misc-info gets the
// id and the sheet is saved; undo writes the files back as they were.
class CTavFreeCategoryCommand final : public QUndoCommand
{
public:
    CTavFreeCategoryCommand(const QStringList& paths, int categoryId, const QString& text,
                            std::function<void()> refresh);

    void redo() override;
    void undo() override;
    // How many sheets the last redo saved.
    int Changed() const { return m_changed; }

    // Writes the category id into one sheet file; false when it is no memo sheet or the save
    // failed (the file is then unchanged).
    static bool SetCategory(const QString& path, int categoryId);

private:
    QList<QPair<QString, QByteArray>> m_before; // path, bytes before the change
    int m_categoryId;
    std::function<void()> m_refresh;
    bool m_first = true;
    int m_changed = 0;
};
