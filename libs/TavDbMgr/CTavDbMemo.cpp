#include "CTavDbMemo.h"

#include <QFile>

#include "CTavDbClock.h"
#include "CTavDbEnv.h"
#include "CTavDbFileUtil.h"
#include "CTavDbMemoCsv.h"
#include "CTavDbText.h"

CTavDbMemo::CTavDbMemo()
    : CTavDbStoreBase("memo", &CTavDbEnv::GetPdtMemoDir, "memopad.ldb", CTavDbMemoRecord::kColumns,
                      kMaxRecords)
{
    SetSortCond(CTavDbSortCond(kSortSyllabary));
}

TavStatus CTavDbMemo::AddRecord(CTavDbPcRecord& record)
{
    auto& memo = static_cast<CTavDbMemoRecord&>(record);
    const TavTime now = static_cast<TavTime>(CTavDbClock::NowSeconds());
    if (memo.GetCreateDateTime() == 0)
        memo.SetCreateDateTime(now);
    if (memo.GetUpdateDateTime() == 0)
        memo.SetUpdateDateTime(memo.GetCreateDateTime());
    return CTavDbStoreBase::AddRecord(record);
}

TavStatus CTavDbMemo::UpdateRecord(const CTavDbPcRecord& record)
{
    const auto* old = static_cast<const CTavDbMemoRecord*>(FindRecord(record.GetUniqueId()));
    if (!old)
        return TavStatusCode::NotFound;
    NoteUpdate(record); // the copy below hides an edit made in place from the base
    CTavDbMemoRecord copy = static_cast<const CTavDbMemoRecord&>(record);
    if (!old->IsEqualPdt(copy))
        copy.SetUpdateDateTime(static_cast<TavTime>(CTavDbClock::NowSeconds()));
    return CTavDbStoreBase::UpdateRecord(copy);
}

TavStatus CTavDbMemo::CheckRecord(const CTavDbPcRecord& record) const
{
    const auto* memo = dynamic_cast<const CTavDbMemoRecord*>(&record);
    return memo && CTavDbText::mbLength(memo->GetMemo()) <= CTavDbMemoRecord::kMaxBytes
               ? TavStatusCode::Ok
               : TavStatusCode::InvalidArgument;
}

void CTavDbMemo::SortView(std::vector<CTavDbPcRecord*>& view) const
{
    std::vector<CTavDbCollationRanks::Text> texts;
    texts.reserve(AllRecords().size());
    for (const auto& owned : AllRecords()) {
        const auto* rec = static_cast<const CTavDbMemoRecord*>(owned.get());
        if (!rec->IsDeleted())
            texts.emplace_back(rec->GetUniqueId(), QStringView(rec->GetMemo()).left(kSortPrefix));
    }
    m_ranks.Update(texts);
    m_ranks.Sort(view);
}

TavStatus CTavDbMemo::ImportCsvFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return TavStatusCode::FileError;
    if (file.size() > CTavDbMemoCsv::kMaxFileBytes) {
        if (error)
            *error = QStringLiteral("ファイルが大きすぎます。");
        return TavStatusCode::InvalidArgument;
    }
    QList<CTavDbMemoCsv::Row> rows;
    const TavStatus status = CTavDbMemoCsv::Read(file.readAll(), &rows, error);
    if (status != TavStatusCode::Ok)
        return status;
    if (GetRecordCount() + rows.size() > GetMaxRecords())
        return TavStatusCode::RecordLimit;
    for (const CTavDbMemoCsv::Row& row : rows) {
        CTavDbMemoRecord rec;
        rec.SetMemo(row.memo);
        rec.SetCategoryID(CategoryIdForName(row.category));
        rec.SetPrivate(row.isPrivate);
        rec.SetCreateDateTime(row.created);
        rec.SetUpdateDateTime(row.updated ? row.updated : row.created);
        const TavStatus added = AddRecord(rec);
        if (added != TavStatusCode::Ok)
            return added;
    }
    return TavStatusCode::Ok;
}

TavStatus CTavDbMemo::ExportCsvFile(const QString& path, const QList<uint32_t>& uniqueIds) const
{
    QList<CTavDbMemoCsv::Row> rows;
    rows.reserve(uniqueIds.size());
    for (uint32_t id : uniqueIds) {
        const auto* rec = static_cast<const CTavDbMemoRecord*>(FindRecord(id));
        if (!rec || rec->IsDeleted())
            continue;
        const CTavDbCategory* category = FindCategoryById(rec->GetCategoryID());
        const bool unfiled = !category || category->GetID() == CTavDbPcRecord::kUnfiled;
        rows.append({rec->GetMemo(), unfiled ? QString() : category->GetName(), rec->GetIsPrivate(),
                     rec->GetCreateDateTime(), rec->GetUpdateDateTime()});
    }
    return CTavDbFileUtil::writeAtomically(path, CTavDbMemoCsv::Write(rows)) ? TavStatusCode::Ok
                                                                             : TavStatusCode::FileError;
}
