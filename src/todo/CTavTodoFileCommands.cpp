#include "CTavTodoFileCommands.h"

#include <QFileInfo>

#include "CTavApp.h"
#include "CTavDbEnv.h"
#include "CTavDbTodo.h"
#include "CTavExportFileDlg.h"
#include "CTavImportFileDlg.h"
#include "CTavRecordExport.h"
#include "CTavSyncLock.h"
#include "CTavTodoDoc.h"
#include "CTavTodoFrame.h"
#include "CTavWaitCursor.h"
#include "TavFileProblem.h"
#include "TavShowMessage.h"
#include "TavStrings.h"

namespace {
const QString kBackupKind = QStringLiteral("To Do のバックアップファイル (*.tdc, *.tda)");
const QString kArchiveKind = QStringLiteral("To Do のバックアップファイル (*.tda)");
const QString kCurrentKind = QStringLiteral("To Do のデータファイル");
const QString kOwnType = QStringLiteral("tdc");
const QString kArchiveType = QStringLiteral("tda");
} // namespace

CTavTodoFileCommands::CTavTodoFileCommands(CTavTodoFrame& frame)
    : QObject(&frame), m_frame(frame),
      m_switch(frame, frame.TodoDoc()->Store(),
               {kBackupTitle, kBackupFilter, kBackupInitialFile, CTavDbEnv::GetPdtTodoDir(), kArchiveKind,
                kCurrentKind, RestoreQuestion()},
               [this] { refresh(); })
{
}

QString CTavTodoFileCommands::ImportLimitMessage()
{
    return TavStr::ImportLimit;
}

QString CTavTodoFileCommands::ImportedMessage(int count)
{
    return TavStr::Imported(QStringLiteral("To Do"), count);
}

QString CTavTodoFileCommands::RestoreQuestion()
{
    return TavStr::RestoreQuestion(QStringLiteral("To Do"));
}

bool CTavTodoFileCommands::IsKnownFile(const QString& path)
{
    const QString extension = CTavFileDlg::ExtensionOf(path);
    return extension == kOwnType || extension == kArchiveType;
}

void CTavTodoFileCommands::refresh()
{
    // The other file may lack the filtered category: Reload falls back to all of them.
    m_frame.TodoDoc()->Reload();
}

void CTavTodoFileCommands::OnImport()
{
    CTavSyncLock lock(m_frame.TodoDoc()->App());
    CTavImportFileDlg dlg(true, kFilter, &m_frame);
    dlg.SetInitialFile(QStringLiteral("*.tdc"));
    if (dlg.exec() != QDialog::Accepted)
        return;
    ImportFile(dlg.PathName());
}

bool CTavTodoFileCommands::ImportFile(const QString& path)
{
    CTavTodoDoc* doc = m_frame.TodoDoc();
    CTavDbTodo& store = doc->Store();
    CTavSyncLock lock(doc->App());
    if (!IsKnownFile(path))
        return false;
    if (store.GetRecordCount() >= store.GetMaxRecords()) {
        TavShowMessage(&m_frame, ImportLimitMessage(), QString(), TavMsg::IconExclamation);
        return false;
    }
    const int before = store.GetRecordCount();
    TavStatus status = TavStatusCode::Ok;
    {
        CTavWaitCursor wait;
        status =
            doc->RunEdit(store, QStringLiteral("インポート"), [&] { return store.ImportBackupFile(path); });
    }
    if (status == TavStatusCode::RecordLimit) {
        TavShowMessage(&m_frame, ImportLimitMessage(), QString(), TavMsg::IconExclamation);
        return false;
    }
    if (status != TavStatusCode::Ok) {
        TavShowMessage(&m_frame, TavFileProblem::ReadFailed(path, status, kBackupKind), QString(),
                       TavMsg::IconExclamation);
        return false;
    }
    refresh();
    TavShowMessage(&m_frame, ImportedMessage(store.GetRecordCount() - before), QString(),
                   TavMsg::IconInformation);
    return true;
}

void CTavTodoFileCommands::OnExport()
{
    CTavSyncLock lock(m_frame.TodoDoc()->App());
    CTavExportFileDlg dlg(kFilter, &m_frame);
    dlg.SetInitialFile(QStringLiteral("*.tdc"));
    dlg.rangeAll = true;
    dlg.rangeSelected = false;
    dlg.selectedEnabled = m_selection && !m_selection().isEmpty();
    if (dlg.exec() != QDialog::Accepted)
        return;
    ExportFile(dlg.PathName(), dlg.rangeSelected && dlg.selectedEnabled);
}

bool CTavTodoFileCommands::ExportFile(const QString& path, bool selectedOnly)
{
    if (!IsKnownFile(path))
        return false;
    CTavTodoDoc* doc = m_frame.TodoDoc();
    QList<CTavRecordExport::Candidate> tasks;
    if (selectedOnly) {
        for (int row : m_selection ? m_selection() : QList<int>())
            if (const TodoListRow* r = doc->Row(row))
                tasks.append({r->uniqueId, r->isPrivate});
    } else {
        tasks = CTavRecordExport::LiveRecords(doc->Store());
    }
    CTavRecordExport exporter(doc->App(), &m_frame, QStringLiteral("To Do"));
    const QList<uint32_t> ids = exporter.Choose(tasks);
    return exporter.Write(path, [&] { return doc->Store().ExportBackupFile(path, ids); });
}
