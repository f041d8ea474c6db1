#include "CTavFreeSheetManager.h"

#include <QDir>
#include <QFileInfo>

#include "CTavApp.h"
#include "CTavDbAddr.h"
#include "CTavDbAddrRecord.h"
#include "CTavDbDate.h"
#include "CTavDbDateRecord.h"
#include "CTavDbEnv.h"
#include "CTavDbPalmCategoryInfo.h"
#include "CTavDbTodo.h"
#include "CTavDbTodoRecord.h"
#include "sheet/CTavDbFreePdbObjectManager.h"

using Manager = CTavDbFreePdbObjectManager;

CTavFreeSheetManager::CTavFreeSheetManager() : m_db(std::make_unique<Manager>()) {}

CTavFreeSheetManager::~CTavFreeSheetManager() = default;

QString CTavFreeSheetManager::CategoryPath(const QString& userPath)
{
    return QDir(userPath + CTavDbEnv::GetQuillosDir()).filePath(Manager::CategoryFileName());
}

void CTavFreeSheetManager::InstallReferenceCounter(CTavApp& app)
{
    Manager::SetReferenceCounter([&app](const QString& fileName) { return ReferenceCount(app, fileName); });
}

int CTavFreeSheetManager::ReferenceCount(CTavApp& app, const QString& fileName)
{
    // Records name their sheet without folder and extension.
    const QString name = QFileInfo(fileName).completeBaseName();
    int count = int(app.DateStore().InfoSheetNames().count(name));
    for (const auto& record : app.DateStore().AllRecords())
        count += !record->IsDeleted() && static_cast<const CTavDbDateRecord&>(*record).GetSheetName() == name;
    for (const auto& record : app.TodoStore().AllRecords())
        count +=
            !record->IsDeleted() && static_cast<const CTavDbTodoRecord&>(*record).GetQuilloName() == name;
    for (const auto& record : app.AddrStore().AllRecords())
        count +=
            !record->IsDeleted() && static_cast<const CTavDbAddrRecord&>(*record).GetQuilloName() == name;
    return count;
}

bool CTavFreeSheetManager::ReadCategories(const QString& path, QList<CTavDbCategory>* categories)
{
    Manager db;
    if (!QFileInfo::exists(path) || db.LoadFromFile(path) != TavStatusCode::Ok ||
        !db.GetDatabase().HasCategoryInfo())
        return false;
    *categories = db.GetHeader().GetCategories();
    return true;
}

void CTavFreeSheetManager::RemoveReferenceCounter()
{
    Manager::SetReferenceCounter({});
}

TavStatus CTavFreeSheetManager::Load(const QString& userPath)
{
    m_path = CategoryPath(userPath);
    m_problem.clear();
    m_writable = false;
    m_unsaved = false;
    if (!QFileInfo::exists(m_path)) {
        QDir().mkpath(QFileInfo(m_path).absolutePath());
        const TavStatus made = Manager::CreateCategoryDatabase(m_path);
        if (made != TavStatusCode::Ok) {
            resetToDefaults();
            return made;
        }
    }
    auto loaded = std::make_unique<Manager>();
    const TavStatus status = loaded->LoadFromFile(m_path);
    if (status == TavStatusCode::Ok && loaded->GetDatabase().HasCategoryInfo()) {
        m_db = std::move(loaded);
        m_writable = true;
        return TavStatusCode::Ok;
    }
    m_problem = QStringLiteral("%1\nカテゴリを読み込めませんでした。既定のカテゴリを使います。")
                    .arg(QDir::toNativeSeparators(m_path));
    resetToDefaults();
    return status == TavStatusCode::Ok ? TavStatusCode::Corrupt : status;
}

TavStatus CTavFreeSheetManager::resetToDefaults()
{
    m_db = std::make_unique<Manager>();
    m_db->Create(m_path, Manager::TypeCategory);
    CTavDbPalmCategoryInfo info;
    const QStringList names = Manager::DefaultCategoryNames();
    for (int i = 0; i < names.size(); ++i) {
        info.names[size_t(i)] = names[i];
        info.ids[size_t(i)] = uint8_t(i);
    }
    info.lastUniqueId = uint8_t(names.size() - 1);
    return m_db->GetDatabase().SetCategoryInfo(info);
}

TavStatus CTavFreeSheetManager::Save()
{
    if (!m_writable || m_path.isEmpty())
        return TavStatusCode::Ok;
    const TavStatus status = m_db->SaveAsFile(m_path, true);
    m_unsaved = status != TavStatusCode::Ok;
    return status;
}

QList<CTavDbCategory> CTavFreeSheetManager::Categories() const
{
    return m_db->GetHeader().GetCategories();
}

QString CTavFreeSheetManager::CategoryName(uint32_t id) const
{
    for (const CTavDbCategory& c : Categories())
        if (c.GetID() == id)
            return c.GetName();
    return QString();
}

TavStatus CTavFreeSheetManager::Add(const QString& name, uint32_t* newId)
{
    CTavDbPalmCategoryInfo info;
    m_db->GetHeader().GetCategoryInfo(&info);
    int slot = -1;
    for (int i = 0; i < CTavDbPalmCategoryInfo::Count; ++i) {
        if (info.names[size_t(i)] == name)
            return TavStatusCode::Duplicate;
        if (slot < 0 && info.names[size_t(i)].isEmpty() && i > 0)
            slot = i;
    }
    const uint8_t id = info.FreeUniqueId();
    if (slot < 0 || slot >= 15 || id == 0)
        return TavStatusCode::CategoryLimit;
    info.names[size_t(slot)] = name;
    info.ids[size_t(slot)] = id;
    info.lastUniqueId = id;
    info.renamed |= uint16_t(1u << slot);
    const TavStatus status = m_db->GetDatabase().SetCategoryInfo(info);
    m_writable = m_writable || status == TavStatusCode::Ok;
    if (newId && status == TavStatusCode::Ok)
        *newId = id;
    return status;
}

TavStatus CTavFreeSheetManager::Rename(uint32_t id, const QString& name)
{
    CTavDbPalmCategoryInfo info;
    m_db->GetHeader().GetCategoryInfo(&info);
    int slot = -1;
    for (int i = 0; i < CTavDbPalmCategoryInfo::Count; ++i) {
        if (info.names[size_t(i)].isEmpty())
            continue;
        if (info.ids[size_t(i)] == id && i > 0)
            slot = i;
        else if (info.names[size_t(i)] == name)
            return TavStatusCode::Duplicate;
    }
    if (slot < 0)
        return TavStatusCode::NotFound;
    info.names[size_t(slot)] = name;
    info.renamed |= uint16_t(1u << slot);
    const TavStatus status = m_db->GetDatabase().SetCategoryInfo(info);
    m_writable = m_writable || status == TavStatusCode::Ok;
    return status;
}

TavStatus CTavFreeSheetManager::Remove(uint32_t id)
{
    CTavDbPalmCategoryInfo info;
    m_db->GetHeader().GetCategoryInfo(&info);
    for (int i = 1; i < CTavDbPalmCategoryInfo::Count; ++i) {
        if (info.names[size_t(i)].isEmpty() || info.ids[size_t(i)] != id)
            continue;
        info.names[size_t(i)].clear();
        info.ids[size_t(i)] = 0;
        info.renamed &= uint16_t(~(1u << i));
        const TavStatus status = m_db->GetDatabase().SetCategoryInfo(info);
        m_writable = m_writable || status == TavStatusCode::Ok;
        return status;
    }
    return TavStatusCode::NotFound;
}
