#include "CTavDbStoreBase.h"

#include "archive/CTavDbArchive.h"

// Backup files and category names, shared by every store kind.

uint32_t CTavDbStoreBase::CategoryIdForName(const QString& name)
{
    if (name.isEmpty())
        return CTavDbPcRecord::kUnfiled;
    if (const CTavDbCategory* c = FindCategoryByName(name))
        return c->GetID();
    // The category editor lists at most 15 with unfiled; an import does not go past it.
    if (GetCategoryCount() >= kMaxCategories - 1)
        return CTavDbPcRecord::kUnfiled;
    uint32_t id = CTavDbPcRecord::kUnfiled;
    if (AddCategory(name, &id) != TavStatusCode::Ok)
        return CTavDbPcRecord::kUnfiled;
    return id;
}

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
