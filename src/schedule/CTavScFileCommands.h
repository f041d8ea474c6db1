#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include "CTavBackupFileSwitch.h"
#include "CTavModuleFrame.h"

class CTavScFrameBase;
class ScheduleState;
class QAction;
class QMenu;

// The schedule's exchange commands: import and export of its backup files (the program's .dbc
// and the desktop's .dba) and of vCalendar and iCalendar files, every import one undo step; and
// opening a backup file in place of the data in the day, week and month windows at once, going
// back to the current data, and restoring the last saved state.
class CTavScFileCommands final : public QObject
{
    Q_OBJECT
public:
    static inline const QString kFilter = QStringLiteral(
        "Lumora バックアップファイル (*.dbc)|*.dbc|Palm Desktop バックアップファイル (*.dba)|*.dba||");
    static inline const QString kCalendarFilter =
        QStringLiteral("vCal ファイル (*.vcs)|*.vcs|iCalendar ファイル (*.ics)|*.ics||");
    static inline const QString kImportTitle = QStringLiteral("vCalのインポート");
    static inline const QString kExportTitle = QStringLiteral("vCalのエクスポート");
    static inline const QString kBackupFilter = QStringLiteral("予定のバックアップファイル (*.dba)|*.dba||");
    static inline const QString kBackupTitle = QStringLiteral("予定のバックアップファイルを開く");
    static inline const QString kBackupInitialFile = QStringLiteral("*.dba");
    static QString RestoreQuestion();
    static QString ImportedMessage(int count);
    // One message naming the events an import refused or changed (at most kShownNotes lines).
    static constexpr int kShownNotes = 20;
    static QString NotesMessage(const QStringList& notes);

    explicit CTavScFileCommands(CTavScFrameBase& frame);

    void FillMenu(CTavModuleFrame::MenuKind menu, QMenu* target);

    QAction* ImportAction() const { return m_import; }
    QAction* ExportAction() const { return m_export; }
    QAction* ImportCalendarAction() const { return m_importCalendar; }
    QAction* ExportCalendarAction() const { return m_exportCalendar; }

    void OnImport();
    void OnExport();
    void OnImportCalendar();
    void OnExportCalendar();
    void OnOpenBackupFile() { m_switch.OnOpenBackupFile(); }
    void OnOpenCurrentFile() { m_switch.OnOpenCurrentFile(); }
    void OnRestore() { m_switch.OnRestore(); }
    // The backup file was closed by the shell (the store already reads the current data).
    void LeaveBackupFile() { m_switch.LeaveBackupFile(); }

    // Imports or exports a chosen file by its extension; false when nothing was done (the user
    // was told why, or the name is of no known type).
    bool ImportFile(const QString& path);
    bool ExportFile(const QString& path, bool selectedOnly);

private:
    ScheduleState& State() const;
    bool importBackup(const QString& path);
    bool importCalendar(const QString& path);

    CTavScFrameBase& m_frame;
    QAction* m_import;
    QAction* m_export;
    QAction* m_importCalendar;
    QAction* m_exportCalendar;
    CTavBackupFileSwitch m_switch;
};
