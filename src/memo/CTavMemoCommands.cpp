#include "CTavMemoCommands.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMenu>

#include "CTavApp.h"
#include "CTavCategoryDlg.h"
#include "CTavColumnDlg.h"
#include "CTavDbMemo.h"
#include "CTavDbMemoCsv.h"
#include "CTavDbText.h"
#include "CTavDbUser.h"
#include "CTavMemoClipboard.h"
#include "CTavMemoDlg.h"
#include "CTavMemoDoc.h"
#include "CTavMemoFrame.h"
#include "CTavMemoLeftView.h"
#include "CTavRecordDeleteDlg.h"
#include "CTavSyncLock.h"
#include "TavMemoCommandIds.h"
#include "TavShowMessage.h"
#include "TavStrings.h"

CTavMemoCommands::CTavMemoCommands(CTavMemoFrame& frame) : QObject(&frame), m_frame(frame) {}

QString CTavMemoCommands::RecordLimitMessage()
{
    return QStringLiteral(
               "データが最大数に達したため、Lumora は%1を実行できません。\n\n不要なデータを削除またはバック"
               "アップ ファイルに保存し、HotSync 機能を実行してから、%2を実行してください。")
        .arg(QStringLiteral("新規"), QStringLiteral("新規"));
}

void CTavMemoCommands::ReloadAndSelect(const QList<uint32_t>& uniqueIds)
{
    CTavMemoDoc* doc = m_frame.MemoDoc();
    doc->Reload();
    QList<int> rows;
    for (uint32_t id : uniqueIds)
        rows << doc->IndexOfId(id);
    m_frame.LeftView()->SelectRows(rows);
}

void CTavMemoCommands::OnNew()
{
    NewWithText(QString());
}

void CTavMemoCommands::NewWithText(const QString& text)
{
    CTavMemoDoc* doc = m_frame.MemoDoc();
    CTavApp& app = doc->App();
    m_frame.LeftView()->ClearRowSelection();
    CTavSyncLock lock(app);
    if (doc->Store().GetRecordCount() >= CTavDbMemo::kMaxRecords) {
        TavShowMessage(&m_frame, RecordLimitMessage(), QString(), TavMsg::IconExclamation);
        return;
    }
    CTavMemoDlg dlg(doc->Store(), &m_frame);
    const uint32_t filter = doc->CategoryFilter();
    dlg.StartNew(text, filter == CTavMemoDoc::kAllCategories ? 0 : filter);
    // Every memo saved in one session of the dialog is one step.
    doc->RunEdit(doc->Store(), QStringLiteral("メモの追加"), [&dlg] {
        dlg.exec();
        return TavStatus(TavStatusCode::Ok);
    });
    if (dlg.LastSavedId() != 0)
        ReloadAndSelect({dlg.LastSavedId()});
}

void CTavMemoCommands::OnEdit()
{
    CTavMemoDoc* doc = m_frame.MemoDoc();
    const int row = m_frame.LeftView()->ShownRow();
    const CTavMemoEntry* entry = doc->Entry(row);
    if (!entry)
        return;
    CTavApp& app = doc->App();
    CTavSyncLock lock(app);
    const QString user = app.Users().GetCurrUserName();
    if (doc->Masked() && entry->isPrivate && app.Users().IsSettingPassword(user) &&
        !app.AskPassword(user, true, &m_frame))
        return;
    const auto* record = static_cast<const CTavDbMemoRecord*>(doc->Store().FindRecord(entry->uniqueId));
    if (!record)
        return;
    CTavMemoDlg dlg(doc->Store(), &m_frame);
    dlg.StartEdit(*record);
    doc->RunEdit(doc->Store(), QStringLiteral("メモの編集"),
                 [&dlg] {
                     dlg.exec();
                     return TavStatus(TavStatusCode::Ok);
                 },
                 {entry->uniqueId});
    ReloadAndSelect({dlg.LastSavedId() ? dlg.LastSavedId() : entry->uniqueId});
}

