#include "CTavDbFreePdbSalvage.h"

#include <QtEndian>
#include <algorithm>
#include <vector>

#include "CTavDbPalmDatabase.h"
#include "CTavDbText.h"

namespace {
uint16_t be16(const QByteArray& b, qsizetype at)
{
    return qFromBigEndian<uint16_t>(b.constData() + at);
}
uint32_t be32(const QByteArray& b, qsizetype at)
{
    return qFromBigEndian<uint32_t>(b.constData() + at);
}

struct Entry
{
    int index = 0;
    qsizetype offset = 0;
    qsizetype end = 0;
    uint8_t attributes = 0;
    uint32_t uniqueId = 0;
};
} // namespace

bool CTavDbFreePdbSalvage::Salvage(const QByteArray& bytes, CTavDbPalmDatabase* db, int* lost)
{
    constexpr int H = CTavDbPalmDatabase::HeaderSize;
    constexpr int E = CTavDbPalmDatabase::RecordEntrySize;
    *lost = 0;
    if (bytes.size() < H + E || (be16(bytes, 0x20) & CTavDbPalmDatabase::AttrResDB))
        return false;
    const int declared = be16(bytes, 0x4C);
    const int listed = int(std::min<qsizetype>(declared, (bytes.size() - H) / E));
    const qsizetype listEnd = H + qsizetype(declared) * E;
    std::vector<Entry> entries;
    for (int i = 0; i < listed; ++i) {
        const qsizetype at = H + qsizetype(i) * E;
        Entry e;
        e.index = i;
        e.offset = be32(bytes, at);
        e.attributes = uint8_t(bytes[at + 4]);
        e.uniqueId = be32(bytes, at + 4) & 0xFFFFFF;
        if (e.offset >= listEnd && e.offset < bytes.size())
            entries.push_back(e);
    }
    std::vector<Entry> byOffset = entries;
    std::stable_sort(byOffset.begin(), byOffset.end(),
                     [](const Entry& a, const Entry& b) { return a.offset < b.offset; });
    for (size_t i = 0; i < byOffset.size(); ++i) {
        qsizetype end = bytes.size();
        for (size_t j = i + 1; j < byOffset.size(); ++j) {
            if (byOffset[j].offset > byOffset[i].offset) {
                end = byOffset[j].offset;
                break;
            }
        }
        byOffset[i].end = end;
    }
    std::sort(byOffset.begin(), byOffset.end(),
              [](const Entry& a, const Entry& b) { return a.index < b.index; });

    CTavDbPalmDatabase out;
    out.Create(QStringLiteral("salvaged.pdb"), be32(bytes, 0x3C), be32(bytes, 0x40));
    QByteArray name = bytes.first(CTavDbPalmDatabase::NameSize);
    if (const qsizetype nul = name.indexOf('\0'); nul >= 0)
        name.truncate(nul);
    out.SetName(CTavDbText::fromCp932(name));
    out.SetAttributes(be16(bytes, 0x20) & ~CTavDbPalmDatabase::AttrOpen);
    out.SetVersion(be16(bytes, 0x22));
    out.SetCreationDateRaw(be32(bytes, 0x24));
    out.SetModificationDateRaw(be32(bytes, 0x28));
    out.SetBackupDateRaw(be32(bytes, 0x2C));
    out.SetModificationNumber(be32(bytes, 0x30));
    out.SetUniqueIdSeed(be32(bytes, 0x44));
    if (const qsizetype app = be32(bytes, 0x34); app >= listEnd && app < bytes.size()) {
        qsizetype end = bytes.size();
        for (const Entry& e : byOffset) {
            if (e.offset > app)
                end = std::min(end, e.offset);
        }
        out.SetAppInfo(bytes.mid(app, end - app));
    }
    for (const Entry& e : byOffset) {
        const QByteArray data = bytes.mid(e.offset, e.end - e.offset);
        if (out.InsertRecord(out.GetRecordCount(), data, e.attributes, e.uniqueId) != 0)
            out.InsertRecord(out.GetRecordCount(), data, e.attributes, 0);
    }
    *lost = declared - out.GetRecordCount();
    *db = std::move(out);
    return true;
}
