#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <array>
#include <cstdint>

// The modules a search looks through, numbered as the program's module switch numbers them.
namespace TavSearchModule {
constexpr int Schedule = 1;
constexpr int Address = 2;
constexpr int Todo = 3;
constexpr int FreeMemo = 4;
constexpr int MemoPad = 5;
constexpr int Reference = 6;
constexpr int First = Schedule;
constexpr int Last = Reference;
} // namespace TavSearchModule

// One record that holds the searched text: where it is, what it is called, and the first
// field that holds the text with the matched range in that field's own text.
struct CTavDbSearchHit
{
    int module = 0;
    uint32_t recordId = 0; // unique id in the module's store; 0 for files
    QString filePath;      // memo sheets and reference sheets
    QString title;         // the record as lists name it
    QDate date;            // events: the (first) day
    int field = 0;         // CTavDbSearchFields numbering of the module
    QString fieldName;     // the field as the module's windows label it
    QString text;          // the field's text
    int start = 0;         // the matched range of text, in UTF-16 units
    int length = 0;
};

// What a search found, module by module in module order; counts hold every matching record,
// also those left out of hits by a limit.
struct CTavDbSearchResult
{
    QList<CTavDbSearchHit> hits;
    std::array<int, TavSearchModule::Last + 1> counts{};

    int Total() const
    {
        int total = 0;
        for (int n : counts)
            total += n;
        return total;
    }
};
