#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <cstdint>

// Writes desktop archive files byte by byte for the tests, apart from the library's writer, so
// that the reader is checked against the layout and not against itself.
namespace ArchiveSample {

constexpr char kDateTag[] = "\x00\x01\x42\x44";
constexpr char kAddrTag[] = "\x00\x01\x42\x41";
constexpr char kTodoTag[] = "\x00\x01\x44\x54";
constexpr char kMemoTag[] = "\x00\x01\x50\x4D";
constexpr int32_t kForever = 0x749E77BF;

inline int32_t at(int y, int m, int d, int h = 0, int min = 0)
{
    return int32_t(QDateTime(QDate(y, m, d), QTime(h, min)).toSecsSinceEpoch());
}

struct Category
{
    uint32_t index;
    uint32_t id;
    QByteArray name;
};

class Bytes
{
public:
    QByteArray out;

    Bytes& l(int32_t v)
    {
        for (int i = 0; i < 4; ++i)
            out.append(char((uint32_t(v) >> (8 * i)) & 0xFF));
        return *this;
    }
    Bytes& s(uint16_t v)
    {
        out.append(char(v & 0xFF)).append(char(v >> 8));
        return *this;
    }
    Bytes& str(const QByteArray& b)
    {
        if (b.size() < 255) {
            out.append(char(b.size()));
        } else {
            out.append('\xFF');
            s(uint16_t(b.size()));
        }
        out.append(b);
        return *this;
    }
    Bytes& integer(int32_t v) { return l(1).l(v); }
    Bytes& date(int32_t v) { return l(3).l(v); }
    Bytes& text(const QByteArray& b) { return l(5).l(0).str(b); }
    Bytes& boolean(bool v) { return l(6).l(v ? 1 : 0); }

    Bytes& header(const char* tag, const QByteArray& table, const QList<Category>& categories,
                  const QList<uint16_t>& schema, int records)
    {
        out.append(tag, 4);
        str("C:\\Palm\\Taro\\file");
        str(table);
        l(200);
        l(int32_t(categories.size()));
        for (const Category& c : categories) {
            l(int32_t(c.index)).l(int32_t(c.id)).l(0);
            str(c.name).str(c.name.left(8));
        }
        l(41).l(int32_t(schema.size())).l(0).l(1).l(2);
        s(uint16_t(schema.size()));
        for (uint16_t t : schema)
            s(t);
        return l(int32_t(records * schema.size()));
    }
};

// The rule of a repeating event; brand 0 for none.
struct Rule
{
    int32_t brand = 0;
    int32_t interval = 1;
    int32_t end = kForever;
    int32_t firstDay = 0;
    int32_t dayIndex = 0;
    uint8_t mask = 0;
    int32_t weekIndex = 0;
    int32_t dayNumber = 0;
    int32_t monthIndex = 0;
};

struct Event
{
    int32_t id;
    int32_t start;
    int32_t end;
    QByteArray desc;
    QByteArray note;
    bool untimed = false;
    bool priv = false;
    int32_t category = 0;
    bool alarm = false;
    int32_t advance = 0;
    int32_t unit = 0;
    QList<int32_t> exceptions;
    Rule rule;
};

inline const QList<uint16_t> kDateSchema = {1, 1, 1, 3, 1, 5, 1, 5, 6, 6, 1, 6, 1, 1, 8};
inline const QList<uint16_t> kAddrSchema = {1, 1, 1, 5, 5, 5, 5, 1, 5, 1, 5, 1, 5, 1, 5,
                                            1, 5, 5, 5, 5, 5, 5, 5, 6, 1, 5, 5, 5, 5, 1};
inline const QList<uint16_t> kTodoSchema = {1, 1, 1, 5, 3, 6, 1, 6, 1, 5};
inline const QList<uint16_t> kMemoSchema = {1, 1, 1, 5, 6, 1};

// The first rule written carries the class name, the later ones refer to it.
inline void event(Bytes& b, const Event& e, bool& classWritten)
{
    b.integer(e.id).integer(1).integer(0).date(e.start).integer(e.end).text(e.desc);
    b.integer((e.end - e.start) / 60).text(e.note).boolean(e.untimed).boolean(e.priv).integer(e.category);
    b.boolean(e.alarm).integer(e.advance).integer(e.unit);
    b.l(8).s(uint16_t(e.exceptions.size()));
    for (int32_t d : e.exceptions)
        b.l(d);
    const Rule& r = e.rule;
    if (r.brand == 0) {
        b.s(0);
        return;
    }
    if (!classWritten)
        b.s(0xFFFF).s(1).s(9).out.append("CDayEvent");
    else
        b.s(0x8001);
    classWritten = true;
    b.l(r.brand).l(r.interval).l(r.end).l(r.firstDay);
    if (r.brand <= 3)
        b.l(r.dayIndex);
    if (r.brand == 2)
        b.out.append(char(r.mask));
    if (r.brand == 3)
        b.l(r.weekIndex);
    if (r.brand == 4 || r.brand == 5)
        b.l(r.dayNumber);
    if (r.brand == 5)
        b.l(r.monthIndex);
}

} // namespace ArchiveSample
