#include "CTavDbFreePdbObjectManager.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <algorithm>

#include "CTavDbClock.h"
#include "CTavDbFreeCanvasObject.h"
#include "CTavDbFreeMiscInfoObject.h"
#include "CTavDbFreePdbSalvage.h"
#include "CTavDbFreePrcObjectManager.h"
#include "CTavDbHwriteObject.h"
#include "CTavDbMMContentsObject.h"
#include "CTavDbPalmCategoryInfo.h"
#include "CTavDbSealObject.h"
#include "CTavDbText.h"
#include "CTavDbTextObject.h"
#include "CTavDbThumbnailObject.h"

namespace {
std::function<int(const QString&)>& referenceCounter()
{
    static std::function<int(const QString&)> counter;
    return counter;
}

std::unique_ptr<CTavDbFreeRecord> makeRecord(int kind)
{
    switch (kind) {
    case CTavDbFreeRecord::KindThumbnail:
        return std::make_unique<CTavDbThumbnailObject>();
    case CTavDbFreeRecord::KindMiscInfo:
        return std::make_unique<CTavDbFreeMiscInfoObject>();
    case CTavDbFreeRecord::KindCanvas:
        return std::make_unique<CTavDbFreeCanvasObject>();
    case CTavDbFreeRecord::KindHwrite:
        return std::make_unique<CTavDbHwriteObject>();
    case CTavDbFreeRecord::KindText:
        return std::make_unique<CTavDbTextObject>();
    case CTavDbFreeRecord::KindSeal:
        return std::make_unique<CTavDbSealObject>();
    case CTavDbFreeRecord::KindContents:
        return std::make_unique<CTavDbMMContentsObject>();
    default:
        return nullptr;
    }
}

QString kindName(int kind)
{
    switch (kind) {
    case CTavDbFreeRecord::KindThumbnail:
        return QStringLiteral("サムネイル");
    case CTavDbFreeRecord::KindMiscInfo:
        return QStringLiteral("付加情報");
    case CTavDbFreeRecord::KindCanvas:
        return QStringLiteral("背景");
    case CTavDbFreeRecord::KindHwrite:
        return QStringLiteral("手書き線");
    case CTavDbFreeRecord::KindText:
        return QStringLiteral("テキスト");
    case CTavDbFreeRecord::KindSeal:
        return QStringLiteral("シール");
    case CTavDbFreeRecord::KindContents:
        return QStringLiteral("コンテンツ");
    default:
        return QStringLiteral("不明な種類");
    }
}

// The place of a sheet record in a new sheet; page objects keep their own order after them.
int rank(const CTavDbFreeRecord& r)
{
    switch (r.GetKind()) {
    case CTavDbFreeRecord::KindThumbnail:
        return 0;
    case CTavDbFreeRecord::KindMiscInfo:
        return 1;
    case CTavDbFreeRecord::KindCanvas:
        return 2;
    default:
        return 3;
    }
}
} // namespace

CTavDbFreePdbObjectManager::CTavDbFreePdbObjectManager() = default;
CTavDbFreePdbObjectManager::~CTavDbFreePdbObjectManager() = default;

void CTavDbFreePdbObjectManager::CreateResources(const QStringList& folders)
{
    m_resources = std::make_shared<CTavDbFreePrcObjectManager>(folders);
}

void CTavDbFreePdbObjectManager::SetResources(std::shared_ptr<CTavDbFreePrcObjectManager> resources)
{
    m_resources = std::move(resources);
}

void CTavDbFreePdbObjectManager::reset()
{
    m_records.clear();
    m_problems.clear();
    m_lostData = false;
    m_structureChanged = false;
    m_fileSize = 0;
}

TavStatus CTavDbFreePdbObjectManager::Create(const QString& path, uint32_t type)
{
    CTavDbPalmDatabase db;
    if (const TavStatus status = db.Create(path, type, Creator); status != TavStatusCode::Ok)
        return status;
    reset();
    m_db = std::move(db);
    m_path = path;
    m_structureChanged = true;
    if (type == TypeSheet) {
        auto* thumbnail = AddNew<CTavDbThumbnailObject>();
        QImage blank(CTavDbThumbnailObject::StoredSize, QImage::Format_RGB32);
        blank.fill(Qt::white);
        thumbnail->SetThumbnail(blank);
    }
    auto* misc = AddNew<CTavDbFreeMiscInfoObject>();
    misc->SetTitle(CreateDefaultTitle());
    const QDateTime now = CTavDbClock::Now();
    misc->SetScheduleDateTime(QDateTime(now.date(), QTime(now.time().hour(), now.time().minute())));
    if (type == TypeSheet)
        AddNew<CTavDbFreeCanvasObject>();
    return TavStatusCode::Ok;
}

