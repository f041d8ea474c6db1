#pragma once

#include <QString>

// Drive letters bound to folders, so that "E:\" keeps its meaning. Types as Windows gives them:
// 0 unknown, 1 no root directory, 2 removable, 3 fixed.
class CTavDriveMap
{
public:
    static int GetDriveType(const QString& root);
    static QString FolderOf(const QString& root);
    static void Bind(const QString& root, const QString& folder, int type);
};
