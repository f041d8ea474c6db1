#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include "CTavDbHolidays.h"

// A national holiday list as the government publishes it: a CSV file in code page 932 with a
// date ("2024/2/12") and a name per line, under a title line. It overrides the computed
// holidays of every year it names. The user's copy is kept in the user's folder beside the
// settings file.
class CTavDbHolidayImport final
{
public:
    static constexpr const char* FileName = "ImportedHolidays.csv";

    // Reads a list; false with a message naming the file (and the line) when it is not one.
    bool Load(const QString& path, QString* error);
    bool Parse(const QByteArray& bytes, const QString& fileName, QString* error);
    void Clear();

    bool Covers(int year) const { return m_years.contains(year); }
    // The years named, in order, and the holidays of one, in date order.
    QList<int> Years() const;
    QList<CTavDbHolidays::Holiday> Year(int year) const { return m_years.value(year); }
    int Count() const;

    // The user's copy in the user's folder (ending in '/'); empty without a folder.
    static QString PathIn(const QString& userFolder);
    // The user's folder above the backup folder the handheld's databases are read from.
    static QString UserFolderOf(const QString& backupFolder);
    // Checks the file and keeps a copy of it (written atomically) as the user's list;
    // false with the message and nothing changed when it is not a list or cannot be kept.
    static bool Import(const QString& source, const QString& userFolder, CTavDbHolidayImport* list,
                       QString* error);

private:
    QHash<int, QList<CTavDbHolidays::Holiday>> m_years;
};