TavStatus CTavDbFreePdbObjectManager::LoadFromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return TavStatusCode::FileError;
    return LoadFromBytes(file.readAll(), path);
}

TavStatus CTavDbFreePdbObjectManager::LoadFromBytes(const QByteArray& bytes, const QString& path)
{
    CTavDbPalmDatabase db;
    QStringList problems;
    int lost = 0;
    if (const TavStatus status = db.LoadFromBytes(bytes); status != TavStatusCode::Ok) {
        if (status != TavStatusCode::Corrupt || !CTavDbFreePdbSalvage::Salvage(bytes, &db, &lost))
            return status;
        problems << (lost > 0
                         ? QStringLiteral("ファイルが壊れているため、%1 件のレコードを読み込めませんでした。")
                               .arg(lost)
                         : QStringLiteral("ファイルのレコードの並びが壊れていたため、読み直しました。"));
    }
    if (db.IsResourceDatabase())
        return TavStatusCode::NotOurFile;
    reset();
    m_db = std::move(db);
    m_db.SetPath(path);
    m_path = path;
    m_fileSize = bytes.size();
    m_problems = problems;
    m_lostData = lost > 0;
    return TavStatusCode::Ok;
}

int CTavDbFreePdbObjectManager::CreateObjects()
{
    m_records.clear();
    m_structureChanged = false;
    for (int i = 0; i < m_db.GetRecordCount(); ++i) {
        const QByteArrayView data = m_db.GetRecordView(i);
        const int kind = CTavDbFreeRecord::PeekKind(data);
        std::unique_ptr<CTavDbFreeRecord> record = makeRecord(kind);
        if (!record) {
            m_problems << QStringLiteral("%1 番目のレコードは種類が分からないため、読み込みませんでした。")
                              .arg(i + 1);
            m_structureChanged = m_lostData = true;
            continue;
        }
        if (!record->Parse(data)) {
            m_problems << QStringLiteral("%1 番目のレコード（%2）は壊れているため、読み込みませんでした。")
                              .arg(i + 1)
                              .arg(kindName(kind));
            m_structureChanged = m_lostData = true;
            continue;
        }
        if (!record->IsPageObject() && firstOfKind(record->GetKind())) {
            m_problems << QStringLiteral("%1 番目のレコード（%2）は二つ目のため、読み込みませんでした。")
                              .arg(i + 1)
                              .arg(kindName(kind));
            m_structureChanged = m_lostData = true;
            continue;
        }
        record->SetDatabaseEntry(m_db.GetRecordAttributes(i), m_db.GetRecordUniqueId(i));
        m_records.push_back(std::move(record));
    }
    putInOrder();
    bringInside();
    return GetRecordCount();
}

void CTavDbFreePdbObjectManager::putInOrder()
{
    const bool ordered = std::is_sorted(m_records.begin(), m_records.end(),
                                        [](const auto& a, const auto& b) { return rank(*a) < rank(*b); });
    if (ordered)
        return;
    std::stable_sort(m_records.begin(), m_records.end(),
                     [](const auto& a, const auto& b) { return rank(*a) < rank(*b); });
    m_structureChanged = true;
    m_problems << QStringLiteral("レコードの順序が正しくなかったため、並べ直しました。");
}

void CTavDbFreePdbObjectManager::bringInside()
{
    const QRect canvas = GetCanvasRect();
    for (size_t i = 0; i < m_records.size(); ++i) {
        CTavDbFreeRecord& r = *m_records[i];
        const QRect rect = r.GetRect();
        if (!r.IsPageObject() || rect.intersects(canvas))
            continue;
        const int x =
            std::clamp(rect.x(), canvas.left(), std::max(canvas.left(), canvas.right() + 1 - rect.width()));
        const int y =
            std::clamp(rect.y(), canvas.top(), std::max(canvas.top(), canvas.bottom() + 1 - rect.height()));
        r.Offset(x - rect.x(), y - rect.y());
        m_problems << QStringLiteral(
                          "%1 番目のレコード（%2）はページの外にあったため、ページの中に移しました。")
                          .arg(i + 1)
                          .arg(kindName(r.GetKind()));
    }
}

