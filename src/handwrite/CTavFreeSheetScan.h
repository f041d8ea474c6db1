#pragma once

#include <QStringList>
#include <functional>
#include <vector>

#include "CTavFreeSheetEntry.h"

// Reads the memo sheets of a folder: every "*.pdb" file of creator 'SlNm' and type 'DATA'
// with at least one object, in file-name order. Files of other kinds are skipped quietly;
// damaged sheets are listed as far as they are whole and their problems reported.
class CTavFreeSheetScan final
{
public:
    // Whether a sheet of this category id is listed.
    using Filter = std::function<bool(int categoryId)>;

    static void Folder(const QString& folder, bool inPastFolder, const Filter& filter,
                       std::vector<CTavFreeSheetEntry>* entries, QStringList* problems,
                       bool withThumbnails = true);
    // The entry of one file; false when it is no memo sheet.
    static bool Read(const QString& path, CTavFreeSheetEntry* entry, QStringList* problems = nullptr,
                     bool withThumbnail = true);
};
