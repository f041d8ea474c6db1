#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// The log of past HotSyncs, "HotSync/HotSyncLog.txt" of the machine-wide settings folder: one
// line per event, the time in ISO form, a tab, the text. Only the newest entries are kept.
class HsLogFile final
{
public:
    struct Entry
    {
        QDateTime time;
        QString text;
    };
    static constexpr int kMaxEntries = 500;

    static QString filePath();
    // Oldest first; lines that are not entries are skipped.
    static QList<Entry> read();
    // Adds an entry stamped with the program's clock; false when the file cannot be written.
    static bool append(const QString& text);
    static bool clear();
};
