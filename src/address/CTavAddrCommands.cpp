#include "CTavAddrCommands.h"

#include <QDesktopServices>
#include <QMenu>
#include <QUrl>

#include "CTavAddrDoc.h"
#include "CTavAddrEditDlg.h"
#include "CTavAddrFrame.h"
#include "CTavAddrLeftView.h"
#include "CTavAddrPrefsDlg.h"
#include "CTavAddrThumbChooser.h"
#include "CTavApp.h"
#include "CTavCategoryDlg.h"
#include "CTavColumnDlg.h"
#include "CTavDbAddr.h"
#include "CTavDbUser.h"
#include "CTavRecordDeleteDlg.h"
#include "CTavSyncLock.h"
#include "CTavWaitCursor.h"
#include "TavAddrCommandIds.h"
#include "TavShowMessage.h"

namespace {
std::function<bool(const QString&)>& mailOpener()
{
    static std::function<bool(const QString&)> opener;
    return opener;
}
} // namespace

CTavAddrCommands::CTavAddrCommands(CTavAddrFrame& frame) : QObject(&frame), m_frame(frame) {}

QString CTavAddrCommands::RecordLimitMessage()
{
    return QStringLiteral(
               "データが最大数に達したため、Lumora は%1を実行できません。\n\n不要なデータを削除またはバック"
               "アップ ファイルに保存し、HotSync 機能を実行してから、%2を実行してください。")
        .arg(QStringLiteral("新規"), QStringLiteral("新規"));
}

QString CTavAddrCommands::StoreFailedMessage()
{
    return QStringLiteral("Lumoraが正しくインストールされていないか、アドレスデータファイルが壊れています。");
}

QString CTavAddrCommands::MailUrl(const QList<const CTavDbAddrRecord*>& cards)
{
    QString url = QStringLiteral("mailto:?");
    bool first = true;
    for (const CTavDbAddrRecord* card : cards) {
        for (int slot = 0; slot < CTavDbAddrRecord::kPhoneCount; ++slot) {
            if (card->GetPhoneLabelID(slot) != CTavDbAddrRecord::kLabelEmail ||
                card->GetPhone(slot).isEmpty())
                continue;
            url += (first ? QStringLiteral("to=") : QStringLiteral("&to=")) + card->GetPhone(slot);
            first = false;
        }
    }
    return url;
}

void CTavAddrCommands::SetMailOpener(std::function<bool(const QString&)> opener)
{
    mailOpener() = std::move(opener);
}

void CTavAddrCommands::RefreshAndSelect(const QList<uint32_t>& uniqueIds)
{
    CTavAddrDoc* doc = m_frame.AddrDoc();
    doc->Refresh();
    QList<int> rows;
    for (uint32_t id : uniqueIds)
        rows << doc->IndexOfId(id);
    m_frame.LeftView()->SelectRows(rows);
}

QList<uint32_t> CTavAddrCommands::selectedIds(bool withMasked) const
{
    CTavAddrDoc* doc = m_frame.AddrDoc();
    QList<uint32_t> ids;
    for (int row : m_frame.LeftView()->Selection().SelectedRows())
        if (const CTavAddrListRow* r = doc->Row(row); r && (withMasked || !(doc->Masked() && r->isPrivate)))
            ids << r->uniqueId;
    return ids;
}

void CTavAddrCommands::storeCard(const CTavDbAddrRecord& card, bool asNew, const QString& stepName)
{
    CTavAddrDoc* doc = m_frame.AddrDoc();
    CTavDbAddr& store = doc->Store();
    CTavDbAddrRecord copy = card;
    const TavStatus status = doc->RunEdit(store, stepName, [&store, &copy, asNew] {
        return asNew ? store.AddRecord(copy) : store.UpdateRecord(copy);
    });
    if (status != TavStatusCode::Ok) {
        // A full store says so, not that the data file is broken.
        TavShowMessage(&m_frame,
                       status == TavStatusCode::RecordLimit ? RecordLimitMessage() : StoreFailedMessage(),
                       QString(), TavMsg::IconExclamation);
        doc->Refresh();
        return;
    }
    RefreshAndSelect({copy.GetUniqueId()});
}