bool CTavDbFreePdbObjectManager::recordsUnchanged(const std::vector<QByteArray>& bytes) const
{
    if (m_structureChanged || int(bytes.size()) != m_db.GetRecordCount())
        return false;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (m_records[i]->GetUniqueId() != m_db.GetRecordUniqueId(int(i)) ||
            m_db.GetRecordView(int(i)) != QByteArrayView(bytes[i]))
            return false;
    }
    return true;
}

void CTavDbFreePdbObjectManager::syncDatabase()
{
    if (GetRecordCount() > CTavDbPalmDatabase::MaxEntries)
        return; // the file cannot hold them: it keeps what it held
    std::vector<QByteArray> bytes;
    bytes.reserve(m_records.size());
    for (const auto& r : m_records)
        bytes.push_back(r->ToBytes());
    if (recordsUnchanged(bytes))
        return;
    // The old records by id, so that unchanged ones keep their attribute byte.
    QHash<uint32_t, QByteArrayView> before;
    for (int i = 0; i < m_db.GetRecordCount(); ++i)
        before.insert(m_db.GetRecordUniqueId(i), m_db.GetRecordView(i));
    std::vector<bool> same(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        const uint32_t id = m_records[i]->GetUniqueId();
        same[i] = id != 0 && before.contains(id) && before.value(id) == QByteArrayView(bytes[i]);
    }
    before.clear();
    for (int i = m_db.GetRecordCount() - 1; i >= 0; --i)
        m_db.RemoveRecord(i);
    for (size_t i = 0; i < bytes.size(); ++i) {
        CTavDbFreeRecord& r = *m_records[i];
        const uint8_t attributes =
            same[i] ? r.GetAttributes() : uint8_t(r.GetAttributes() | CTavDbPalmDatabase::RecAttrDirty);
        const int at = m_db.GetRecordCount();
        if (m_db.InsertRecord(at, bytes[i], attributes, r.GetUniqueId()) != TavStatusCode::Ok)
            m_db.InsertRecord(at, bytes[i], attributes, 0);
        r.SetDatabaseEntry(attributes, m_db.GetRecordUniqueId(at));
    }
    m_db.SetModificationDate(TavTime(CTavDbClock::NowSeconds()));
    m_db.SetModificationNumber(m_db.GetModificationNumber() + 1);
    m_structureChanged = false;
}

QByteArray CTavDbFreePdbObjectManager::ToBytes()
{
    syncDatabase();
    return m_db.ToBytes();
}

TavStatus CTavDbFreePdbObjectManager::SaveAsFile(const QString& path, bool overwrite)
{
    if (path.isEmpty())
        return TavStatusCode::InvalidArgument;
    if (!overwrite && QFileInfo::exists(path))
        return TavStatusCode::Refused;
    if (GetRecordCount() > CTavDbPalmDatabase::MaxEntries)
        return TavStatusCode::RecordLimit;
    // A sheet saved under a new name takes that name on the handheld too, where names must
    // not repeat.
    const QString baseName = QFileInfo(path).completeBaseName();
    if (QFileInfo(path).absoluteFilePath() != QFileInfo(m_path).absoluteFilePath() &&
        m_db.GetName() != baseName) {
        m_db.SetName(CTavDbText::truncateToBytes(baseName, CTavDbPalmDatabase::NameSize - 1));
        m_structureChanged = true;
    }
    syncDatabase();
    const QByteArray bytes = m_db.ToBytes();
    if (const TavStatus status = m_db.SaveToFile(path); status != TavStatusCode::Ok)
        return status;
    m_db.SetPath(path);
    m_path = path;
    m_fileSize = bytes.size();
    return TavStatusCode::Ok;
}

CTavDbFreeRecord* CTavDbFreePdbObjectManager::GetRecord(int index) const
{
    return index >= 0 && index < GetRecordCount() ? m_records[size_t(index)].get() : nullptr;
}

int CTavDbFreePdbObjectManager::Find(const CTavDbFreeRecord* record) const
{
    for (size_t i = 0; i < m_records.size(); ++i) {
        if (m_records[i].get() == record)
            return int(i);
    }
    return -1;
}

