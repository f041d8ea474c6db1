#include "CTavRecordExport.h"

#include <QFileInfo>

#include "CTavApp.h"
#include "CTavDbStoreBase.h"
#include "CTavDbUser.h"
#include "CTavSyncLock.h"
#include "CTavWaitCursor.h"
#include "TavShowMessage.h"

CTavRecordExport::CTavRecordExport(CTavApp& app, QWidget* parent, QString privateNoun)
    : m_app(app), m_parent(parent), m_noun(std::move(privateNoun))
{
}

QList<CTavRecordExport::Candidate> CTavRecordExport::LiveRecords(const CTavDbStoreBase& store)
{
    QList<Candidate> records;
    for (const auto& rec : store.AllRecords())
        if (!rec->IsDeleted())
            records.append({rec->GetUniqueId(), rec->GetIsPrivate()});
    return records;
}

QList<uint32_t> CTavRecordExport::Choose(const QList<Candidate>& candidates)
{
    int privateCount = 0;
    for (const Candidate& c : candidates)
        privateCount += c.second ? 1 : 0;
    bool withPrivate = m_app.privateMode() == 0 || privateCount == 0;
    if (!withPrivate) {
        CTavSyncLock lock(m_app);
        withPrivate = m_app.AskPassword(m_app.Users().GetCurrUserName(), false, m_parent);
    }
    m_leftOut = withPrivate ? 0 : privateCount;
    m_allLeftOut = m_leftOut > 0 && m_leftOut == candidates.size();
    QList<uint32_t> ids;
    for (const Candidate& c : candidates)
        if (withPrivate || !c.second)
            ids << c.first;
    return ids;
}

bool CTavRecordExport::Write(const QString& path, const std::function<TavStatus()>& write)
{
    if (m_allLeftOut) {
        TavShowMessage(
            m_parent,
            QStringLiteral("%1 はそのままです。\n\nプライベートの%2 %3 件はエクスポートされないため、"
                           "書き出すものがありません。")
                .arg(QFileInfo(path).fileName(), m_noun)
                .arg(m_leftOut),
            QString(), TavMsg::IconExclamation);
        return false;
    }
    TavStatus status = TavStatusCode::Ok;
    {
        CTavWaitCursor wait;
        status = write();
    }
    if (status != TavStatusCode::Ok)
        TavShowMessage(m_parent,
                       QStringLiteral("%1 にエクスポートできませんでした。").arg(QFileInfo(path).fileName()),
                       QString(), TavMsg::IconExclamation);
    else if (m_leftOut > 0)
        TavShowMessage(
            m_parent,
            QStringLiteral("エクスポート完了\n\nプライベートの%1 %2 件はエクスポートされていません。")
                .arg(m_noun)
                .arg(m_leftOut),
            QString(), TavMsg::IconExclamation);
    else
        TavShowMessage(m_parent, QStringLiteral("エクスポート完了"), QString(), TavMsg::IconInformation);
    return status == TavStatusCode::Ok;
}
