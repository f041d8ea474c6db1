#pragma once

#include <QImage>
#include <QString>
#include <memory>

class CTavDbFreePdbObjectManager;

// One reference sheet of the folder: its file, the title of its database and its objects.
struct CTavReferEntry
{
    QString path;
    QString title;
    QImage thumbnail;
    std::shared_ptr<CTavDbFreePdbObjectManager> sheet;
};
