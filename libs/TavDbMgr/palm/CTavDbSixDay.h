#pragma once

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "CTavDbPalmCode.h"

class CTavDbPalmDatabase;

// The six-day calendar labels of the handheld's six-day databases, read year by year from the
// user's backup folder.
//
// Record 0 is a 392-byte header: the year at offset 280, the label count (at most 6) at 292,
// and from 296 one 16-byte slot per label, its name in code page 932, NUL-terminated unless it
// fills the slot. Each further record is one day of the year in order; its first four bytes
// are the day's entry: the date (16 bits, handheld layout) and the index of its label (16 bits,
// an index past the labels means none).
class CTavDbSixDay final
{
public:
    static constexpr uint32_t Creator = CTavDbPalmCode::Make("SaSd");
    static constexpr uint32_t Type = CTavDbPalmCode::Make("SbWk");
    static constexpr int HeaderSize = 392;
    static constexpr int CountOffset = 292;
    static constexpr int LabelsOffset = 296;
    static constexpr int LabelSize = 16;
    static constexpr int MaxLabels = 6;
    static constexpr int EntrySize = 4;
    static constexpr uint16_t NoLabel = 0xFFFF;

    struct Day
    {
        uint16_t palmDate = 0; // CTavDbPalmDate layout
        uint16_t label = NoLabel;
    };
    struct Year
    {
        QStringList labels;
        QList<Day> days; // day of year - 1
    };

    // The folder is normally CTavDbBackupFolder::Path of the current user.
    explicit CTavDbSixDay(const QString& folder = QString());

    void SetFolder(const QString& folder);
    const QString& GetFolder() const { return m_folder; }
    // Forgets every year read; done by itself after CTavDbBackupFolder::MarkChanged.
    void Reset();

    // Reads the year of the date unless it was looked at before (a year without a file is not
    // searched again until Reset); -1 when no file covers it.
    int LoadYear(const QDate& date);
    // The label of the day; empty when the year has no file or the table has no such day.
    QString GetLabel(const QDate& date);
    // The year's label names; empty when the year has no file.
    QStringList GetLabelNames(int year);

    // Reads a six-day database; false when its layout is not one (a count above 6 included).
    static bool Read(const CTavDbPalmDatabase& database, int* year, Year* table);

private:
    const Year* year(const QDate& date);

    QString m_folder;
    uint64_t m_generation;
    QHash<int, std::optional<Year>> m_years;
};