CTavDbFreeRecord* CTavDbFreePdbObjectManager::AddRecord(std::unique_ptr<CTavDbFreeRecord> record)
{
    if (!record)
        return nullptr;
    m_records.push_back(std::move(record));
    m_structureChanged = true;
    return m_records.back().get();
}

bool CTavDbFreePdbObjectManager::RemoveRecord(const CTavDbFreeRecord* record)
{
    const int at = Find(record);
    if (at < 0)
        return false;
    m_records.erase(m_records.begin() + at);
    m_structureChanged = true;
    return true;
}

void CTavDbFreePdbObjectManager::TopMostRecord(const CTavDbFreeRecord* record)
{
    const int at = Find(record);
    if (at < 0 || at == GetRecordCount() - 1)
        return;
    std::rotate(m_records.begin() + at, m_records.begin() + at + 1, m_records.end());
    m_structureChanged = true;
}

void CTavDbFreePdbObjectManager::ClearSelection()
{
    for (const auto& r : m_records)
        r->DeleteRecordFlag(CTavDbFreeRecord::FlagSelected | CTavDbFreeRecord::FlagMoving |
                            CTavDbFreeRecord::FlagResizing);
}

CTavDbFreeRecord* CTavDbFreePdbObjectManager::firstOfKind(CTavDbFreeRecord::Kind kind) const
{
    for (const auto& r : m_records) {
        if (r->GetKind() == kind)
            return r.get();
    }
    return nullptr;
}

CTavDbThumbnailObject* CTavDbFreePdbObjectManager::GetThumbnail() const
{
    return static_cast<CTavDbThumbnailObject*>(firstOfKind(CTavDbFreeRecord::KindThumbnail));
}

CTavDbFreeMiscInfoObject* CTavDbFreePdbObjectManager::GetMiscInfo() const
{
    return static_cast<CTavDbFreeMiscInfoObject*>(firstOfKind(CTavDbFreeRecord::KindMiscInfo));
}

CTavDbFreeCanvasObject* CTavDbFreePdbObjectManager::GetCanvas() const
{
    return static_cast<CTavDbFreeCanvasObject*>(firstOfKind(CTavDbFreeRecord::KindCanvas));
}

QString CTavDbFreePdbObjectManager::GetTitle() const
{
    const CTavDbFreeMiscInfoObject* misc = GetMiscInfo();
    return misc ? misc->GetTitle() : QString();
}

void CTavDbFreePdbObjectManager::SetQuilloTitle(const QString& title)
{
    CTavDbFreeMiscInfoObject* misc = GetMiscInfo();
    if (!misc) {
        auto owned = std::make_unique<CTavDbFreeMiscInfoObject>();
        misc = owned.get();
        // In its place after the thumbnail.
        m_records.insert(m_records.begin() + (GetThumbnail() ? 1 : 0), std::move(owned));
        m_structureChanged = true;
    }
    misc->SetTitle(title);
}

int CTavDbFreePdbObjectManager::GetCategoryId() const
{
    const CTavDbFreeMiscInfoObject* misc = GetMiscInfo();
    return misc ? misc->GetCategoryId() : 0;
}

QRect CTavDbFreePdbObjectManager::GetCanvasRect() const
{
    const CTavDbFreeCanvasObject* canvas = GetCanvas();
    return canvas ? canvas->GetRect() : CTavDbFreeCanvasObject::DefaultRect;
}

QColor CTavDbFreePdbObjectManager::GetBackground() const
{
    const CTavDbFreeCanvasObject* canvas = GetCanvas();
    return canvas ? canvas->GetColor() : QColor(Qt::white);
}

void CTavDbFreePdbObjectManager::Draw(QPainter& painter, const QRect& area) const
{
    painter.fillRect(area, GetBackground());
    const CTavDbFreeDrawContext context{m_resources.get()};
    for (const auto& r : m_records) {
        if (r->IsPageObject() && r->GetRect().adjusted(-4, -4, 4, 4).intersects(area))
            r->Draw(painter, context);
    }
}