void CTavMemoCommands::OnDelete()
{
    CTavMemoLeftView* list = m_frame.LeftView();
    const QList<int> rows = list->Selection().SelectedRows();
    if (rows.isEmpty())
        return;
    CTavApp& app = m_frame.MemoDoc()->App();
    CTavSyncLock lock(app);
    const std::optional<bool> backup =
        CTavRecordDeleteDlg::Ask(app, QStringLiteral("メモ"), TavMemoCtl::DeleteBackupBox, &m_frame);
    if (!backup)
        return;
    deleteRows(rows, *backup, QStringLiteral("メモの削除"));
}

void CTavMemoCommands::deleteRows(const QList<int>& rows, bool backup, const QString& stepName)
{
    CTavMemoDoc* doc = m_frame.MemoDoc();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QList<uint32_t> ids;
    for (int row : rows)
        if (const CTavMemoEntry* entry = doc->Entry(row))
            ids << entry->uniqueId;
    doc->RunEdit(doc->Store(), stepName, [doc, &ids, backup] {
        for (uint32_t id : ids)
            doc->Store().DeleteRecord(id, backup);
        return TavStatus(TavStatusCode::Ok);
    });
    doc->Reload();
    if (doc->Count() > 0)
        m_frame.LeftView()->SelectRow(std::min(rows.first(), doc->Count() - 1));
    QApplication::restoreOverrideCursor();
}

void CTavMemoCommands::OnCategories()
{
    CTavMemoDoc* doc = m_frame.MemoDoc();
    CTavSyncLock lock(doc->App());
    CTavCategoryDlg::EditAsUndoStep(*doc, doc->Store(), CTavCategorySource::MemoPad, &m_frame);
    doc->Reload();
}

void CTavMemoCommands::OnColumns()
{
    CTavSyncLock lock(m_frame.MemoDoc()->App());
    CTavColumnDlg dlg(m_frame.LeftView()->Columns(), &m_frame);
    if (dlg.exec() != QDialog::Accepted)
        return;
    m_frame.LeftView()->SetColumns(dlg.Result());
    m_frame.LeftView()->SaveColumns();
}

void CTavMemoCommands::OnSortSyllabary()
{
    OnSortChoice(0);
}

void CTavMemoCommands::OnSortHandheld()
{
    OnSortChoice(1);
}

void CTavMemoCommands::OnSortChoice(int choice)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_frame.MemoDoc()->SetOrder(choice);
    QApplication::restoreOverrideCursor();
}

QList<uint32_t> CTavMemoCommands::copySelection()
{
    CTavMemoDoc* doc = m_frame.MemoDoc();
    QList<CTavMemoClipboard::Item> items;
    QList<uint32_t> ids;
    for (int row : m_frame.LeftView()->Selection().SelectedRows()) {
        const CTavMemoEntry* entry = doc->Entry(row);
        if (!entry || (doc->Masked() && entry->isPrivate))
            continue;
        const uint32_t category = entry->categoryId;
        items.append({entry->text, category == 0 ? QString() : doc->CategoryName(category),
                      entry->isPrivate != 0, entry->created, entry->updated});
        ids << entry->uniqueId;
    }
    if (!items.isEmpty())
        QApplication::clipboard()->setMimeData(
            CTavMemoClipboard::ToMime(items, doc->App().Users().GetCurrUserName()));
    return ids;
}

void CTavMemoCommands::OnCopy()
{
    copySelection();
}

void CTavMemoCommands::OnCut()
{
    CTavMemoDoc* doc = m_frame.MemoDoc();
    const QList<uint32_t> ids = copySelection();
    if (ids.isEmpty())
        return;
    QList<int> rows;
    for (uint32_t id : ids)
        rows << doc->IndexOfId(id);
    // Cut deletes as Delete does, after the same question; the clipboard is filled either way.
    CTavSyncLock lock(doc->App());
    const std::optional<bool> backup =
        CTavRecordDeleteDlg::Ask(doc->App(), QStringLiteral("メモ"), TavMemoCtl::DeleteBackupBox, &m_frame);
    if (backup)
        deleteRows(rows, *backup, QStringLiteral("切り取り"));
}

