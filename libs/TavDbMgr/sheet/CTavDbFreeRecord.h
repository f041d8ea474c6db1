#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QPoint>
#include <QRect>
#include <cstdint>

class CTavDbFreeReader;
class CTavDbFreeWriter;
class CTavDbFreePrcObjectManager;
class QPainter;

// What drawing needs besides the painter: the resource store the seals come from.
struct CTavDbFreeDrawContext
{
    CTavDbFreePrcObjectManager* resources = nullptr;
};

// One record of a memo sheet. Every record starts with its kind and layout version (one byte
// each); what follows belongs to the kind (docs/sheet-format.md). A record that was read and
// not changed since is written back with the very bytes it came with, so a sheet saved
// unchanged stays byte-identical, fields of a newer layout included.
class CTavDbFreeRecord
{
public:
    enum Kind : uint8_t
    {
        KindThumbnail = 1,
        KindMiscInfo = 2,
        KindCanvas = 3,
        KindHwrite = 4,
        KindText = 5,
        KindSeal = 6,
        KindContents = 7,
    };
    enum Flag : uint32_t
    {
        FlagMoving = 0x02,
        FlagResizing = 0x08,
        FlagSelected = 0x40,
    };
    static constexpr int HeaderSize = 2;
    // The side of the square resize handle on the bottom-right corner of a selected object.
    static constexpr int HandleSize = 7;

    explicit CTavDbFreeRecord(Kind kind) : m_kind(kind) {}
    virtual ~CTavDbFreeRecord();
    CTavDbFreeRecord(const CTavDbFreeRecord&) = delete;
    CTavDbFreeRecord& operator=(const CTavDbFreeRecord&) = delete;

    Kind GetKind() const { return m_kind; }
    // The layout version the record was read with (the current one for new records).
    int GetVersion() const { return m_version; }

    // Editing state only; never stored.
    uint32_t GetRecordFlag() const { return m_flags; }
    void AddRecordFlag(uint32_t flags) { m_flags |= flags; }
    void DeleteRecordFlag(uint32_t flags) { m_flags &= ~flags; }
    bool IsSelected() const { return (m_flags & FlagSelected) != 0; }

    // The handheld database's attribute byte and unique id of the record (0 for a new one).
    uint8_t GetAttributes() const { return m_attributes; }
    uint32_t GetUniqueId() const { return m_uniqueId; }
    void SetDatabaseEntry(uint8_t attributes, uint32_t uniqueId);

    // True for what lies on the page (strokes, text, seals, contents); false for the sheet's
    // thumbnail, misc-info and canvas records.
    virtual bool IsPageObject() const { return false; }
    virtual QRect GetRect() const { return m_rect; }
    virtual void Offset(int dx, int dy);
    virtual bool IsResizable() const { return false; }
    virtual QSize MinimumSize() const { return QSize(1, 1); }
    // Moves the right and bottom edges; the size never falls below MinimumSize.
    void ResizeBy(int dx, int dy);
    // Empty unless the object is selected and resizable.
    QRect ResizeHandle() const;
    virtual bool HitTest(const QPoint& p) const { return GetRect().contains(p); }
    // Draws in canvas coordinates, with the selection frame and handle when selected.
    void Draw(QPainter& painter, const CTavDbFreeDrawContext& context) const;

    // The record's bytes: as read while unchanged, otherwise in the current layout.
    QByteArray ToBytes() const;
    // Reads a record of this kind; false when it is cut short or its values cannot be.
    bool Parse(QByteArrayView data);
    // The kind named by a record's first byte, 0 when there is none.
    static int PeekKind(QByteArrayView data) { return data.isEmpty() ? 0 : uint8_t(data[0]); }

protected:
    virtual void PackPayload(CTavDbFreeWriter& out) const = 0;
    virtual bool ParsePayload(CTavDbFreeReader& in) = 0;
    virtual void DrawObject(QPainter&, const CTavDbFreeDrawContext&) const {}
    // Every change goes through here: the record is then written in the current layout.
    void Touch() { m_raw.clear(); }
    void SetRectRaw(const QRect& rect) { m_rect = rect; }

    QRect m_rect;

private:
    Kind m_kind;
    int m_version = 1;
    uint32_t m_flags = 0;
    uint8_t m_attributes = 0;
    uint32_t m_uniqueId = 0;
    QByteArray m_raw;
};
