#include "CTavDbPalmDatabase.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>

#include "CTavDbClock.h"
#include "CTavDbFileUtil.h"
#include "CTavDbPalmDate.h"
#include "CTavDbText.h"

namespace {
constexpr qsizetype MaxFileSize = qsizetype(0xFFFFFFFF);

uint16_t be16(const uchar* p)
{
    return qFromBigEndian<uint16_t>(p);
}
uint32_t be32(const uchar* p)
{
    return qFromBigEndian<uint32_t>(p);
}
} // namespace

CTavDbPalmDatabase::CTavDbPalmDatabase()
{
    clear();
}

void CTavDbPalmDatabase::clear()
{
    m_source.clear();
    m_name = QByteArray(NameSize, '\0');
    m_attributes = 0;
    m_version = 0;
    m_created = m_modified = m_backedUp = 0;
    m_modificationNumber = 0;
    m_type = m_creator = 0;
    m_uniqueIdSeed = 0;
    m_gap = QByteArray(2, '\0');
    m_hasAppInfo = m_hasSortInfo = false;
    m_appInfo.clear();
    m_sortInfo.clear();
    m_entries.clear();
    m_error.clear();
    m_highestId = 0;
    m_idCounts.clear();
    m_idCountsValid = false;
}

TavStatus CTavDbPalmDatabase::fail(TavStatus status, const QString& text)
{
    m_error = text;
    return status;
}

TavStatus CTavDbPalmDatabase::Create(const QString& path, uint32_t type, uint32_t creator,
                                     bool resourceDatabase)
{
    if (path.isEmpty())
        return TavStatusCode::InvalidArgument;
    clear();
    m_path = path;
    m_type = type;
    m_creator = creator;
    m_attributes = AttrBackup | (resourceDatabase ? AttrResDB : 0);
    m_created = m_modified = CTavDbPalmDate::TimeToSeconds(static_cast<TavTime>(CTavDbClock::NowSeconds()));
    SetName(CTavDbText::truncateToBytes(QFileInfo(path).completeBaseName(), NameSize - 1));
    return TavStatusCode::Ok;
}

TavStatus CTavDbPalmDatabase::LoadFromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(TavStatusCode::FileError, QStringLiteral("cannot open the file"));
    if (file.size() > MaxFileSize)
        return fail(TavStatusCode::Corrupt, QStringLiteral("the file is larger than 4 GB"));
    const QByteArray bytes = file.readAll();
    if (bytes.size() != file.size())
        return fail(TavStatusCode::FileError, QStringLiteral("cannot read the file"));
    const TavStatus status = LoadFromBytes(bytes);
    if (status == TavStatusCode::Ok)
        m_path = path;
    return status;
}

TavStatus CTavDbPalmDatabase::PeekHeader(const QString& path, uint32_t* type, uint32_t* creator)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return TavStatusCode::FileError;
    const QByteArray header = file.read(HeaderSize);
    if (header.size() < HeaderSize)
        return TavStatusCode::Corrupt;
    const auto* p = reinterpret_cast<const uchar*>(header.constData());
    *type = be32(p + 0x3C);
    *creator = be32(p + 0x40);
    return TavStatusCode::Ok;
}

TavStatus CTavDbPalmDatabase::LoadFromBytes(const QByteArray& bytes)
{
    // Parse into a fresh object so that a broken file leaves this one as it was.
    CTavDbPalmDatabase parsed;
    const TavStatus status = parsed.parse(bytes);
    if (status != TavStatusCode::Ok)
        return fail(status, parsed.m_error);
    parsed.m_path = m_path;
    *this = std::move(parsed);
    return TavStatusCode::Ok;
}

