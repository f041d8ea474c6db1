#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include "sheet/CTavDbFreeMiscInfoObject.h"
#include "sheet/CTavDbFreePdbObjectManager.h"
#include "sheet/CTavDbHwriteObject.h"
#include "sheet/CTavDbMMContentsObject.h"

// Sheet files as the handheld or the editor leaves them, for the window tests.
namespace TestSheets {

// A sheet of the type at path with a diagonal stroke in colour; the database name is title
// (reference sheets show it), the misc-info title too. True when written.
inline bool write(const QString& path, uint32_t type, const QString& title, QColor colour = Qt::darkBlue,
                  const QString& picture = QString())
{
    CTavDbFreePdbObjectManager sheet;
    if (sheet.Create(path, type) != TavStatusCode::Ok)
        return false;
    sheet.GetDatabase().SetName(title);
    sheet.SetQuilloTitle(title);
    auto* stroke = sheet.AddNew<CTavDbHwriteObject>();
    stroke->SetPen(4, colour);
    for (const QPoint& p : {QPoint(20, 20), QPoint(150, 200), QPoint(280, 370)})
        stroke->AddPoint(p);
    if (!picture.isEmpty()) {
        QImage thumb(40, 30, QImage::Format_RGB32);
        thumb.fill(Qt::darkGreen);
        auto* content = sheet.AddNew<CTavDbMMContentsObject>();
        content->SetPicture(picture, thumb, CTavDbMMContentsObject::FlagOnPc);
        content->Offset(100, 40);
    }
    if (type == CTavDbFreePdbObjectManager::TypeSheet)
        sheet.SetThumbnail(
            sheet.CreateThumbnailBitmap(CTavDbFreePdbObjectManager::PageRect, QSize(300, 394)));
    return sheet.SaveAsFile(path, true) == TavStatusCode::Ok;
}

} // namespace TestSheets
