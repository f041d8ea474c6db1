#include "CTavDbMMContentsObject.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <algorithm>

#include "CTavDbFreeBytes.h"
#include "CTavDbFreePixels.h"

void CTavDbMMContentsObject::set(SubType type, const QString& path, const QImage& thumbnail, uint16_t flags)
{
    m_subType = type;
    m_path = path;
    m_flags = flags;
    m_thumbnail = thumbnail;
    if (!m_thumbnail.isNull() &&
        (m_thumbnail.width() > MaxThumbnailSide || m_thumbnail.height() > MaxThumbnailSide))
        m_thumbnail = m_thumbnail.scaled(MaxThumbnailSide, MaxThumbnailSide, Qt::KeepAspectRatio,
                                         Qt::SmoothTransformation);
    if (!m_thumbnail.isNull())
        m_thumbnail = m_thumbnail.convertToFormat(QImage::Format_RGB32);
    QSize size = m_thumbnail.isNull() ? QSize(64, 48) : m_thumbnail.size();
    if (type == Sound)
        size = QSize(32, 32);
    SetRectRaw(QRect(m_rect.topLeft(), size.expandedTo(MinimumSize())));
    Touch();
}

void CTavDbMMContentsObject::SetPicture(const QString& path, const QImage& thumbnail, uint16_t flags)
{
    set(Picture, path, thumbnail, flags);
}

void CTavDbMMContentsObject::SetMovie(const QString& path, const QImage& thumbnail)
{
    set(Movie, path, thumbnail, 0);
}

void CTavDbMMContentsObject::SetSound(const QString& path)
{
    set(Sound, path, QImage(), 0);
}

void CTavDbMMContentsObject::SetQuillo(const QString& path, const QImage& thumbnail)
{
    set(Sheet, path, thumbnail, 0);
}

QString CTavDbMMContentsObject::FindSourceFile(const QString& folder) const
{
    if (m_path.isEmpty())
        return {};
    if (QFileInfo(m_path).isFile())
        return m_path;
    // Paths written on Windows keep their backslashes.
    QString name = m_path;
    name = name.mid(std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\'))) + 1);
    if (name.isEmpty() || folder.isEmpty())
        return {};
    const QDir dir(folder);
    for (const QString& candidate : {name, name + QStringLiteral(".pdb")}) {
        if (QFileInfo(dir.filePath(candidate)).isFile())
            return dir.filePath(candidate);
    }
    return {};
}

void CTavDbMMContentsObject::DrawObject(QPainter& painter, const CTavDbFreeDrawContext&) const
{
    const QRect r = m_rect;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    if (m_subType == Sound) {
        // A loudspeaker: box and cone.
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(QColor(255, 255, 224));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        painter.setBrush(Qt::black);
        const int cx = r.left() + r.width() / 4, cy = r.center().y(), u = std::max(2, r.height() / 8);
        painter.drawRect(cx, cy - u, u * 2, u * 2);
        painter.drawPolygon(QPolygon({QPoint(cx + u * 2, cy - u), QPoint(cx + u * 4, cy - u * 3),
                                      QPoint(cx + u * 4, cy + u * 3), QPoint(cx + u * 2, cy + u)}));
        return;
    }
    if (!m_thumbnail.isNull())
        painter.drawImage(r, m_thumbnail);
    else
        painter.fillRect(r, QColor(192, 192, 192));
    if (m_subType == Movie) {
        // Film edges along the top and bottom.
        const int band = std::max(3, r.height() / 10);
        painter.fillRect(QRect(r.left(), r.top(), r.width(), band), Qt::black);
        painter.fillRect(QRect(r.left(), r.bottom() + 1 - band, r.width(), band), Qt::black);
        for (int x = r.left() + 2; x + 2 < r.right(); x += 6) {
            painter.fillRect(QRect(x, r.top() + 1, 2, band - 2), Qt::white);
            painter.fillRect(QRect(x, r.bottom() + 2 - band, 2, band - 2), Qt::white);
        }
    }
    painter.setPen(QPen(m_subType == Sheet ? QColor(0, 0, 128) : QColor(96, 96, 96), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
}

void CTavDbMMContentsObject::PackPayload(CTavDbFreeWriter& out) const
{
    out.rect(m_rect);
    out.u8(m_subType);
    out.u8(0);
    out.u16(m_flags);
    // A path read from broken bytes may grow when written as UTF-8 again.
    QByteArray path = m_path.toUtf8();
    for (QString cut = m_path; path.size() > MaxPathBytes; path = cut.toUtf8())
        cut.chop(1);
    out.u16(uint16_t(path.size()));
    out.bytes(path);
    CTavDbFreePixels::Write(m_thumbnail, &out);
}

bool CTavDbMMContentsObject::ParsePayload(CTavDbFreeReader& in)
{
    const QRect rect = in.rect();
    const int type = in.u8();
    in.u8();
    const uint16_t flags = in.u16();
    const int length = in.u16();
    const QByteArrayView path = in.bytes(length);
    QImage thumbnail;
    if (!in.ok() || rect.isEmpty() || type < Picture || type > Sheet || length > MaxPathBytes ||
        !CTavDbFreePixels::Read(&in, &thumbnail))
        return false;
    SetRectRaw(rect);
    m_subType = SubType(type);
    m_flags = flags;
    m_path = QString::fromUtf8(path);
    m_thumbnail = thumbnail;
    return true;
}