TavStatus CTavDbPalmDatabase::parse(const QByteArray& bytes)
{
    if (bytes.size() < HeaderSize)
        return fail(TavStatusCode::Corrupt, QStringLiteral("the header is truncated"));
    if (bytes.size() > MaxFileSize)
        return fail(TavStatusCode::Corrupt, QStringLiteral("the file is larger than 4 GB"));
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
    m_name = bytes.first(NameSize);
    m_attributes = be16(p + 0x20);
    m_version = be16(p + 0x22);
    m_created = be32(p + 0x24);
    m_modified = be32(p + 0x28);
    m_backedUp = be32(p + 0x2C);
    m_modificationNumber = be32(p + 0x30);
    const uint32_t appInfoOffset = be32(p + 0x34);
    const uint32_t sortInfoOffset = be32(p + 0x38);
    m_type = be32(p + 0x3C);
    m_creator = be32(p + 0x40);
    m_uniqueIdSeed = be32(p + 0x44);
    if (be32(p + 0x48) != 0)
        return fail(TavStatusCode::Corrupt, QStringLiteral("chained record lists are not supported"));

    std::vector<qsizetype> offsets;
    if (const TavStatus status = parseEntries(p, bytes.size(), &offsets); status != TavStatusCode::Ok)
        return status;
    const qsizetype listEnd = HeaderSize + qsizetype(m_entries.size()) * entrySize();

    // Blocks follow each other: gap, app info, sort info, records; each ends where the next
    // one starts, the last at the end of the file.
    std::vector<qsizetype> starts;
    if (appInfoOffset != 0)
        starts.push_back(appInfoOffset);
    if (sortInfoOffset != 0)
        starts.push_back(sortInfoOffset);
    starts.insert(starts.end(), offsets.begin(), offsets.end());
    qsizetype previous = listEnd;
    for (qsizetype start : starts) {
        if (start < previous || start > bytes.size())
            return fail(TavStatusCode::Corrupt,
                        start > bytes.size() ? QStringLiteral("a block starts past the end of the file")
                                             : QStringLiteral("the blocks are out of order"));
        previous = start;
    }
    starts.push_back(bytes.size());
    m_gap = bytes.mid(listEnd, starts.front() - listEnd);
    std::size_t next = 0;
    if (appInfoOffset != 0) {
        m_hasAppInfo = true;
        m_appInfo = bytes.mid(starts[next], starts[next + 1] - starts[next]);
        ++next;
    }
    if (sortInfoOffset != 0) {
        m_hasSortInfo = true;
        m_sortInfo = bytes.mid(starts[next], starts[next + 1] - starts[next]);
        ++next;
    }
    m_source = bytes;
    for (Entry& entry : m_entries) {
        entry.offset = starts[next];
        entry.size = starts[next + 1] - starts[next];
        ++next;
    }
    return TavStatusCode::Ok;
}

TavStatus CTavDbPalmDatabase::parseEntries(const uchar* p, qsizetype fileSize,
                                           std::vector<qsizetype>* offsets)
{
    const int count = be16(p + 0x4C);
    const int size = entrySize();
    if (HeaderSize + qsizetype(count) * size > fileSize)
        return fail(TavStatusCode::Corrupt, QStringLiteral("the record list is longer than the file"));
    m_entries.resize(count);
    offsets->resize(count);
    const uchar* e = p + HeaderSize;
    for (int i = 0; i < count; ++i, e += size) {
        Entry& entry = m_entries[i];
        if (IsResourceDatabase()) {
            entry.type = be32(e);
            entry.id = be16(e + 4);
            (*offsets)[i] = be32(e + 6);
        } else {
            (*offsets)[i] = be32(e);
            entry.attributes = e[4];
            entry.uniqueId = (uint32_t(e[5]) << 16) | (uint32_t(e[6]) << 8) | e[7];
            m_highestId = std::max(m_highestId, entry.uniqueId);
        }
    }
    return TavStatusCode::Ok;
}