void CTavAddrCommands::OnNew()
{
    CTavAddrDoc* doc = m_frame.AddrDoc();
    CTavApp& app = doc->App();
    m_frame.LeftView()->ClearRowSelection();
    CTavSyncLock lock(app);
    if (doc->Store().GetRecordCount() >= CTavDbAddr::kMaxRecords) {
        TavShowMessage(&m_frame, RecordLimitMessage(), QString(), TavMsg::IconExclamation);
        return;
    }
    CTavDbAddrRecord card = CTavAddrEditDlg::NewCard(app);
    // A new card is filed under the category the list shows.
    if (doc->CategoryFilter() != CTavAddrDoc::kAllCategories)
        card.SetCategoryID(doc->CategoryFilter());
    CTavAddrEditDlg dlg(app, card, true, &m_frame);
    if (dlg.exec() != QDialog::Accepted)
        return;
    storeCard(dlg.Card(), true, QStringLiteral("アドレスの追加"));
}

void CTavAddrCommands::OnEdit()
{
    CTavAddrDoc* doc = m_frame.AddrDoc();
    const int row = m_frame.LeftView()->ShownRow();
    const CTavDbAddrRecord* card = doc->Card(row);
    if (!card)
        return;
    CTavApp& app = doc->App();
    CTavSyncLock lock(app);
    const QString user = app.Users().GetCurrUserName();
    if (doc->Masked() && card->GetIsPrivate() && app.Users().IsSettingPassword(user) &&
        !app.AskPassword(user, true, &m_frame))
        return;
    CTavAddrEditDlg dlg(app, *card, false, &m_frame);
    if (dlg.exec() != QDialog::Accepted)
        return;
    const bool asNew = dlg.SaveMode() == CTavAddrEditDlg::Save::AddNew;
    storeCard(dlg.Card(), asNew, asNew ? QStringLiteral("アドレスの追加") : QStringLiteral("アドレスの編集"));
}

void CTavAddrCommands::OnDelete()
{
    const QList<uint32_t> ids = selectedIds(true);
    if (ids.isEmpty())
        return;
    CTavApp& app = m_frame.AddrDoc()->App();
    CTavSyncLock lock(app);
    const std::optional<bool> backup =
        CTavRecordDeleteDlg::Ask(app, QStringLiteral("アドレス"), TavAddrCtl::DeleteBackupBox, &m_frame);
    if (!backup)
        return;
    deleteIds(ids, *backup, QStringLiteral("アドレスの削除"));
}

void CTavAddrCommands::deleteIds(const QList<uint32_t>& ids, bool backup, const QString& stepName)
{
    CTavAddrDoc* doc = m_frame.AddrDoc();
    CTavAddrLeftView* list = m_frame.LeftView();
    CTavWaitCursor wait;
    // The current card stays current, else the nearest one after it, else before it.
    const int current = std::max(0, list->Selection().Current());
    const auto survivor = [doc, &ids](int row) {
        const CTavAddrListRow* r = doc->Row(row);
        return r && !ids.contains(r->uniqueId) ? r->uniqueId : 0u;
    };
    uint32_t keep = 0;
    for (int row = current; row < doc->Count() && !keep; ++row)
        keep = survivor(row);
    for (int row = current - 1; row >= 0 && !keep; --row)
        keep = survivor(row);
    doc->RunEdit(doc->Store(), stepName, [doc, &ids, backup] {
        for (uint32_t id : ids)
            doc->Store().DeleteRecord(id, backup);
        return TavStatus(TavStatusCode::Ok);
    });
    doc->Refresh();
    if (const int row = doc->IndexOfId(keep); keep && row >= 0)
        list->SelectRow(row);
    else if (doc->Count() > 0)
        list->SelectRow(std::min(current, doc->Count() - 1));
}

bool CTavAddrCommands::CanMail() const
{
    const CTavDbAddrRecord* card = m_frame.AddrDoc()->Card(m_frame.LeftView()->ShownRow());
    return card && card->HasEmail() && !(m_frame.AddrDoc()->Masked() && card->GetIsPrivate());
}

void CTavAddrCommands::OnMail()
{
    if (!CanMail())
        return;
    CTavAddrDoc* doc = m_frame.AddrDoc();
    QList<const CTavDbAddrRecord*> cards;
    for (int row : m_frame.LeftView()->Selection().SelectedRows()) {
        const CTavDbAddrRecord* card = doc->Card(row);
        if (card && card->HasEmail() && !(doc->Masked() && card->GetIsPrivate()))
            cards << card;
    }
    const QString url = MailUrl(cards);
    const bool opened = mailOpener() ? mailOpener()(url) : QDesktopServices::openUrl(QUrl(url));
    if (!opened)
        TavShowMessage(&m_frame, QStringLiteral("電子メールのプログラムを起動できませんでした。"), QString(),
                       TavMsg::IconExclamation);
}

