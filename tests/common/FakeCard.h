#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QString>
#include <QStringList>

#include "DibImage.h"
#include "JpegCodec.h"
#include "TestDataDir.h"

// A memory card laid out in a folder: small real pictures where the card keeps pictures, a
// sound, a movie, and the folders and files a reader must pass over.
namespace FakeCard {

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    return TestDataDir::WriteFile(path, bytes);
}

inline bool writeJpeg(const QString& path, QColor colour, QSize size = QSize(320, 240))
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return JpegCodec().saveFile(DibImage::fromImage(image), path) == MediaStatusCode::Ok;
}

// The card files, relative to the card's root, that a reader lists, in its order.
inline QStringList listed()
{
    return {QStringLiteral("PALM/IMAGES/a.jpg"),
            QStringLiteral("PALM/IMAGES/B.JPEG"),
            QStringLiteral("DCIM/100FKDCF/BROKEN.JPG"),
            QStringLiteral("DCIM/100FKDCF/P1000001.JPG"),
            QStringLiteral("DCIM/101fkdcf/p1010001.jpg"),
            QStringLiteral("DCIM/999FKDCF/LAST.Jpg"),
            QStringLiteral("PALM/PROGRAMS/FKSOUND/VOICE.WAV"),
            QStringLiteral("MQ_ROOT/100MQV01/CLIP.MQV")};
}

// Lays the card out below root; false when a file could not be written.
inline bool make(const QString& root)
{
    const QDir dir(root);
    bool ok =
        writeJpeg(dir.filePath("PALM/IMAGES/a.jpg"), Qt::red) &&
        writeJpeg(dir.filePath("PALM/IMAGES/B.JPEG"), Qt::green) &&
        writeJpeg(dir.filePath("DCIM/100FKDCF/P1000001.JPG"), Qt::blue, QSize(640, 480)) &&
        writeJpeg(dir.filePath("DCIM/101fkdcf/p1010001.jpg"), Qt::yellow) &&
        writeJpeg(dir.filePath("DCIM/999FKDCF/LAST.Jpg"), Qt::cyan) &&
        writeFile(dir.filePath("DCIM/100FKDCF/BROKEN.JPG"), QByteArray::fromHex("FFD8FFE0") + " cut short") &&
        writeFile(dir.filePath("PALM/PROGRAMS/FKSOUND/VOICE.WAV"), QByteArray(8193, 'w')) &&
        writeFile(dir.filePath("MQ_ROOT/100MQV01/CLIP.MQV"), QByteArray(100, 'm'));
    // Passed over: folders that are not DCF folders, other extensions, other folders.
    for (const char* name :
         {"DCIM/099FKDCF/x.jpg", "DCIM/10FKDCF/x.jpg", "DCIM/1000FKDCF/x.jpg", "DCIM/1A0FKDCF/x.jpg",
          "DCIM/100CANON/x.jpg", "DCIM/x.jpg", "PALM/IMAGES/notes.txt", "PALM/PROGRAMS/FKSOUND/tune.mp3",
          "MQ_ROOT/101MQV01/other.mqv", "PALM/x.jpg"})
        ok = ok && writeFile(dir.filePath(QString::fromLatin1(name)), "x");
    return ok;
}
} // namespace FakeCard
