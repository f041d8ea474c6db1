#include "CTavMemoFileCommands.h"

#include <QFileInfo>

#include "CTavApp.h"
#include "CTavDbEnv.h"
#include "CTavDbMemo.h"
#include "CTavExportFileDlg.h"
#include "CTavImportFileDlg.h"
#include "CTavMemoDoc.h"
#include "CTavMemoFrame.h"
#include "CTavMemoLeftView.h"
#include "CTavRecordExport.h"
#include "CTavSyncLock.h"
#include "CTavWaitCursor.h"
#include "TavFileProblem.h"
#include "TavShowMessage.h"
#include "TavStrings.h"

namespace {
const QString kBackupKind = QStringLiteral("メモ帳のバックアップファイル (*.mpc, *.mpa)");
const QString kArchiveKind = QStringLiteral("メモ帳のバックアップファイル (*.mpa)");
const QString kCurrentKind = QStringLiteral("メモ帳のデータファイル");
const QStringList kFileTypes{QStringLiteral("csv"), QStringLiteral("mpc"), QStringLiteral("mpa")};
} // namespace

CTavMemoFileCommands::CTavMemoFileCommands(CTavMemoFrame& frame)
    : QObject(&frame), m_frame(frame),
      m_switch(frame, frame.MemoDoc()->Store(),
               {kBackupTitle, kBackupFilter, kBackupInitialFile, CTavDbEnv::GetPdtMemoDir(), kArchiveKind,
                kCurrentKind, RestoreQuestion()},
               [this] { refresh(); })
{
}

QString CTavMemoFileCommands::ImportLimitMessage()
{
    return TavStr::ImportLimit;
}

QString CTavMemoFileCommands::RestoreQuestion()
{
    return TavStr::RestoreQuestion(QStringLiteral("メモ帳"));
}

void CTavMemoFileCommands::refresh()
{
    CTavMemoDoc* doc = m_frame.MemoDoc();
    doc->Store().SetSortCond(CTavDbSortCond(CTavDbMemo::kSortSyllabary));
    doc->Reload();
}

void CTavMemoFileCommands::OnImport()
{
    CTavImportFileDlg dlg(true, kFilter, &m_frame);
    if (dlg.exec() != QDialog::Accepted)
        return;
    ImportFile(dlg.PathName());
}

bool CTavMemoFileCommands::ImportFile(const QString& path)
{
    CTavMemoDoc* doc = m_frame.MemoDoc();
    CTavDbMemo& store = doc->Store();
    const QString extension = CTavFileDlg::ExtensionOf(path);
    if (!kFileTypes.contains(extension))
        return false;
    CTavSyncLock lock(doc->App());
    if (store.GetRecordCount() >= store.GetMaxRecords()) {
        TavShowMessage(&m_frame, ImportLimitMessage(), QString(), TavMsg::IconExclamation);
        return false;
    }
    const int before = store.GetRecordCount();
    QString why;
    TavStatus status = TavStatusCode::Ok;
    {
        CTavWaitCursor wait;
        status = doc->RunEdit(store, QStringLiteral("インポート"), [&] {
            return extension == QLatin1String("csv") ? store.ImportCsvFile(path, &why)
                                                     : store.ImportBackupFile(path);
        });
    }
    if (status == TavStatusCode::RecordLimit) {
        TavShowMessage(&m_frame, ImportLimitMessage(), QString(), TavMsg::IconExclamation);
        return false;
    }
    if (status != TavStatusCode::Ok) {
        QString text = QStringLiteral("%1 をインポートできませんでした。").arg(QFileInfo(path).fileName());
        if (!why.isEmpty())
            text += QStringLiteral("\n\n") + why;
        else
            text = TavFileProblem::ReadFailed(path, status, kBackupKind);
        TavShowMessage(&m_frame, text, QString(), TavMsg::IconExclamation);
        return false;
    }
    refresh();
    TavShowMessage(&m_frame, TavStr::Imported(QStringLiteral("メモ帳"), store.GetRecordCount() - before),
                   QString(), TavMsg::IconInformation);
    return true;
}

void CTavMemoFileCommands::OnExport()
{
    CTavSyncLock lock(m_frame.MemoDoc()->App());
    CTavExportFileDlg dlg(kFilter, &m_frame);
    dlg.rangeAll = true;
    dlg.rangeSelected = false;
    dlg.selectedEnabled = m_frame.LeftView()->Selection().SelectedCount() > 0;
    if (dlg.exec() != QDialog::Accepted)
        return;
    ExportFile(dlg.PathName(), dlg.rangeSelected && dlg.selectedEnabled);
}

bool CTavMemoFileCommands::ExportFile(const QString& path, bool selectedOnly)
{
    const QString extension = CTavFileDlg::ExtensionOf(path);
    if (!kFileTypes.contains(extension))
        return false;
    CTavMemoDoc* doc = m_frame.MemoDoc();
    QList<CTavRecordExport::Candidate> memos;
    if (selectedOnly) {
        for (int row : m_frame.LeftView()->Selection().SelectedRows())
            if (const CTavMemoEntry* entry = doc->Entry(row))
                memos.append({entry->uniqueId, entry->isPrivate});
    } else {
        memos = CTavRecordExport::LiveRecords(doc->Store());
    }
    CTavRecordExport exporter(doc->App(), &m_frame, QStringLiteral("メモ"));
    const QList<uint32_t> ids = exporter.Choose(memos);
    CTavDbMemo& store = doc->Store();
    return exporter.Write(path, [&] {
        return extension == QLatin1String("csv") ? store.ExportCsvFile(path, ids)
                                                 : store.ExportBackupFile(path, ids);
    });
}

void CTavMemoFileCommands::OnOpenBackupFile()
{
    m_switch.OnOpenBackupFile();
}

void CTavMemoFileCommands::OnOpenCurrentFile()
{
    m_switch.OnOpenCurrentFile();
}

void CTavMemoFileCommands::LeaveBackupFile()
{
    m_switch.LeaveBackupFile();
}

void CTavMemoFileCommands::OnRestore()
{
    m_switch.OnRestore();
}
