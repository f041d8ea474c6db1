#include "CTavDbArchiveFile.h"

#include "CTavDbArchiveReader.h"
#include "CTavDbArchiveWriter.h"

namespace {
bool knownType(uint16_t type)
{
    return type <= CTavDbArchiveField::Repeat && type != CTavDbArchiveField::Alpha;
}

// The fewest bytes a field of the type takes: its type long and its value.
qsizetype minimumBytes(uint16_t type)
{
    switch (type) {
    case CTavDbArchiveField::None:
        return 4;
    case CTavDbArchiveField::String:
        return 9;
    case CTavDbArchiveField::Repeat:
        return 8;
    default:
        return 8;
    }
}
} // namespace

CTavDbArchiveFile::Probe CTavDbArchiveFile::Recognise(const QByteArray& head, Kind* kind)
{
    if (head.size() < 4)
        return Probe::NotArchive;
    const auto* p = reinterpret_cast<const uint8_t*>(head.constData());
    const uint32_t tag =
        uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
    if (tag == kNewerTag)
        return Probe::Newer;
    for (int k = 0; k < KindCount; ++k) {
        if (tag == kTags[k]) {
            if (kind)
                *kind = static_cast<Kind>(k);
            return Probe::Archive;
        }
    }
    return Probe::NotArchive;
}

TavStatus CTavDbArchiveFile::ReadHeader(CTavDbArchiveReader& r, uint32_t* recordCount)
{
    versionTag = r.u32();
    fileName = r.cstring(&fileNameForm);
    tableString = r.cstring(&tableForm);
    nextFree = r.u32();
    const uint32_t count = r.u32();
    // An entry takes at least 14 bytes: three longs and two empty strings.
    if (r.failed() || count > uint32_t(kMaxCategories) || qsizetype(count) * 14 > r.remaining())
        return TavStatusCode::Corrupt;
    categories.clear();
    for (uint32_t i = 0; i < count; ++i) {
        CTavDbArchiveCategory c;
        c.index = r.u32();
        c.id = r.u32();
        c.dirty = r.u32();
        c.longName = r.cstring(&c.longForm);
        c.shortName = r.cstring(&c.shortForm);
        categories.append(c);
    }
    resourceId = r.u32();
    fieldsPerRow = r.u32();
    recIdPos = r.u32();
    recStatusPos = r.u32();
    placementPos = r.u32();
    const uint16_t fieldCount = r.u16();
    if (r.failed() || fieldCount == 0 || fieldCount > kMaxFields || fieldCount != fieldsPerRow ||
        qsizetype(fieldCount) * 2 > r.remaining())
        return TavStatusCode::Corrupt;
    schema.assign(fieldCount, 0);
    qsizetype rowBytes = 0;
    for (uint16_t& type : schema) {
        type = r.u16();
        if (!knownType(type))
            return TavStatusCode::Unsupported;
        rowBytes += minimumBytes(type);
    }
    if (recIdPos >= fieldCount || recStatusPos >= fieldCount || placementPos >= fieldCount)
        return TavStatusCode::Corrupt;
    const uint32_t entries = r.u32();
    if (r.failed() || entries % fieldCount != 0)
        return TavStatusCode::Corrupt;
    const uint32_t records = entries / fieldCount;
    if (qint64(records) * rowBytes > r.remaining())
        return TavStatusCode::Corrupt;
    *recordCount = records;
    return TavStatusCode::Ok;
}

void CTavDbArchiveFile::WriteHeader(CTavDbArchiveWriter& w, uint32_t recordCount) const
{
    w.u32(versionTag);
    w.cstring(fileName, fileNameForm);
    w.cstring(tableString, tableForm);
    w.u32(nextFree);
    w.u32(uint32_t(categories.size()));
    for (const CTavDbArchiveCategory& c : categories) {
        w.u32(c.index);
        w.u32(c.id);
        w.u32(c.dirty);
        w.cstring(c.longName, c.longForm);
        w.cstring(c.shortName, c.shortForm);
    }
    w.u32(resourceId);
    w.u32(fieldsPerRow);
    w.u32(recIdPos);
    w.u32(recStatusPos);
    w.u32(placementPos);
    w.u16(uint16_t(schema.size()));
    for (uint16_t type : schema)
        w.u16(type);
    w.u32(uint32_t(recordCount * schema.size()));
}