QByteArray CTavDbPalmDatabase::ToBytes() const
{
    const qsizetype listEnd = HeaderSize + qsizetype(m_entries.size()) * entrySize();
    qsizetype total = listEnd + m_gap.size() + m_appInfo.size() + m_sortInfo.size();
    for (const Entry& entry : m_entries)
        total += entry.owned ? entry.data.size() : entry.size;
    QByteArray out(total, Qt::Uninitialized);
    auto* p = reinterpret_cast<uchar*>(out.data());
    std::copy(m_name.cbegin(), m_name.cend(), out.begin());
    qToBigEndian<uint16_t>(m_attributes, p + 0x20);
    qToBigEndian<uint16_t>(m_version, p + 0x22);
    qToBigEndian<uint32_t>(m_created, p + 0x24);
    qToBigEndian<uint32_t>(m_modified, p + 0x28);
    qToBigEndian<uint32_t>(m_backedUp, p + 0x2C);
    qToBigEndian<uint32_t>(m_modificationNumber, p + 0x30);
    qsizetype at = listEnd + m_gap.size();
    qToBigEndian<uint32_t>(m_hasAppInfo ? uint32_t(at) : 0, p + 0x34);
    at += m_appInfo.size();
    qToBigEndian<uint32_t>(m_hasSortInfo ? uint32_t(at) : 0, p + 0x38);
    at += m_sortInfo.size();
    qToBigEndian<uint32_t>(m_type, p + 0x3C);
    qToBigEndian<uint32_t>(m_creator, p + 0x40);
    qToBigEndian<uint32_t>(m_uniqueIdSeed, p + 0x44);
    qToBigEndian<uint32_t>(0, p + 0x48);
    qToBigEndian<uint16_t>(uint16_t(m_entries.size()), p + 0x4C);

    uchar* e = p + HeaderSize;
    char* data = out.data() + at;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const Entry& entry = m_entries[i];
        const QByteArrayView bytes = GetRecordView(int(i));
        if (IsResourceDatabase()) {
            qToBigEndian<uint32_t>(entry.type, e);
            qToBigEndian<uint16_t>(entry.id, e + 4);
            qToBigEndian<uint32_t>(uint32_t(at), e + 6);
        } else {
            qToBigEndian<uint32_t>(uint32_t(at), e);
            e[4] = entry.attributes;
            e[5] = uchar(entry.uniqueId >> 16);
            e[6] = uchar(entry.uniqueId >> 8);
            e[7] = uchar(entry.uniqueId);
        }
        e += entrySize();
        data = std::copy(bytes.cbegin(), bytes.cend(), data);
        at += bytes.size();
    }
    char* blocks = out.data() + listEnd;
    blocks = std::copy(m_gap.cbegin(), m_gap.cend(), blocks);
    blocks = std::copy(m_appInfo.cbegin(), m_appInfo.cend(), blocks);
    std::copy(m_sortInfo.cbegin(), m_sortInfo.cend(), blocks);
    return out;
}

TavStatus CTavDbPalmDatabase::SaveToFile(const QString& path) const
{
    if (path.isEmpty())
        return TavStatusCode::InvalidArgument;
    const QByteArray bytes = ToBytes();
    // Every offset must fit the 32-bit fields; the last record may reach the 4 GB mark.
    qsizetype lastStart = bytes.size();
    if (!m_entries.empty())
        lastStart -= GetRecordView(GetRecordCount() - 1).size();
    if (lastStart > MaxFileSize)
        return TavStatusCode::InvalidArgument;
    return CTavDbFileUtil::writeAtomically(path, bytes) ? TavStatusCode::Ok : TavStatusCode::FileError;
}

QString CTavDbPalmDatabase::GetName() const
{
    const qsizetype end = m_name.indexOf('\0');
    return CTavDbText::fromCp932(end < 0 ? m_name : m_name.first(end));
}

