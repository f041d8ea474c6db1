#include "CTavDbStoreBase.h"

#include <QFileInfo>

#include "CTavDbUser.h"
#include "archive/CTavDbArchive.h"

// Backup files and another user's records, shared by every store kind.

TavStatus CTavDbStoreBase::ImportBackupFile(const QString& path)
{
    const std::unique_ptr<CTavDbStoreBase> source = NewStore();
    const TavStatus status = source->LoadFromFile(path);
    if (status != TavStatusCode::Ok)
        return status;
    if (GetRecordCount() + source->GetRecordCount() > GetMaxRecords())
        return TavStatusCode::RecordLimit;
    for (const auto& owned : source->AllRecords()) {
        const TavStatus check = owned->IsDeleted() ? TavStatusCode::Ok : CheckRecord(*owned);
        if (check != TavStatusCode::Ok)
            return check;
    }
    for (const auto& owned : source->AllRecords()) {
        if (owned->IsDeleted())
            continue;
        const std::unique_ptr<CTavDbPcRecord> copy = owned->Clone();
        const CTavDbCategory* theirs = source->FindCategoryById(copy->GetCategoryID());
        const bool unfiled = !theirs || theirs->GetID() == CTavDbPcRecord::kUnfiled;
        copy->SetCategoryID(unfiled ? CTavDbPcRecord::kUnfiled : CategoryIdForName(theirs->GetName()));
        copy->SetAttributes(copy->GetAttributes() & CTavDbPcRecord::AttrPrivate);
        const TavStatus added = AddRecord(*copy);
        if (added != TavStatusCode::Ok)
            return added;
    }
    return TavStatusCode::Ok;
}

TavStatus CTavDbStoreBase::ExportBackupFile(const QString& path, const QList<uint32_t>& uniqueIds) const
{
    const std::unique_ptr<CTavDbStoreBase> target = NewStore();
    // Desktop archives carry the kind's header values too (the address book's field labels).
    if (CTavDbArchive::IsArchivePath(path))
        target->CopyExtraFrom(*this);
    // The backup holds our categories, in our order, and no others.
    for (const CTavDbCategory& c : QList<CTavDbCategory>(target->GetCategories()))
        if (c.GetID() != CTavDbPcRecord::kUnfiled && !FindCategoryByName(c.GetName()))
            target->DeleteCategory(c.GetID(), false, false);
    for (const CTavDbCategory& c : GetCategories())
        if (c.GetID() != CTavDbPcRecord::kUnfiled)
            target->CategoryIdForName(c.GetName());
    for (uint32_t id : uniqueIds) {
        const CTavDbPcRecord* rec = FindRecord(id);
        if (!rec || rec->IsDeleted())
            continue;
        const std::unique_ptr<CTavDbPcRecord> copy = rec->Clone();
        const CTavDbCategory* category = FindCategoryById(rec->GetCategoryID());
        copy->SetCategoryID(
            category ? target->CategoryIdForName(category->GetID() ? category->GetName() : QString())
                     : CTavDbPcRecord::kUnfiled);
        copy->SetAttributes(copy->GetAttributes() & CTavDbPcRecord::AttrPrivate);
        const TavStatus added = target->AddRecord(*copy);
        if (added != TavStatusCode::Ok)
            return added;
    }
    return target->WriteToFile(path);
}

TavStatus CTavDbStoreBase::TakeOverRecords(const QString& sourceUserName)
{
    if (!m_users)
        return TavStatusCode::NotFound;
    const QString path = StoreFilePath(m_users->GetUserPath(sourceUserName));
    if (path.isEmpty())
        return TavStatusCode::NotFound;
    if (!QFileInfo::exists(path))
        return TavStatusCode::Ok; // that user has nothing in this store
    std::unique_ptr<CTavDbStoreBase> source = NewStore();
    const TavStatus status = source->LoadFromFile(path);
    if (status != TavStatusCode::Ok)
        return status;
    // All or nothing: a take-over that cannot fit changes nothing, categories included.
    if (m_liveCount + source->m_liveCount > m_maxRecords)
        return TavStatusCode::RecordLimit;
    for (const auto& rec : source->m_records) {
        if (rec->IsDeleted())
            continue;
        const TavStatus check = CheckRecord(*rec);
        if (check != TavStatusCode::Ok)
            return check;
    }
    for (const auto& rec : source->m_records) {
        if (rec->IsDeleted())
            continue;
        std::unique_ptr<CTavDbPcRecord> copy = rec->Clone();
        copy->SetCategoryID(MapCategoryByName(*source, rec->GetCategoryID()));
        copy->SetAttributes(copy->GetAttributes() & CTavDbPcRecord::AttrPrivate);
        const TavStatus added = AddRecord(*copy);
        if (added != TavStatusCode::Ok)
            return added;
    }
    return TavStatusCode::Ok;
}
