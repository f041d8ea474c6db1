#pragma once

#include <QImage>

#include "sheet/CTavDbFreeCanvasObject.h"
#include "sheet/CTavDbFreeMiscInfoObject.h"
#include "sheet/CTavDbFreePdbObjectManager.h"
#include "sheet/CTavDbHwriteObject.h"
#include "sheet/CTavDbMMContentsObject.h"
#include "sheet/CTavDbSealObject.h"
#include "sheet/CTavDbTextObject.h"
#include "sheet/CTavDbThumbnailObject.h"

// Memo sheets with one object of every kind, for the sheet tests.
namespace SheetTest {

inline QImage solid(QSize size, QColor color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

inline CTavDbHwriteObject* addStroke(CTavDbFreePdbObjectManager& sheet, const QList<QPoint>& points,
                                     int width, QColor color)
{
    auto* stroke = sheet.AddNew<CTavDbHwriteObject>();
    stroke->SetPen(width, color);
    for (const QPoint& p : points)
        stroke->AddPoint(p);
    return stroke;
}

// A new memo sheet at path with a stroke, a text, a seal and a content of each kind.
inline void fillSheet(CTavDbFreePdbObjectManager& sheet, const QString& path)
{
    sheet.Create(path, CTavDbFreePdbObjectManager::TypeSheet);
    sheet.GetCanvas()->SetColor(255, 255, 200, CTavDbFreeCanvasObject::DefaultRect);
    sheet.GetMiscInfo()->SetCategoryId(2);
    // A long jump makes the stroke store an absolute point.
    addStroke(sheet, {{10, 20}, {13, 18}, {300, 200}, {299, 201}}, 2, QColor(200, 0, 0));
    auto* text = sheet.AddNew<CTavDbTextObject>();
    text->SetBox(QRect(40, 60, 120, 40));
    text->SetString(QStringLiteral("会議メモ\n2行目"), QColor(0, 0, 255), 9);
    auto* seal = sheet.AddNew<CTavDbSealObject>();
    seal->SetSeal(QStringLiteral("Seals"), 1003);
    seal->MoveTo(QPoint(200, 10));
    auto* picture = sheet.AddNew<CTavDbMMContentsObject>();
    picture->SetPicture(QStringLiteral("/data/写真.jpg"), solid(QSize(40, 30), QColor(0, 130, 0)),
                        CTavDbMMContentsObject::FlagOnPc);
    auto* movie = sheet.AddNew<CTavDbMMContentsObject>();
    movie->SetMovie(QStringLiteral("E:\\MQ_ROOT\\100MQV01\\M0001.mqv"), solid(QSize(32, 24), Qt::gray));
    sheet.AddNew<CTavDbMMContentsObject>()->SetSound(QStringLiteral("voice.wav"));
    sheet.AddNew<CTavDbMMContentsObject>()->SetQuillo(QStringLiteral("Quillo_1.pdb"),
                                                      solid(QSize(30, 39), Qt::white));
    sheet.SetThumbnail(sheet.CreateThumbnailBitmap(CTavDbFreePdbObjectManager::PageRect, QSize(300, 394)));
}

} // namespace SheetTest
