#pragma once

#include <QObject>

class CTavFreeFrame;

// The handwritten memo's backup commands: a folder of sheets shown and edited in place of the
// user's sheets (the application's backup-file mode), the way back, and the restore that
// copies the backup's sheets over the user's.
class CTavFreeBackupFolder final : public QObject
{
    Q_OBJECT
public:
    explicit CTavFreeBackupFolder(CTavFreeFrame& frame);

    static QString RestoreQuestion();
    static QString NoSheetsMessage(const QString& folder);

    void OnOpenBackupFolder();
    void OnOpenCurrentFolder();
    // With a backup folder open: its sheets replace the user's sheets of the same name and the
    // user's sheets show again. Without: the categories are read again from their file,
    // dropping unsaved category edits, and the list is read again from disk.
    void OnRestore();
    // The shell ended backup-file mode (a module or user switch).
    void Leave();

private:
    void showUserSheets();

    CTavFreeFrame& m_frame;
};
