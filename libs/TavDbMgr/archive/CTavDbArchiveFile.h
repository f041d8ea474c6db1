#pragma once

#include <QByteArray>
#include <QList>
#include <cstdint>
#include <vector>

#include "TavStatus.h"

class CTavDbArchiveReader;
class CTavDbArchiveWriter;

// One category entry of a desktop data file (the unfiled category is not stored).
struct CTavDbArchiveCategory
{
    uint32_t index = 0;
    uint32_t id = 0;
    uint32_t dirty = 0;
    QByteArray longName;
    QByteArray shortName;
    uint8_t longForm = 0;
    uint8_t shortForm = 0;
};

// The repeat-event field of a schedule record: exception dates and, when tag is not 0, the rule.
struct CTavDbArchiveRepeat
{
    std::vector<int32_t> exceptions;
    uint16_t tag = 0; // 0 no rule, 0xFFFF class header before the rule, else a class reference
    int32_t brand = 0;
    int32_t interval = 0;
    int32_t endDate = 0;
    int32_t firstDayOfWeek = 0;
    int32_t dayIndex = 0;
    uint8_t daysMask = 0;
    int32_t weekIndex = 0;
    int32_t dayNumber = 0;
    int32_t monthIndex = 0;
};

struct CTavDbArchiveField
{
    enum Type : uint16_t
    {
        None = 0,
        Integer = 1,
        Float = 2,
        Date = 3,
        Alpha = 4,
        String = 5,
        Boolean = 6,
        BitFlag = 7,
        Repeat = 8,
    };
    uint16_t type = None;
    int32_t value = 0; // integer, float bits, date, boolean, bit flags; a string's padding long
    QByteArray text;
    uint8_t textForm = 0;
};

struct CTavDbArchiveRecord
{
    std::vector<CTavDbArchiveField> fields;
    CTavDbArchiveRepeat repeat; // of the repeat-event field, when the schema has one

    int32_t value(int i) const { return fields[size_t(i)].value; }
    const QByteArray& text(int i) const { return fields[size_t(i)].text; }
    void set(int i, int32_t v) { fields[size_t(i)].value = v; }
    void setText(int i, const QByteArray& t) { fields[size_t(i)].text = t; }
};

// The layout of the desktop organizer's data and archive files: a header with the file name,
// a table string, the categories and a field schema, then every record as typed fields.
// Little-endian throughout. Everything the file holds is kept, so that it writes back the same.
class CTavDbArchiveFile final
{
public:
    enum Kind : int
    {
        KindDate,
        KindAddr,
        KindTodo,
        KindMemo,
        KindCount
    };
    // The version tags as read little-endian from the first four bytes.
    static constexpr uint32_t kTags[KindCount] = {0x44420100, 0x41420100, 0x54440100, 0x4D500100};
    // Later desktop versions start their files with this; their layout is not known.
    static constexpr uint32_t kNewerTag = 0xBEBAFECA;
    // The date field's "no date" and "repeat forever".
    static constexpr int32_t kNoDate = 0x749E77BF;
    static constexpr int kMaxCategories = 255;
    static constexpr int kMaxFields = 256;

    enum class Probe
    {
        NotArchive, // not this layout at all
        Archive,    // a data file of some kind (see kind)
        Newer,      // the later undocumented layout
    };
    // What the first bytes say.
    static Probe Recognise(const QByteArray& head, Kind* kind = nullptr);

    uint32_t versionTag = 0;
    QByteArray fileName;
    uint8_t fileNameForm = 0;
    QByteArray tableString;
    uint8_t tableForm = 0;
    uint32_t nextFree = 0;
    QList<CTavDbArchiveCategory> categories;
    uint32_t resourceId = 0;
    uint32_t fieldsPerRow = 0;
    uint32_t recIdPos = 0;
    uint32_t recStatusPos = 1;
    uint32_t placementPos = 2;
    std::vector<uint16_t> schema;
    // The class of the repeat-event objects: written once before the first rule, referred to after.
    uint16_t classSchema = 1;
    QByteArray className = "CRepeatEvent";
    uint16_t classRef = 0x8001;

    // Reads the header and leaves the reader at the first record. Corrupt when a count or
    // length does not fit the file, Unsupported for field types the layout does not define.
    TavStatus ReadHeader(CTavDbArchiveReader& r, uint32_t* recordCount);
    void WriteHeader(CTavDbArchiveWriter& w, uint32_t recordCount) const;
    // One record by the schema; false when it is cut short or a field's type is not the schema's.
    // classHeader tells whether the rule came with the class header: it comes once, before any
    // reference, so a header when classKnown and a reference without are refused.
    bool ReadRecord(CTavDbArchiveReader& r, CTavDbArchiveRecord& rec, bool classKnown, bool* classHeader);
    void WriteRecord(CTavDbArchiveWriter& w, const CTavDbArchiveRecord& rec, bool classHeader) const;
    // A record of empty fields of the schema's types.
    CTavDbArchiveRecord EmptyRecord() const;
};
