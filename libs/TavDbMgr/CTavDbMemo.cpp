#include "CTavDbMemo.h"

#include <QFile>

#include "CTavDbClock.h"
#include "CTavDbEnv.h"
#include "CTavDbFileUtil.h"
#include "CTavDbMemoCsv.h"

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

uint32_t CTavDbMemo::CategoryIdForName(const QString& name)
{
    if (name.isEmpty())
        return CTavDbPcRecord::kUnfiled;
    if (const CTavDbCategory* c = FindCategoryByName(name))
        return c->GetID();
    uint32_t id = CTavDbPcRecord::kUnfiled;
    if (AddCategory(name, &id) != TavStatusCode::Ok)
        return CTavDbPcRecord::kUnfiled;
    return id;
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

TavStatus CTavDbMemo::ImportBackupFile(const QString& path)
{
    CTavDbMemo source;
    const TavStatus status = source.LoadFromFile(path);
    if (status != TavStatusCode::Ok)
        return status;
    if (GetRecordCount() + source.GetRecordCount() > GetMaxRecords())
        return TavStatusCode::RecordLimit;
    for (const auto& owned : source.AllRecords()) {
        if (owned->IsDeleted())
            continue;
        auto copy = static_cast<const CTavDbMemoRecord&>(*owned);
        const CTavDbCategory* theirs = source.FindCategoryById(copy.GetCategoryID());
        const bool unfiled = !theirs || theirs->GetID() == CTavDbPcRecord::kUnfiled;
        copy.SetCategoryID(unfiled ? CTavDbPcRecord::kUnfiled : CategoryIdForName(theirs->GetName()));
        copy.SetAttributes(copy.GetAttributes() & CTavDbPcRecord::AttrPrivate);
        const TavStatus added = AddRecord(copy);
        if (added != TavStatusCode::Ok)
            return added;
    }
    return TavStatusCode::Ok;
}

TavStatus CTavDbMemo::ExportBackupFile(const QString& path, const QList<uint32_t>& uniqueIds) const
{
    CTavDbMemo target;
    // The backup holds our categories, in our order, and no others.
    for (const CTavDbCategory& c : QList<CTavDbCategory>(target.GetCategories()))
        if (c.GetID() != CTavDbPcRecord::kUnfiled && !FindCategoryByName(c.GetName()))
            target.DeleteCategory(c.GetID(), false, false);
    for (const CTavDbCategory& c : GetCategories())
        if (c.GetID() != CTavDbPcRecord::kUnfiled)
            target.CategoryIdForName(c.GetName());
    for (uint32_t id : uniqueIds) {
        const auto* rec = static_cast<const CTavDbMemoRecord*>(FindRecord(id));
        if (!rec || rec->IsDeleted())
            continue;
        CTavDbMemoRecord copy = *rec;
        const CTavDbCategory* category = FindCategoryById(rec->GetCategoryID());
        copy.SetCategoryID(category
                               ? target.CategoryIdForName(category->GetID() ? category->GetName() : QString())
                               : CTavDbPcRecord::kUnfiled);
        copy.SetAttributes(copy.GetAttributes() & CTavDbPcRecord::AttrPrivate);
        const TavStatus added = target.AddRecord(copy);
        if (added != TavStatusCode::Ok)
            return added;
    }
    return target.WriteToFile(path);
}