void CTavAddrCommands::OnCategories()
{
    CTavAddrDoc* doc = m_frame.AddrDoc();
    CTavSyncLock lock(doc->App());
    CTavCategoryDlg::EditAsUndoStep(*doc, doc->Store(), CTavCategorySource::Address, &m_frame);
    // A filter on a category that is gone shows everything again.
    if (doc->CategoryFilter() != CTavAddrDoc::kAllCategories &&
        !doc->Store().FindCategoryById(doc->CategoryFilter()))
        doc->SetFilter(CTavAddrDoc::kAllCategories);
    else
        doc->Refresh();
}

void CTavAddrCommands::OnPrefs()
{
    CTavAddrDoc* doc = m_frame.AddrDoc();
    CTavSyncLock lock(doc->App());
    CTavAddrPrefsDlg dlg(doc->App(), &m_frame);
    if (dlg.exec() != QDialog::Accepted)
        return;
    // The custom labels show in the detail pane.
    const QList<uint32_t> ids = selectedIds(true);
    RefreshAndSelect(ids);
}

void CTavAddrCommands::OnColumns()
{
    CTavSyncLock lock(m_frame.AddrDoc()->App());
    CTavColumnDlg dlg(m_frame.LeftView()->Columns(), &m_frame);
    if (dlg.exec() != QDialog::Accepted)
        return;
    m_frame.LeftView()->SetColumns(dlg.Result());
    m_frame.LeftView()->SaveColumns();
}

void CTavAddrCommands::OnSort(int mode)
{
    CTavWaitCursor wait;
    m_frame.AddrDoc()->SetSortMode(mode);
}

void CTavAddrCommands::copySelection(const QList<uint32_t>& ids)
{
    CTavAddrDoc* doc = m_frame.AddrDoc();
    CTavWaitCursor wait;
    QList<CTavDbAddrRecord> cards;
    QStringList categories;
    for (uint32_t id : ids)
        if (const auto* card = static_cast<const CTavDbAddrRecord*>(doc->Store().FindRecord(id))) {
            cards << *card;
            categories << doc->Store().CategoryNameForId(card->GetCategoryID());
        }
    doc->SetClipboard(cards, categories);
}

void CTavAddrCommands::OnCopy()
{
    // Cards a masked list does not show stay out of the clipboard.
    const QList<uint32_t> ids = selectedIds(false);
    if (!ids.isEmpty())
        copySelection(ids);
}

void CTavAddrCommands::OnCut()
{
    const QList<uint32_t> ids = selectedIds(false);
    if (ids.isEmpty())
        return;
    copySelection(ids);
    // Cut deletes as Delete does, after the same question; the clipboard is filled either way.
    CTavApp& app = m_frame.AddrDoc()->App();
    CTavSyncLock lock(app);
    const std::optional<bool> backup =
        CTavRecordDeleteDlg::Ask(app, QStringLiteral("アドレス"), TavAddrCtl::DeleteBackupBox, &m_frame);
    if (backup)
        deleteIds(ids, *backup, QStringLiteral("切り取り"));
}

bool CTavAddrCommands::CanPaste() const
{
    return !m_frame.AddrDoc()->ClipboardCards().isEmpty();
}

void CTavAddrCommands::OnPaste()
{
    CTavAddrDoc* doc = m_frame.AddrDoc();
    const QList<CTavDbAddrRecord>& cards = doc->ClipboardCards();
    if (cards.isEmpty())
        return;
    CTavDbAddr& store = doc->Store();
    if (store.GetRecordCount() + cards.size() >= CTavDbAddr::kMaxRecords) {
        TavShowMessage(&m_frame, RecordLimitMessage(), QString(), TavMsg::IconExclamation);
        return;
    }
    QList<uint32_t> added;
    const TavStatus status = doc->RunEdit(store, QStringLiteral("貼り付け"), [&store, &cards, doc, &added] {
        return store.PasteRecords(cards, doc->ClipboardCategories(), &added);
    });
    if (status != TavStatusCode::Ok)
        TavShowMessage(&m_frame,
                       status == TavStatusCode::RecordLimit ? RecordLimitMessage() : StoreFailedMessage(),
                       QString(), TavMsg::IconExclamation);
    RefreshAndSelect(added);
}

void CTavAddrCommands::OnSelectAll()
{
    m_frame.LeftView()->SelectAllRows();
}

