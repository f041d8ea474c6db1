#include "CTavAddrFileCommands.h"

#include <QFileInfo>

#include "CTavAddrCsvImportDlg.h"
#include "CTavAddrDoc.h"
#include "CTavAddrFrame.h"
#include "CTavAddrLeftView.h"
#include "CTavApp.h"
#include "CTavDbAddr.h"
#include "CTavDbEnv.h"
#include "CTavDbUser.h"
#include "CTavExportFileDlg.h"
#include "CTavImportFileDlg.h"
#include "CTavRecordExport.h"
#include "CTavSyncLock.h"
#include "CTavWaitCursor.h"
#include "TavFileProblem.h"
#include "TavShowMessage.h"
#include "TavStrings.h"

namespace {
const QString kBackupKind = QStringLiteral("アドレスのバックアップファイル (*.abc, *.aba)");
const QString kArchiveKind = QStringLiteral("アドレスのバックアップファイル (*.aba)");
const QString kCurrentKind = QStringLiteral("アドレスのデータファイル");
const QStringList kFileTypes{QStringLiteral("abc"), QStringLiteral("aba"), QStringLiteral("csv")};
} // namespace

CTavAddrFileCommands::CTavAddrFileCommands(CTavAddrFrame& frame)
    : QObject(&frame), m_frame(frame),
      m_switch(frame, frame.AddrDoc()->Store(),
               {kBackupTitle, kBackupFilter, kBackupInitialFile, CTavDbEnv::GetPdtAddrDir(), kArchiveKind,
                kCurrentKind, RestoreQuestion()},
               [this] { refresh(); })
{
}

QString CTavAddrFileCommands::ImportLimitMessage()
{
    return TavStr::ImportLimit;
}

QString CTavAddrFileCommands::ImportedMessage(int count)
{
    return TavStr::Imported(QStringLiteral("アドレス"), count);
}

QString CTavAddrFileCommands::RestoreQuestion()
{
    return TavStr::RestoreQuestion(QStringLiteral("アドレス"));
}

QString CTavAddrFileCommands::RefusedMessage(const QStringList& refused)
{
    QString text = QStringLiteral("次の %1 件のアドレスは読み込めなかったか、一部だけ読み込みました。\n")
                       .arg(refused.size());
    text += refused.mid(0, kShownRefusals).join(u'\n');
    if (refused.size() > kShownRefusals)
        text += QStringLiteral("\nほか %1 件").arg(refused.size() - kShownRefusals);
    return text;
}

void CTavAddrFileCommands::refresh()
{
    m_frame.AddrDoc()->Reload();
}

void CTavAddrFileCommands::tellImported(int before, const QStringList& refused)
{
    refresh();
    const int count = m_frame.AddrDoc()->Store().GetRecordCount() - before;
    TavShowMessage(&m_frame, ImportedMessage(count), QString(), TavMsg::IconInformation);
    if (!refused.isEmpty())
        TavShowMessage(&m_frame, RefusedMessage(refused), QString(), TavMsg::IconExclamation);
}

void CTavAddrFileCommands::OnImport()
{
    CTavSyncLock lock(m_frame.AddrDoc()->App());
    // A file of another kind, or no room for its cards, brings the dialog back until a file
    // is imported or the user cancels.
    for (;;) {
        CTavImportFileDlg dlg(true, kFilter, &m_frame);
        if (dlg.exec() != QDialog::Accepted)
            return;
        const QString path = dlg.PathName();
        m_limitReached = false;
        if (kFileTypes.contains(CTavFileDlg::ExtensionOf(path)) && (ImportFile(path) || !m_limitReached))
            return;
    }
}

bool CTavAddrFileCommands::ImportFile(const QString& path)
{
    CTavAddrDoc* doc = m_frame.AddrDoc();
    CTavDbAddr& store = doc->Store();
    CTavSyncLock lock(doc->App());
    const QString extension = CTavFileDlg::ExtensionOf(path);
    if (!kFileTypes.contains(extension))
        return false;
    const bool csv = extension == QLatin1String("csv");
    if (store.GetRecordCount() >= store.GetMaxRecords()) {
        m_limitReached = true;
        TavShowMessage(&m_frame, ImportLimitMessage(), QString(), TavMsg::IconInformation);
        return false;
    }
    CTavDbAddrCsvFormat format;
    if (csv) {
        CTavAddrCsvImportDlg dlg(doc->App(), path, &m_frame);
        if (dlg.exec() != QDialog::Accepted)
            return false;
        format = dlg.Format();
    }
    const int before = store.GetRecordCount();
    QStringList refused;
    TavStatus status = TavStatusCode::Ok;
    {
        CTavWaitCursor wait;
        status = doc->RunEdit(store, QStringLiteral("インポート"), [&] {
            return csv ? store.ImportCsvFile(path, &format, &refused) : store.ImportBackupFile(path);
        });
    }
    if (status == TavStatusCode::RecordLimit) {
        m_limitReached = true;
        TavShowMessage(&m_frame, ImportLimitMessage(), QString(), TavMsg::IconInformation);
        return false;
    }
    if (status != TavStatusCode::Ok) {
        QString text = QStringLiteral("%1 をインポートできませんでした。").arg(QFileInfo(path).fileName());
        if (!refused.isEmpty())
            text += QStringLiteral("\n\n") + RefusedMessage(refused);
        else if (!csv)
            text = TavFileProblem::ReadFailed(path, status, kBackupKind);
        TavShowMessage(&m_frame, text, QString(), TavMsg::IconExclamation);
        refresh();
        return false;
    }
    tellImported(before, refused);
    return true;
}

