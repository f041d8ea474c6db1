#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class QWidget;
class CTavDbAddrRecord;

// The picture chooser of a card: the user picks a picture file, and a small JPEG of it becomes
// the card's thumbnail (through "_tavAddrTemp.jpg" in the temporary folder).
class CTavAddrThumbChooser final
{
public:
    static constexpr int kThumbSize = 96;
    static inline const QString kTempName = QStringLiteral("_tavAddrTemp.jpg");
    static inline const QString kFilter =
        QStringLiteral("画像ファイル(*.jpg;*.jpeg;*.png;*.bmp)|*.jpg;*.jpeg;*.png;*.bmp||");

    // False when the user cancelled or the picture could not be read (the user was told).
    static bool Choose(QWidget* parent, CTavDbAddrRecord& card);
    // Makes the picture file the card's thumbnail; false (the user was told, the card is
    // unchanged) when it is no picture or the thumbnail cannot be written.
    static bool UsePicture(QWidget* parent, const QString& path, CTavDbAddrRecord& card);
    // The picture upright, fitted into kThumbSize square (never enlarged), on white where it
    // is transparent; null when the file is no picture this program reads.
    static QImage MakeThumbnail(const QString& path);
};
