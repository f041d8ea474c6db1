#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include "CTavBackupFileSwitch.h"
#include "CTavRecordExport.h"

class CTavAddrFrame;

// The address book's file commands: import and export of the program's and the desktop's
// backup files and of comma-separated files,
// vCard import and export, and opening a backup file in place of the current data, going back
// to the current data, and restoring the last saved state. Every import is one undo step.
class CTavAddrFileCommands final : public QObject
{
    Q_OBJECT
public:
    static inline const QString kFilter = QStringLiteral(
        "Lumora バックアップファイル(*.abc)|*.abc|Palm Desktop バックアップファイル(*.aba)|*.aba|"
        "コンマ区切りテキスト(*.csv)|*.csv||");
    static inline const QString kVCardFilter = QStringLiteral("vCardファイル(*.vcf)|*.vcf||");
    static inline const QString kBackupFilter =
        QStringLiteral("アドレスのバックアップファイル(*.aba)|*.aba||");
    static inline const QString kBackupInitialFile = QStringLiteral("*.aba");
    static inline const QString kBackupTitle = QStringLiteral("アドレスのバックアップファイルを開く");
    static QString ImportLimitMessage();
    static QString ImportedMessage(int count);
    static QString RestoreQuestion();
    // One message naming the cards an import refused (at most kShownRefusals lines).
    static constexpr int kShownRefusals = 20;
    static QString RefusedMessage(const QStringList& refused);

    explicit CTavAddrFileCommands(CTavAddrFrame& frame);

    void OnImport();
    void OnExport();
    void OnImportVCard();
    void OnExportVCard();
    void OnOpenBackupFile();
    void OnOpenCurrentFile();
    void OnRestore();
    // The backup file was closed by the shell (the store already reads the current data).
    void LeaveBackupFile();
    QString BackupPath() const { return m_switch.BackupPath(); }

    // Imports a chosen file by its extension; false when nothing was imported (silently for a
    // name of no known type).
    bool ImportFile(const QString& path);
    bool ExportFile(const QString& path, bool selectedOnly);

private:
    QList<CTavRecordExport::Candidate> selectedCards() const;
    void refresh();
    void tellImported(int before, const QStringList& refused);

    CTavAddrFrame& m_frame;
    bool m_limitReached = false; // the last import found no room for the cards
    CTavBackupFileSwitch m_switch;
};
