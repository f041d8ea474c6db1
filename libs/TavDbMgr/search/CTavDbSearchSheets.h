#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <vector>

#include "CTavDbSearchTable.h"

// The titles of the sheet files of one folder (memo sheets or reference sheets), read once per
// file and read again only when a file's time or size changes.
class CTavDbSearchSheets final
{
public:
    explicit CTavDbSearchSheets(uint32_t sheetType) : m_type(sheetType) {}

    // Looks at the folder; true when what it holds differs from the last look (another folder,
    // a file added, removed or changed).
    bool Scan(const QString& folder);
    // The files of the last scan, by file name, each with its title as field 0.
    std::vector<CTavDbSearchTable::Row> Rows() const;

private:
    struct File
    {
        QDateTime modified;
        qint64 size = -1;
        QString title;
        bool isSheet = false; // of the folder's type, and readable
    };

    uint32_t m_type;
    QString m_folder;
    QHash<QString, File> m_files; // by path
};
