#include "CTavDbArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

#include "CTavDbArchiveConverter.h"
#include "CTavDbArchiveReader.h"
#include "CTavDbArchiveWriter.h"
#include "CTavDbPcRecord.h"
#include "CTavDbStoreBase.h"
#include "CTavDbText.h"

namespace {
// Far beyond 65536 records of the longest fields; a bigger file is not an archive.
constexpr qint64 kMaxFileBytes = qint64(1) << 30;

constexpr uint8_t kShortNameBytes = 8;

bool isRepeatForm(uint8_t form)
{
    return form != 0;
}
} // namespace

CTavDbArchive::CTavDbArchive(const CTavDbArchiveConverter& converter) : m_converter(converter) {}

bool CTavDbArchive::IsArchivePath(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("dba") || suffix == QLatin1String("aba") ||
           suffix == QLatin1String("tda") || suffix == QLatin1String("mpa") || suffix == QLatin1String("dat");
}

bool CTavDbArchive::ExtensionAllows(const QString& path, CTavDbArchiveFile::Kind kind)
{
    static const char* const kSuffix[CTavDbArchiveFile::KindCount] = {"dba", "aba", "tda", "mpa"};
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("dat") || suffix == QLatin1String(kSuffix[kind]);
}

TavStatus CTavDbArchive::Check(const QByteArray& head, CTavDbArchiveFile::Kind kind)
{
    CTavDbArchiveFile::Kind found = kind;
    switch (CTavDbArchiveFile::Recognise(head, &found)) {
    case CTavDbArchiveFile::Probe::Newer:
        return TavStatusCode::Unsupported;
    case CTavDbArchiveFile::Probe::Archive:
        return found == kind ? TavStatusCode::Ok : TavStatusCode::WrongKind;
    default:
        return TavStatusCode::NotOurFile;
    }
}

TavStatus CTavDbArchive::ReadFile(const QString& path, QByteArray* bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes)
        return TavStatusCode::FileError;
    *bytes = file.readAll();
    return file.error() == QFileDevice::NoError ? TavStatusCode::Ok : TavStatusCode::FileError;
}

size_t CTavDbArchive::fingerprint(const CTavDbPcRecord& record) const
{
    return qHashMulti(m_converter.Fingerprint(record), record.GetCategoryID(), record.GetIsPrivate());
}

