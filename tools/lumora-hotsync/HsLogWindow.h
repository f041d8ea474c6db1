#pragma once

#include <QDialog>

class QFileSystemWatcher;
class QTreeWidget;

// "HotSync ログ": the past HotSyncs, newest first. It follows the log file while open.
class HsLogWindow final : public QDialog
{
    Q_OBJECT
public:
    explicit HsLogWindow(QWidget* parent = nullptr);

    static QString title();

    void reload();

private:
    void clearLog();

    QTreeWidget* m_list = nullptr;
    QFileSystemWatcher* m_watcher = nullptr;
};