bool CTavDbArchiveFile::ReadRecord(CTavDbArchiveReader& r, CTavDbArchiveRecord& rec, bool classKnown,
                                   bool* classHeader)
{
    *classHeader = false;
    rec.fields.resize(schema.size());
    rec.repeat = CTavDbArchiveRepeat();
    for (size_t i = 0; i < schema.size(); ++i) {
        CTavDbArchiveField& f = rec.fields[i];
        const uint32_t type = r.u32();
        if (r.failed() || type != schema[i])
            return false;
        f.type = schema[i];
        switch (f.type) {
        case CTavDbArchiveField::None:
            break;
        case CTavDbArchiveField::String:
            f.value = r.i32();
            f.text = r.cstring(&f.textForm);
            break;
        case CTavDbArchiveField::Repeat: {
            CTavDbArchiveRepeat& rp = rec.repeat;
            const uint16_t exceptions = r.u16();
            if (r.failed() || qsizetype(exceptions) * 4 > r.remaining())
                return false;
            rp.exceptions.resize(exceptions);
            for (int32_t& d : rp.exceptions)
                d = r.i32();
            rp.tag = r.u16();
            if (rp.tag == 0)
                break;
            if (rp.tag == 0xFFFF) {
                if (classKnown)
                    return false; // a class is named once
                classSchema = r.u16();
                const uint16_t nameLength = r.u16();
                className = r.bytes(nameLength);
                *classHeader = true;
            } else if (!classKnown) {
                return false;
            } else {
                classRef = rp.tag;
            }
            rp.brand = r.i32();
            rp.interval = r.i32();
            rp.endDate = r.i32();
            rp.firstDayOfWeek = r.i32();
            if (rp.brand >= 1 && rp.brand <= 3)
                rp.dayIndex = r.i32();
            if (rp.brand == 2)
                rp.daysMask = r.u8();
            if (rp.brand == 3)
                rp.weekIndex = r.i32();
            if (rp.brand == 4 || rp.brand == 5)
                rp.dayNumber = r.i32();
            if (rp.brand == 5)
                rp.monthIndex = r.i32();
            break;
        }
        default:
            f.value = r.i32();
            break;
        }
    }
    return !r.failed();
}

void CTavDbArchiveFile::WriteRecord(CTavDbArchiveWriter& w, const CTavDbArchiveRecord& rec,
                                    bool classHeader) const
{
    for (size_t i = 0; i < schema.size(); ++i) {
        const CTavDbArchiveField& f = rec.fields[i];
        w.u32(schema[i]);
        switch (schema[i]) {
        case CTavDbArchiveField::None:
            break;
        case CTavDbArchiveField::String:
            w.i32(f.value);
            w.cstring(f.text, f.textForm);
            break;
        case CTavDbArchiveField::Repeat: {
            const CTavDbArchiveRepeat& rp = rec.repeat;
            w.u16(uint16_t(rp.exceptions.size()));
            for (int32_t d : rp.exceptions)
                w.i32(d);
            if (rp.tag == 0) {
                w.u16(0);
                break;
            }
            if (classHeader) {
                w.u16(0xFFFF);
                w.u16(classSchema);
                w.u16(uint16_t(className.size()));
                w.raw(className);
            } else {
                w.u16(classRef);
            }
            w.i32(rp.brand);
            w.i32(rp.interval);
            w.i32(rp.endDate);
            w.i32(rp.firstDayOfWeek);
            if (rp.brand >= 1 && rp.brand <= 3)
                w.i32(rp.dayIndex);
            if (rp.brand == 2)
                w.u8(rp.daysMask);
            if (rp.brand == 3)
                w.i32(rp.weekIndex);
            if (rp.brand == 4 || rp.brand == 5)
                w.i32(rp.dayNumber);
            if (rp.brand == 5)
                w.i32(rp.monthIndex);
            break;
        }
        default:
            w.i32(f.value);
            break;
        }
    }
}

CTavDbArchiveRecord CTavDbArchiveFile::EmptyRecord() const
{
    CTavDbArchiveRecord rec;
    rec.fields.resize(schema.size());
    for (size_t i = 0; i < schema.size(); ++i)
        rec.fields[i].type = schema[i];
    return rec;
}