void CTavDbArchive::StartNew(const QString& path)
{
    CTavDbArchiveFile file;
    file.versionTag = CTavDbArchiveFile::kTags[m_converter.Kind()];
    file.fileName = CTavDbText::toCp932(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
    file.nextFree = 1;
    file.resourceId = m_converter.ResourceId();
    file.schema = m_converter.Schema();
    file.fieldsPerRow = uint32_t(file.schema.size());
    m_file = file;
    m_source.clear();
    m_entries.clear();
    m_byUid.clear();
    m_repeatingFirst = true;
}

TavStatus CTavDbArchive::Read(const QByteArray& bytes, int maxRecords, int maxCategories, Loaded* out)
{
    const TavStatus kind = Check(bytes.left(4), m_converter.Kind());
    if (kind != TavStatusCode::Ok)
        return kind;
    CTavDbArchiveReader r(bytes);
    CTavDbArchiveFile file;
    uint32_t count = 0;
    const TavStatus header = file.ReadHeader(r, &count);
    if (header != TavStatusCode::Ok)
        return header;
    // Another program's records under the same tag.
    if (file.schema != m_converter.Schema() || file.recIdPos != 0 || file.recStatusPos != 1 ||
        file.placementPos != 2)
        return TavStatusCode::NotOurFile;
    if (count > uint32_t(maxRecords))
        return TavStatusCode::RecordLimit;

    Loaded loaded;
    loaded.categories.append(CTavDbCategory(0, 0, QStringLiteral("未分類")));
    QSet<uint32_t> categoryIds;
    if (file.categories.size() > maxCategories - 1)
        return TavStatusCode::Corrupt;
    for (const CTavDbArchiveCategory& c : std::as_const(file.categories)) {
        if (c.id == 0 || c.id > 255 || c.id == CTavDbPcRecord::kAllCategories || categoryIds.contains(c.id))
            return TavStatusCode::Corrupt;
        categoryIds.insert(c.id);
        CTavDbCategory category(c.id, int(c.index), CTavDbText::fromCp932(c.longName));
        category.SetDirty(c.dirty != 0);
        loaded.categories.append(category);
    }

    std::vector<Entry> entries;
    entries.reserve(count);
    loaded.records.reserve(count);
    QSet<uint32_t> used;
    used.reserve(qsizetype(count));
    std::vector<size_t> withoutId;
    bool classKnown = false;
    bool plainSeen = false;
    bool repeatingFirst = true;
    CTavDbArchiveRecord rec;
    const int privateField = m_converter.PrivateField();
    const int categoryField = m_converter.CategoryField();
    for (uint32_t i = 0; i < count; ++i) {
        const qsizetype offset = r.pos();
        bool classHeader = false;
        if (!file.ReadRecord(r, rec, classKnown, &classHeader))
            return TavStatusCode::Corrupt;
        classKnown = classKnown || classHeader;
        std::unique_ptr<CTavDbPcRecord> record = m_converter.NewRecord();
        const TavStatus converted = m_converter.ToStore(rec, *record);
        if (converted != TavStatusCode::Ok)
            return converted;
        record->SetPrivate(rec.value(privateField) != 0);
        const auto category = uint32_t(rec.value(categoryField));
        record->SetCategoryID(categoryIds.contains(category) ? category : CTavDbPcRecord::kUnfiled);
        const auto id = uint32_t(rec.value(int(file.recIdPos)));
        if (id >= 1 && id <= CTavDbPcRecord::kMaxUniqueId && !used.contains(id)) {
            record->SetUniqueId(id);
            used.insert(id);
            loaded.lastUniqueId = std::max(loaded.lastUniqueId, id);
        } else {
            withoutId.push_back(i); // made on the desktop, or a duplicate: numbered below
        }
        Entry e;
        e.offset = offset;
        e.length = r.pos() - offset;
        e.form = rec.repeat.tag == 0 ? 0 : classHeader ? 1 : 2;
        if (isRepeatForm(e.form) && plainSeen)
            repeatingFirst = false;
        plainSeen = plainSeen || !isRepeatForm(e.form);
        entries.push_back(e);
        loaded.records.push_back(std::move(record));
    }
    if (r.remaining() != 0)
        return TavStatusCode::Corrupt;
    uint32_t next = loaded.lastUniqueId;
    for (size_t i : withoutId) {
        do
            next = next >= CTavDbPcRecord::kMaxUniqueId ? 1 : next + 1;
        while (used.contains(next));
        used.insert(next);
        loaded.records[i]->SetUniqueId(next);
        loaded.lastUniqueId = std::max(loaded.lastUniqueId, next);
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        entries[i].uid = loaded.records[i]->GetUniqueId();
        entries[i].fingerprint = fingerprint(*loaded.records[i]);
    }

    m_file = std::move(file);
    m_source = bytes;
    m_entries = std::move(entries);
    m_repeatingFirst = repeatingFirst;
    m_byUid.clear();
    m_byUid.reserve(qsizetype(m_entries.size()));
    for (size_t i = 0; i < m_entries.size(); ++i)
        m_byUid.insert(m_entries[i].uid, int(i));
    *out = std::move(loaded);
    return TavStatusCode::Ok;
}

QList<CTavDbArchiveCategory> CTavDbArchive::buildCategories(const QList<CTavDbCategory>& categories,
                                                            uint32_t* nextFree) const
{
    QList<CTavDbArchiveCategory> out;
    for (const CTavDbCategory& c : categories) {
        if (c.GetID() == CTavDbPcRecord::kUnfiled)
            continue;
        const auto old = std::find_if(m_file.categories.cbegin(), m_file.categories.cend(),
                                      [&](const CTavDbArchiveCategory& o) { return o.id == c.GetID(); });
        // Kept as read while the name is the one read, so that a file writes back unchanged.
        if (old != m_file.categories.cend() && CTavDbText::fromCp932(old->longName) == c.GetName()) {
            out.append(*old);
            continue;
        }
        CTavDbArchiveCategory entry;
        if (old != m_file.categories.cend())
            entry = *old;
        entry.index = old != m_file.categories.cend() ? old->index : uint32_t(c.GetIndex());
        entry.id = c.GetID();
        entry.dirty = 1;
        entry.longName = CTavDbText::toCp932(c.GetName());
        entry.shortName = CTavDbText::toCp932(CTavDbText::truncateToBytes(c.GetName(), kShortNameBytes));
        *nextFree = std::max(*nextFree, entry.id + 1);
        out.append(entry);
    }
    return out;
}

CTavDbArchive::Built CTavDbArchive::Build(const CTavDbStoreBase& store) const
{
    Built built;
    built.file = m_file;
    CTavDbArchiveFile& file = built.file;
    m_converter.HeaderFromStore(store, file);
    file.categories = buildCategories(store.GetCategories(), &file.nextFree);

    std::vector<const CTavDbPcRecord*> records;
    records.reserve(store.AllRecords().size());
    for (const auto& rec : store.AllRecords())
        if (!rec->IsDeleted())
            records.push_back(rec.get());
    if (m_repeatingFirst)
        std::stable_partition(records.begin(), records.end(),
                              [this](const CTavDbPcRecord* r) { return m_converter.IsRepeating(*r); });

    CTavDbArchiveWriter w;
    w.reserve(m_source.size() + 4096);
    file.WriteHeader(w, uint32_t(records.size()));
    built.entries.reserve(records.size());
    const int privateField = m_converter.PrivateField();
    const int categoryField = m_converter.CategoryField();
    bool classWritten = false;
    int position = 0;
    CTavDbArchiveRecord base;
    for (const CTavDbPcRecord* rec : records) {
        Entry e;
        e.uid = rec->GetUniqueId();
        e.fingerprint = fingerprint(*rec);
        const bool repeating = m_converter.IsRepeating(*rec);
        e.form = !repeating ? 0 : classWritten ? 2 : 1;
        e.offset = w.buffer().size();
        const auto found = m_byUid.constFind(e.uid);
        const Entry* old = found == m_byUid.cend() ? nullptr : &m_entries[size_t(*found)];
        if (old && old->fingerprint == e.fingerprint && old->form == e.form) {
            w.raw(m_source.constData() + old->offset, old->length);
        } else {
            if (old) {
                CTavDbArchiveReader r(m_source);
                r.seek(old->offset);
                bool header = false;
                file.ReadRecord(r, base, old->form != 1, &header);
                if (old->fingerprint != e.fingerprint) {
                    const int32_t status = base.value(int(file.recStatusPos));
                    if (!(status & 0x01))
                        base.set(int(file.recStatusPos), status | 0x02); // updated since
                }
            } else {
                base = file.EmptyRecord();
                base.set(int(file.recIdPos), int32_t(e.uid));
                base.set(int(file.recStatusPos), 0x01); // added
                base.set(int(file.placementPos), position);
            }
            m_converter.FromStore(*rec, base);
            base.set(privateField, rec->GetIsPrivate() ? 1 : 0);
            base.set(categoryField, int32_t(rec->GetCategoryID()));
            file.WriteRecord(w, base, e.form == 1);
        }
        e.length = w.buffer().size() - e.offset;
        classWritten = classWritten || repeating;
        built.entries.push_back(e);
        ++position;
    }
    built.bytes = std::move(w.buffer());
    return built;
}

void CTavDbArchive::Adopt(Built&& built)
{
    m_file = std::move(built.file);
    m_source = std::move(built.bytes);
    m_entries = std::move(built.entries);
    m_byUid.clear();
    m_byUid.reserve(qsizetype(m_entries.size()));
    for (size_t i = 0; i < m_entries.size(); ++i)
        m_byUid.insert(m_entries[i].uid, int(i));
}
