#pragma once

#include <QDialog>

#include "CTavDbUser.h"

class QComboBox;
class QPushButton;
class QTreeWidget;

// The install tool: picks handheld applications and databases for a user and queues them
// for the next HotSync. Files come from the add button, from drops and from the command line.
class InstallWindow : public QDialog
{
    Q_OBJECT
public:
    explicit InstallWindow(const QString& userName = QString(), QWidget* parent = nullptr);

    QString currentUser() const;
    QString currentFolder() const;
    // Queues each file for the current user; a refused file shows why and the rest go on.
    // Returns how many were queued.
    int addFiles(const QStringList& paths);
    void removeSelected();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void chooseFiles();
    void refill();
    void updateButtons();

    CTavDbUser m_users;
    QComboBox* m_userBox;
    QTreeWidget* m_queue;
    QPushButton* m_remove;
};