void CTavAddrCommands::AssignCategory(int categoryIndex)
{
    CTavAddrDoc* doc = m_frame.AddrDoc();
    CTavDbAddr& store = doc->Store();
    if (categoryIndex < 0 || categoryIndex >= store.GetCategoryCount())
        return;
    const uint32_t category = store.GetCategory(categoryIndex).GetID();
    const QList<uint32_t> ids = selectedIds(false);
    if (ids.isEmpty())
        return;
    doc->RunEdit(store, QStringLiteral("カテゴリの変更"), [&store, &ids, category] {
        for (uint32_t id : ids) {
            const auto* stored = static_cast<const CTavDbAddrRecord*>(store.FindRecord(id));
            if (!stored || stored->GetCategoryID() == category)
                continue;
            CTavDbAddrRecord card = *stored;
            card.SetCategoryID(category);
            store.UpdateRecord(card);
        }
        return TavStatus(TavStatusCode::Ok);
    });
    RefreshAndSelect(ids);
}

void CTavAddrCommands::OnThumbnailClicked(int row)
{
    CTavAddrDoc* doc = m_frame.AddrDoc();
    const CTavDbAddrRecord* stored = doc->Card(row);
    if (!stored || (doc->Masked() && stored->GetIsPrivate()))
        return;
    CTavSyncLock lock(doc->App());
    CTavDbAddrRecord card = *stored;
    if (!CTavAddrThumbChooser::Choose(&m_frame, card))
        return;
    storeCard(card, false, QStringLiteral("サムネイルの変更"));
}

void CTavAddrCommands::ShowCategoryMenu(const QPoint& globalPos)
{
    if (!m_categoryMenu) {
        m_categoryMenu = new QMenu(&m_frame);
        m_categoryMenu->setObjectName(QStringLiteral("addressCategoryMenu"));
    }
    m_categoryMenu->clear();
    const QList<CTavDbCategory>& categories = m_frame.AddrDoc()->Store().GetCategories();
    for (int i = 0; i < categories.size(); ++i)
        m_categoryMenu->addAction(categories.at(i).GetName(), this, [this, i] { AssignCategory(i); });
    m_categoryMenu->popup(globalPos);
}

void CTavAddrCommands::ShowContextMenu(const QPoint& globalPos, int)
{
    if (!m_menu) {
        m_menu = new QMenu(&m_frame);
        m_menu->setObjectName(QStringLiteral("addressContextMenu"));
    }
    m_menu->clear();
    CTavAddrDoc* doc = m_frame.AddrDoc();
    const bool canPaste = CanPaste();
    if (doc->Count() == 0) {
        m_menu->addAction(QStringLiteral("新規アドレス"), this, &CTavAddrCommands::OnNew);
        if (canPaste)
            m_menu->addAction(QStringLiteral("貼り付け"), this, &CTavAddrCommands::OnPaste);
        m_menu->popup(globalPos);
        return;
    }
    const QList<int> rows = m_frame.LeftView()->Selection().SelectedRows();
    const bool selected = !rows.isEmpty();
    m_menu->addAction(QStringLiteral("新規"), this, &CTavAddrCommands::OnNew);
    m_menu->addAction(QStringLiteral("編集"), this, &CTavAddrCommands::OnEdit)->setEnabled(selected);
    m_menu->addAction(QStringLiteral("削除"), this, &CTavAddrCommands::OnDelete)->setEnabled(selected);
    const bool everyHasMail = selected && std::all_of(rows.begin(), rows.end(), [doc](int row) {
                                  const CTavAddrListRow* r = doc->Row(row);
                                  return r && r->hasEmail && !(doc->Masked() && r->isPrivate);
                              });
    if (everyHasMail)
        m_menu->addAction(QStringLiteral("メール"), this, &CTavAddrCommands::OnMail);
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("切り取り"), this, &CTavAddrCommands::OnCut)->setEnabled(selected);
    m_menu->addAction(QStringLiteral("コピー"), this, &CTavAddrCommands::OnCopy)->setEnabled(selected);
    if (canPaste)
        m_menu->addAction(QStringLiteral("貼り付け"), this, &CTavAddrCommands::OnPaste);
    m_menu->addAction(QStringLiteral("すべて選択"), this, &CTavAddrCommands::OnSelectAll);
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("表示項目設定"), this, &CTavAddrCommands::OnColumns);
    m_menu->popup(globalPos);
}