bool CTavMemoCommands::CanPaste() const
{
    return CTavMemoClipboard::CanPaste(QApplication::clipboard()->mimeData());
}

void CTavMemoCommands::OnPaste()
{
    CTavMemoDoc* doc = m_frame.MemoDoc();
    QList<CTavMemoClipboard::Item> items;
    if (!CTavMemoClipboard::FromMime(QApplication::clipboard()->mimeData(), &items) || items.isEmpty())
        return;
    CTavSyncLock lock(doc->App());
    CTavDbMemo& store = doc->Store();
    if (store.GetRecordCount() + items.size() > CTavDbMemo::kMaxRecords) {
        TavShowMessage(&m_frame, RecordLimitMessage(), QString(), TavMsg::IconExclamation);
        return;
    }
    for (const CTavMemoClipboard::Item& item : items) {
        if (CTavDbText::mbLength(item.text) > CTavMemoDlg::kMaxBytes) {
            TavShowMessage(&m_frame, CTavMemoDlg::OverLimitMessage(), QString(), TavMsg::IconExclamation);
            return;
        }
    }
    QList<uint32_t> added;
    doc->RunEdit(store, QStringLiteral("貼り付け"), [&store, &items, &added] {
        for (const CTavMemoClipboard::Item& item : items) {
            CTavDbMemoRecord record;
            record.SetMemo(item.text);
            record.SetCategoryID(store.CategoryIdForName(item.category));
            record.SetPrivate(item.isPrivate);
            record.SetCreateDateTime(item.created);
            record.SetUpdateDateTime(item.updated);
            if (store.AddRecord(record) == TavStatusCode::Ok)
                added << record.GetUniqueId();
        }
        return TavStatus(TavStatusCode::Ok);
    });
    ReloadAndSelect(added);
}

void CTavMemoCommands::OnSelectAll()
{
    m_frame.LeftView()->SelectAllRows();
}

void CTavMemoCommands::OnDroppedFile(const QString& path)
{
    CTavSyncLock lock(m_frame.MemoDoc()->App());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        TavShowMessage(&m_frame, QStringLiteral("%1 を開けません。").arg(QDir::toNativeSeparators(path)),
                       QString(), TavMsg::IconExclamation);
        return;
    }
    if (file.size() > kMaxDroppedBytes) {
        TavShowMessage(&m_frame, CTavMemoDlg::OverLimitMessage(), QString(), TavMsg::IconExclamation);
        return;
    }
    QByteArray bytes;
    while (!file.atEnd() && bytes.size() <= kMaxDroppedBytes)
        bytes += file.read(1024);
    bool ok = false;
    QString text = CTavDbMemoCsv::Decode(bytes, &ok);
    if (!ok || bytes.contains('\0')) {
        TavShowMessage(&m_frame, QStringLiteral("テキスト ファイルではないため、メモにできません。"),
                       QString(), TavMsg::IconExclamation);
        return;
    }
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    NewWithText(text);
}

QMenu* CTavMemoCommands::ContextMenu() const
{
    return m_menu;
}

void CTavMemoCommands::ShowContextMenu(const QPoint& globalPos, int)
{
    if (!m_menu) {
        m_menu = new QMenu(&m_frame);
        m_menu->setObjectName(QStringLiteral("memoContextMenu"));
        m_menu->addAction(QStringLiteral("新規"), this, &CTavMemoCommands::OnNew);
        m_menu->addAction(QStringLiteral("編集"), this, &CTavMemoCommands::OnEdit);
        m_menu->addAction(QStringLiteral("削除"), this, &CTavMemoCommands::OnDelete);
    }
    const bool selected = m_frame.LeftView()->Selection().SelectedCount() > 0;
    m_menu->actions().at(1)->setEnabled(selected);
    m_menu->actions().at(2)->setEnabled(selected);
    m_menu->popup(globalPos);
}