void CTavAddrFileCommands::OnExport()
{
    CTavSyncLock lock(m_frame.AddrDoc()->App());
    CTavExportFileDlg dlg(kFilter, &m_frame);
    dlg.rangeAll = true;
    dlg.rangeSelected = false;
    dlg.selectedEnabled = m_frame.LeftView()->Selection().SelectedCount() > 0;
    if (dlg.exec() != QDialog::Accepted)
        return;
    ExportFile(dlg.PathName(), dlg.rangeSelected && dlg.selectedEnabled);
}

QList<CTavRecordExport::Candidate> CTavAddrFileCommands::selectedCards() const
{
    QList<CTavRecordExport::Candidate> cards;
    for (int row : m_frame.LeftView()->Selection().SelectedRows())
        if (const CTavAddrListRow* r = m_frame.AddrDoc()->Row(row))
            cards.append({r->uniqueId, r->isPrivate});
    return cards;
}

bool CTavAddrFileCommands::ExportFile(const QString& path, bool selectedOnly)
{
    const QString extension = CTavFileDlg::ExtensionOf(path);
    if (!kFileTypes.contains(extension))
        return false;
    CTavAddrDoc* doc = m_frame.AddrDoc();
    const QList<CTavRecordExport::Candidate> cards =
        selectedOnly ? selectedCards() : CTavRecordExport::LiveRecords(doc->Store());
    CTavRecordExport exporter(doc->App(), &m_frame, QStringLiteral("アドレス"));
    const QList<uint32_t> ids = exporter.Choose(cards);
    CTavDbAddr& store = doc->Store();
    const bool ok = exporter.Write(path, [&] {
        return extension == QLatin1String("csv") ? store.ExportCsvFile(path, ids)
                                                 : store.ExportBackupFile(path, ids);
    });
    doc->Refresh();
    return ok;
}

void CTavAddrFileCommands::OnImportVCard()
{
    CTavAddrDoc* doc = m_frame.AddrDoc();
    CTavSyncLock lock(doc->App());
    CTavFileDlg dlg(CTavFileDlg::Open, QStringLiteral("vCard のインポート"), kVCardFilter, &m_frame);
    if (dlg.exec() != QDialog::Accepted)
        return;
    const QString path = dlg.PathName();
    if (!CTavFileDlg::ExtensionOf(path).contains(QLatin1String("vcf")))
        return;
    CTavDbAddr& store = doc->Store();
    const int before = store.GetRecordCount();
    QStringList refused;
    TavStatus status = TavStatusCode::Ok;
    {
        CTavWaitCursor wait;
        status = doc->RunEdit(store, QStringLiteral("vCard のインポート"),
                              [&] { return store.ImportVCardFile(path, &refused); });
    }
    if (status == TavStatusCode::RecordLimit) {
        TavShowMessage(&m_frame, ImportLimitMessage(), QString(), TavMsg::IconInformation);
        return;
    }
    if (status != TavStatusCode::Ok) {
        QString text = QStringLiteral("%1 をインポートできませんでした。").arg(QFileInfo(path).fileName());
        if (!refused.isEmpty())
            text += QStringLiteral("\n\n") + RefusedMessage(refused);
        TavShowMessage(&m_frame, text, QString(), TavMsg::IconExclamation);
        refresh();
        return;
    }
    tellImported(before, refused);
}

void CTavAddrFileCommands::OnExportVCard()
{
    CTavAddrDoc* doc = m_frame.AddrDoc();
    CTavAddrLeftView* list = m_frame.LeftView();
    const QList<CTavRecordExport::Candidate> cards = selectedCards();
    const CTavDbAddrRecord* current = doc->Card(list->ShownRow());
    if (cards.isEmpty() || !current)
        return;
    CTavSyncLock lock(doc->App());
    CTavFileDlg dlg(CTavFileDlg::Save, QStringLiteral("vCard のエクスポート"), kVCardFilter, &m_frame);
    // One card names the file, unless it is masked or has no name to give.
    QString name = CTavAddrListRow::DisplayName(current->GetLastName(), current->GetFirstName());
    if (name.isEmpty())
        name = current->GetCompany();
    if (cards.size() == 1 && !name.trimmed().isEmpty() && !(doc->Masked() && current->GetIsPrivate()))
        dlg.SetInitialFile(name.replace(u'/', u'_') + QStringLiteral(".vcf"));
    if (dlg.exec() != QDialog::Accepted)
        return;
    const QString path = dlg.PathName();
    if (!CTavFileDlg::ExtensionOf(path).contains(QLatin1String("vcf")))
        return;
    CTavRecordExport exporter(doc->App(), &m_frame, QStringLiteral("アドレス"));
    const QList<uint32_t> ids = exporter.Choose(cards);
    exporter.Write(path, [&] { return doc->Store().ExportVCardFile(path, ids); });
}

void CTavAddrFileCommands::OnOpenBackupFile()
{
    m_switch.OnOpenBackupFile();
}

void CTavAddrFileCommands::OnOpenCurrentFile()
{
    m_switch.OnOpenCurrentFile();
}

void CTavAddrFileCommands::LeaveBackupFile()
{
    m_switch.LeaveBackupFile();
}

void CTavAddrFileCommands::OnRestore()
{
    m_switch.OnRestore();
}