QImage CTavDbFreePdbObjectManager::CreateThumbnailBitmap(const QRect& canvasRect, const QSize& size) const
{
    if (canvasRect.isEmpty() || size.isEmpty())
        return {};
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const double sx = double(size.width()) / canvasRect.width();
    const double sy = double(size.height()) / canvasRect.height();
    // The handheld draws without smoothing; only pictures made smaller are smoothed.
    painter.setRenderHint(QPainter::Antialiasing, sx < 1 || sy < 1);
    painter.scale(sx, sy);
    painter.translate(-canvasRect.topLeft());
    painter.setClipRect(canvasRect);
    Draw(painter, canvasRect);
    return image;
}

QImage CTavDbFreePdbObjectManager::CreateThumbnailBitmapEx(const QRect& canvasRect, const QSize& size) const
{
    const CTavDbThumbnailObject* thumbnail = GetThumbnail();
    if (canvasRect == PageRect && thumbnail && !thumbnail->GetImage().isNull())
        return thumbnail->GetImage().scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return CreateThumbnailBitmap(canvasRect, size);
}

void CTavDbFreePdbObjectManager::SetThumbnail(const QImage& page)
{
    CTavDbThumbnailObject* thumbnail = GetThumbnail();
    if (!thumbnail) {
        if (GetType() != TypeSheet)
            return;
        auto owned = std::make_unique<CTavDbThumbnailObject>();
        thumbnail = owned.get();
        m_records.insert(m_records.begin(), std::move(owned));
        m_structureChanged = true;
    }
    thumbnail->SetThumbnail(page);
}

QList<CTavDbFreeRecord*> CTavDbFreePdbObjectManager::IsForcus(const QPoint& p) const
{
    QList<CTavDbFreeRecord*> hits;
    for (auto it = m_records.rbegin(); it != m_records.rend(); ++it) {
        if ((*it)->IsPageObject() && (*it)->HitTest(p))
            hits.append(it->get());
    }
    return hits;
}

CTavDbFreeRecord* CTavDbFreePdbObjectManager::IsResize(const QPoint& p) const
{
    for (auto it = m_records.rbegin(); it != m_records.rend(); ++it) {
        if ((*it)->ResizeHandle().contains(p))
            return it->get();
    }
    return nullptr;
}

QList<CTavDbFreeRecord*> CTavDbFreePdbObjectManager::EraseCheck(const QPolygon& path) const
{
    QList<CTavDbFreeRecord*> hits;
    for (const auto& r : m_records) {
        if (r->GetKind() == CTavDbFreeRecord::KindHwrite &&
            static_cast<const CTavDbHwriteObject&>(*r).IsCrossedBy(path))
            hits.append(r.get());
    }
    return hits;
}

QString CTavDbFreePdbObjectManager::CreateFileName(const QString& folder)
{
    const QString stem =
        QStringLiteral("Quillo_") + CTavDbClock::Now().toString(QStringLiteral("yyyyMMdd_HHmmss"));
    const QDir dir(folder);
    QString name = stem + QStringLiteral(".pdb");
    for (int n = 2; QFileInfo::exists(dir.filePath(name)); ++n)
        name = stem + QStringLiteral("_%1.pdb").arg(n);
    return name;
}

QString CTavDbFreePdbObjectManager::CreateDefaultTitle()
{
    return CTavDbClock::Now().toString(QStringLiteral("yyyy/MM/dd HH:mm"));
}

int CTavDbFreePdbObjectManager::GetRefNum() const
{
    const auto& counter = referenceCounter();
    return counter && !m_path.isEmpty() ? counter(QFileInfo(m_path).fileName()) : 0;
}

void CTavDbFreePdbObjectManager::SetReferenceCounter(std::function<int(const QString&)> counter)
{
    referenceCounter() = std::move(counter);
}

TavStatus CTavDbFreePdbObjectManager::CreateCategoryDatabase(const QString& path, const QStringList& names)
{
    if (names.isEmpty() || names.size() > CTavDbPalmCategoryInfo::Count)
        return TavStatusCode::InvalidArgument;
    CTavDbPalmDatabase db;
    if (const TavStatus status = db.Create(path, TypeCategory, Creator); status != TavStatusCode::Ok)
        return status;
    CTavDbPalmCategoryInfo info;
    for (int i = 0; i < names.size(); ++i) {
        info.names[size_t(i)] = names[i];
        info.ids[size_t(i)] = uint8_t(i);
    }
    info.lastUniqueId = uint8_t(names.size() - 1);
    if (const TavStatus status = db.SetCategoryInfo(info); status != TavStatusCode::Ok)
        return status;
    return db.SaveToFile(path);
}
