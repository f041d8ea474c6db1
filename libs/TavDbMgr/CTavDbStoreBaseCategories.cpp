#include "CTavDbStoreBase.h"

#include <algorithm>

// Categories, and how they travel between stores by name.

QStringList CTavDbStoreBase::DefaultCategoryNames() const
{
    return {QStringLiteral("ビジネス"), QStringLiteral("パーソナル")};
}

const CTavDbCategory* CTavDbStoreBase::FindCategoryById(uint32_t id) const
{
    for (const CTavDbCategory& c : m_categories)
        if (c.GetID() == id)
            return &c;
    return nullptr;
}

const CTavDbCategory* CTavDbStoreBase::FindCategoryByName(const QString& name) const
{
    for (const CTavDbCategory& c : m_categories)
        if (c.GetName() == name)
            return &c;
    return nullptr;
}

TavStatus CTavDbStoreBase::AddCategory(const QString& name, uint32_t* newId)
{
    if (name.isEmpty())
        return TavStatusCode::InvalidArgument;
    if (FindCategoryByName(name))
        return TavStatusCode::Duplicate;
    if (m_categories.size() >= kMaxCategories)
        return TavStatusCode::CategoryLimit;
    uint32_t id = 1;
    while (id == CTavDbPcRecord::kAllCategories || FindCategoryById(id))
        ++id;
    int index = 1;
    for (bool used = true; used; ++index) {
        used = std::any_of(m_categories.begin(), m_categories.end(),
                           [index](const CTavDbCategory& c) { return c.GetIndex() == index; });
        if (!used)
            break;
    }
    CTavDbCategory category(id, index, name);
    category.SetDirty(true);
    m_categories.append(category);
    std::sort(m_categories.begin(), m_categories.end(),
              [](const CTavDbCategory& a, const CTavDbCategory& b) { return a.GetIndex() < b.GetIndex(); });
    m_categoriesChanged = true;
    if (newId)
        *newId = id;
    return TavStatusCode::Ok;
}

TavStatus CTavDbStoreBase::AddCategoryWithId(uint32_t id, const QString& name)
{
    if (name.isEmpty() || id == CTavDbPcRecord::kUnfiled || id == CTavDbPcRecord::kAllCategories || id > 255)
        return TavStatusCode::InvalidArgument;
    if (FindCategoryById(id) || FindCategoryByName(name))
        return TavStatusCode::Duplicate;
    uint32_t given = 0;
    const TavStatus status = AddCategory(name, &given);
    if (status != TavStatusCode::Ok)
        return status;
    for (CTavDbCategory& c : m_categories)
        if (c.GetID() == given)
            c.SetID(id);
    return TavStatusCode::Ok;
}

TavStatus CTavDbStoreBase::RenameCategory(uint32_t id, const QString& name)
{
    if (name.isEmpty())
        return TavStatusCode::InvalidArgument;
    const CTavDbCategory* other = FindCategoryByName(name);
    if (other && other->GetID() != id)
        return TavStatusCode::Duplicate;
    for (CTavDbCategory& c : m_categories) {
        if (c.GetID() == id) {
            c.SetName(name);
            m_categoriesChanged = true;
            return TavStatusCode::Ok;
        }
    }
    return TavStatusCode::NotFound;
}

TavStatus CTavDbStoreBase::DeleteCategory(uint32_t id, bool deleteRecords, bool archive)
{
    if (id == CTavDbPcRecord::kUnfiled)
        return TavStatusCode::Refused;
    const auto it = std::find_if(m_categories.begin(), m_categories.end(),
                                 [id](const CTavDbCategory& c) { return c.GetID() == id; });
    if (it == m_categories.end())
        return TavStatusCode::NotFound;
    m_categories.erase(it);
    m_categoriesChanged = true;
    std::vector<uint32_t> members;
    for (const auto& rec : m_records)
        if (!rec->IsDeleted() && rec->GetCategoryID() == id)
            members.push_back(rec->GetUniqueId());
    for (uint32_t member : members) {
        if (deleteRecords) {
            DeleteRecord(member, archive);
        } else {
            capture(member);
            m_byId.value(member)->SetCategoryID(CTavDbPcRecord::kUnfiled);
            m_changed.insert(member);
        }
    }
    if (m_order.CategoryFilter() == id)
        m_order.SetCategoryFilter(CTavDbPcRecord::kAllCategories);
    InvalidateView();
    recordsChanged();
    return TavStatusCode::Ok;
}

TavStatus CTavDbStoreBase::WriteCategories(bool force)
{
    if (force)
        m_categoriesChanged = true;
    if (m_filePath.isEmpty())
        return TavStatusCode::Ok;
    return Write();
}

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

QString CTavDbStoreBase::CategoryNameForId(uint32_t id) const
{
    const CTavDbCategory* category = FindCategoryById(id);
    return category && id != CTavDbPcRecord::kUnfiled ? category->GetName() : QString();
}

uint32_t CTavDbStoreBase::MapCategoryByName(const CTavDbStoreBase& source, uint32_t sourceCategoryId)
{
    return CategoryIdForName(source.CategoryNameForId(sourceCategoryId));
}
