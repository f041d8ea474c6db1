#include "CTavMemoClipboard.h"

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>

namespace {
constexpr quint32 kMagic = 0x4C4D454D; // "LMEM"
constexpr quint16 kVersion = 1;

bool readRecords(const QByteArray& bytes, QList<CTavMemoClipboard::Item>* items, QString* sourceUser)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    quint16 version = 0;
    quint32 count = 0;
    QString user;
    in >> magic >> version >> user >> count;
    if (in.status() != QDataStream::Ok || magic != kMagic || version != kVersion ||
        count > static_cast<quint32>(CTavMemoClipboard::kMaxItems))
        return false;
    QList<CTavMemoClipboard::Item> read;
    read.reserve(count);
    for (quint32 i = 0; i < count; ++i) {
        CTavMemoClipboard::Item item;
        qint32 created = 0;
        qint32 updated = 0;
        in >> item.text >> item.category >> item.isPrivate >> created >> updated;
        if (in.status() != QDataStream::Ok)
            return false;
        item.created = created;
        item.updated = updated;
        read.append(item);
    }
    *items = read;
    if (sourceUser)
        *sourceUser = user;
    return true;
}
} // namespace

QMimeData* CTavMemoClipboard::ToMime(const QList<Item>& items, const QString& sourceUser)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << kMagic << kVersion << sourceUser << static_cast<quint32>(items.size());
    QStringList texts;
    for (const Item& item : items) {
        out << item.text << item.category << item.isPrivate << static_cast<qint32>(item.created)
            << static_cast<qint32>(item.updated);
        texts << item.text;
    }
    auto* mime = new QMimeData;
    mime->setData(kMimeType, bytes);
    mime->setText(texts.join(QStringLiteral("\n\n")));
    return mime;
}

bool CTavMemoClipboard::FromMime(const QMimeData* mime, QList<Item>* items, QString* sourceUser)
{
    items->clear();
    if (!mime)
        return false;
    if (mime->hasFormat(kMimeType) && readRecords(mime->data(kMimeType), items, sourceUser))
        return true;
    if (!mime->hasText() || mime->text().isEmpty())
        return false;
    Item item;
    item.text = mime->text();
    item.text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    items->append(item);
    if (sourceUser)
        sourceUser->clear();
    return true;
}

bool CTavMemoClipboard::CanPaste(const QMimeData* mime)
{
    return mime && (mime->hasFormat(kMimeType) || (mime->hasText() && !mime->text().isEmpty()));
}