TavStatus CTavDbPalmDatabase::SetName(const QString& name)
{
    const QByteArray bytes = CTavDbText::toCp932(name);
    if (bytes.size() > NameSize - 1 || bytes.contains('\0'))
        return TavStatusCode::InvalidArgument;
    if (GetName() == name)
        return TavStatusCode::Ok;
    m_name = bytes;
    m_name.resize(NameSize, '\0');
    return TavStatusCode::Ok;
}

void CTavDbPalmDatabase::SetAttributes(uint16_t attributes)
{
    m_attributes = uint16_t((attributes & ~AttrResDB) | (m_attributes & AttrResDB));
}

void CTavDbPalmDatabase::SetAppInfo(const QByteArray& block)
{
    m_hasAppInfo = true;
    m_appInfo = block;
}

void CTavDbPalmDatabase::RemoveAppInfo()
{
    m_hasAppInfo = false;
    m_appInfo.clear();
}

void CTavDbPalmDatabase::SetSortInfo(const QByteArray& block)
{
    m_hasSortInfo = true;
    m_sortInfo = block;
}

void CTavDbPalmDatabase::RemoveSortInfo()
{
    m_hasSortInfo = false;
    m_sortInfo.clear();
}

bool CTavDbPalmDatabase::HasCategoryInfo() const
{
    CTavDbPalmCategoryInfo info;
    return GetCategoryInfo(&info);
}

bool CTavDbPalmDatabase::GetCategoryInfo(CTavDbPalmCategoryInfo* info) const
{
    return m_hasAppInfo && CTavDbPalmCategoryInfo::Parse(m_appInfo, info);
}

TavStatus CTavDbPalmDatabase::SetCategoryInfo(const CTavDbPalmCategoryInfo& info)
{
    QByteArray block = m_appInfo;
    if (const TavStatus status = info.PackInto(&block); status != TavStatusCode::Ok)
        return status;
    SetAppInfo(block);
    return TavStatusCode::Ok;
}

QList<CTavDbCategory> CTavDbPalmDatabase::GetCategories() const
{
    QList<CTavDbCategory> categories;
    CTavDbPalmCategoryInfo info;
    if (!GetCategoryInfo(&info))
        return categories;
    for (int i = 0; i < CTavDbPalmCategoryInfo::Count; ++i)
        if (!info.names[i].isEmpty())
            categories.append(CTavDbCategory(info.ids[i], i, info.names[i]));
    return categories;
}

uint8_t CTavDbPalmDatabase::GetFreeCategoryUniqueId() const
{
    CTavDbPalmCategoryInfo info;
    if (!GetCategoryInfo(&info))
        info = CTavDbPalmCategoryInfo();
    return info.FreeUniqueId();
}

QByteArrayView CTavDbPalmDatabase::GetRecordView(int index) const
{
    if (!validIndex(index))
        return {};
    const Entry& entry = m_entries[index];
    if (entry.owned)
        return entry.data;
    return QByteArrayView(m_source.constData() + entry.offset, entry.size);
}

uint8_t CTavDbPalmDatabase::GetRecordAttributes(int index) const
{
    return validIndex(index) ? m_entries[index].attributes : 0;
}

uint32_t CTavDbPalmDatabase::GetRecordUniqueId(int index) const
{
    return validIndex(index) ? m_entries[index].uniqueId : 0;
}

int CTavDbPalmDatabase::FindRecordByUniqueId(uint32_t uniqueId) const
{
    if (IsResourceDatabase())
        return -1;
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].uniqueId == uniqueId)
            return int(i);
    return -1;
}

bool CTavDbPalmDatabase::idUsed(uint32_t uniqueId) const
{
    if (!m_idCountsValid) {
        m_idCounts.clear();
        for (const Entry& entry : m_entries)
            ++m_idCounts[entry.uniqueId];
        m_idCountsValid = true;
    }
    return m_idCounts.count(uniqueId) > 0;
}

uint32_t CTavDbPalmDatabase::newUniqueId() const
{
    // Ids of removed records are not given again: the handheld may still know them.
    if (m_highestId < MaxUniqueId)
        return m_highestId + 1;
    for (uint32_t candidate = 1; candidate <= MaxUniqueId; ++candidate)
        if (!idUsed(candidate))
            return candidate;
    return 0;
}

TavStatus CTavDbPalmDatabase::AddRecord(const QByteArray& data, uint8_t attributes, uint32_t* uniqueId)
{
    const uint32_t id = newUniqueId();
    const TavStatus status = InsertRecord(GetRecordCount(), data, attributes, id);
    if (status == TavStatusCode::Ok && uniqueId)
        *uniqueId = id;
    return status;
}

TavStatus CTavDbPalmDatabase::InsertRecord(int index, const QByteArray& data, uint8_t attributes,
                                           uint32_t uniqueId)
{
    if (IsResourceDatabase() || index < 0 || index > GetRecordCount() || uniqueId > MaxUniqueId)
        return TavStatusCode::InvalidArgument;
    if (GetRecordCount() >= MaxEntries)
        return TavStatusCode::RecordLimit;
    if (uniqueId == 0)
        uniqueId = newUniqueId();
    else if (idUsed(uniqueId))
        return TavStatusCode::Duplicate;
    Entry entry;
    entry.attributes = attributes;
    entry.uniqueId = uniqueId;
    entry.data = data;
    entry.owned = true;
    m_entries.insert(m_entries.begin() + index, std::move(entry));
    m_highestId = std::max(m_highestId, uniqueId);
    if (m_idCountsValid)
        ++m_idCounts[uniqueId];
    return TavStatusCode::Ok;
}

TavStatus CTavDbPalmDatabase::SetRecord(int index, const QByteArray& data)
{
    if (!validIndex(index))
        return TavStatusCode::NotFound;
    m_entries[index].data = data;
    m_entries[index].owned = true;
    return TavStatusCode::Ok;
}

TavStatus CTavDbPalmDatabase::SetRecordAttributes(int index, uint8_t attributes)
{
    if (!validIndex(index) || IsResourceDatabase())
        return TavStatusCode::NotFound;
    m_entries[index].attributes = attributes;
    return TavStatusCode::Ok;
}

TavStatus CTavDbPalmDatabase::RemoveRecord(int index)
{
    if (!validIndex(index))
        return TavStatusCode::NotFound;
    if (m_idCountsValid) {
        auto it = m_idCounts.find(m_entries[index].uniqueId);
        if (it != m_idCounts.end() && --it->second == 0)
            m_idCounts.erase(it);
    }
    m_entries.erase(m_entries.begin() + index);
    return TavStatusCode::Ok;
}

TavStatus CTavDbPalmDatabase::RemoveRecordByUniqueId(uint32_t uniqueId)
{
    return RemoveRecord(FindRecordByUniqueId(uniqueId));
}

uint32_t CTavDbPalmDatabase::GetResourceType(int index) const
{
    return validIndex(index) ? m_entries[index].type : 0;
}

uint16_t CTavDbPalmDatabase::GetResourceId(int index) const
{
    return validIndex(index) ? m_entries[index].id : 0;
}

int CTavDbPalmDatabase::FindResource(uint32_t type, uint16_t id) const
{
    if (!IsResourceDatabase())
        return -1;
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].type == type && m_entries[i].id == id)
            return int(i);
    return -1;
}

TavStatus CTavDbPalmDatabase::AddResource(uint32_t type, uint16_t id, const QByteArray& data)
{
    if (!IsResourceDatabase())
        return TavStatusCode::InvalidArgument;
    if (GetRecordCount() >= MaxEntries)
        return TavStatusCode::RecordLimit;
    if (FindResource(type, id) >= 0)
        return TavStatusCode::Duplicate;
    Entry entry;
    entry.type = type;
    entry.id = id;
    entry.data = data;
    entry.owned = true;
    m_entries.push_back(std::move(entry));
    return TavStatusCode::Ok;
}
