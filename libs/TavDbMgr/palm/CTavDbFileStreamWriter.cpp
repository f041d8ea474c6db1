#include "CTavDbFileStreamWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include "CTavDbClock.h"
#include "CTavDbPalmDatabase.h"
#include "CTavDbPalmDate.h"
#include "CTavDbText.h"

namespace {
QByteArray appInfoBlock(const QByteArray& name, uint32_t created)
{
    QByteArray block(CTavDbFileStreamWriter::AppInfoSize, '\0');
    auto* p = reinterpret_cast<uchar*>(block.data());
    qToBigEndian<uint32_t>(CTavDbFileStreamWriter::MediaCreator, p);
    qToBigEndian<uint32_t>(CTavDbFileStreamWriter::AppInfoVersion, p + 4);
    qToBigEndian<uint32_t>(created, p + 8);
    const QByteArray text =
        name.left(CTavDbFileStreamWriter::AppInfoSize - CTavDbFileStreamWriter::AppInfoNameOffset - 1);
    std::copy(text.cbegin(), text.cend(), block.begin() + CTavDbFileStreamWriter::AppInfoNameOffset);
    return block;
}
} // namespace

CTavDbFileStreamWriter::Kind CTavDbFileStreamWriter::KindForFile(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return Kind::Picture;
    if (suffix == QLatin1String("wav"))
        return Kind::Sound;
    return Kind::PlainStream;
}

TavStatus CTavDbFileStreamWriter::Build(const QByteArray& content, const QString& fileName, Kind kind,
                                        CTavDbPalmDatabase* database)
{
    const qsizetype blocks = (content.size() + BlockSize - 1) / BlockSize;
    if (blocks > CTavDbPalmDatabase::MaxEntries)
        return TavStatusCode::RecordLimit;
    const QFileInfo file(fileName);
    const bool plain = kind == Kind::PlainStream;
    const QString name = plain ? file.completeBaseName() : file.fileName();
    const uint32_t now = CTavDbPalmDate::TimeToSeconds(static_cast<TavTime>(CTavDbClock::NowSeconds()));

    CTavDbPalmDatabase db;
    db.SetName(CTavDbText::truncateToBytes(name, CTavDbPalmDatabase::NameSize - 1));
    db.SetAttributes(Attributes);
    db.SetVersion(1);
    db.SetCreationDateRaw(now);
    db.SetModificationDateRaw(now);
    switch (kind) {
    case Kind::Picture:
        db.SetType(CTavDbPalmCode::Make(".jpg"));
        break;
    case Kind::Sound:
        db.SetType(CTavDbPalmCode::Make(".wav"));
        break;
    case Kind::PlainStream:
        db.SetType(CTavDbPalmCode::Make("strm"));
        break;
    }
    db.SetCreator(plain ? CTavDbPalmCode::Make("addr") : MediaCreator);
    if (!plain)
        db.SetAppInfo(appInfoBlock(CTavDbText::toCp932(file.fileName()), now));
    for (qsizetype i = 0; i < blocks; ++i) {
        const QByteArray data = content.mid(i * BlockSize, BlockSize);
        QByteArray record(BlockHeaderSize, Qt::Uninitialized);
        qToBigEndian<uint32_t>(BlockTag, record.data());
        qToBigEndian<uint32_t>(uint32_t(data.size()), record.data() + 4);
        record += data;
        if (const TavStatus status = db.InsertRecord(int(i), record, RecordAttributes, uint32_t(i + 1));
            status != TavStatusCode::Ok)
            return status;
    }
    *database = std::move(db);
    return TavStatusCode::Ok;
}

TavStatus CTavDbFileStreamWriter::Write(const QString& sourcePath, const QString& outputPath, Kind kind)
{
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly))
        return TavStatusCode::FileError;
    const QByteArray content = source.readAll();
    if (content.size() != source.size())
        return TavStatusCode::FileError;
    CTavDbPalmDatabase database;
    if (const TavStatus status = Build(content, sourcePath, kind, &database); status != TavStatusCode::Ok)
        return status;
    return database.SaveToFile(outputPath);
}

TavStatus CTavDbFileStreamWriter::ReadContent(const CTavDbPalmDatabase& database, QByteArray* content)
{
    if (!(database.GetAttributes() & CTavDbPalmDatabase::AttrStream) || database.IsResourceDatabase())
        return TavStatusCode::NotOurFile;
    QByteArray out;
    for (int i = 0; i < database.GetRecordCount(); ++i) {
        const QByteArrayView record = database.GetRecordView(i);
        if (record.size() < BlockHeaderSize || qFromBigEndian<uint32_t>(record.data()) != BlockTag)
            return TavStatusCode::Corrupt;
        const uint32_t size = qFromBigEndian<uint32_t>(record.data() + 4);
        if (size > uint32_t(record.size() - BlockHeaderSize))
            return TavStatusCode::Corrupt;
        out.append(record.sliced(BlockHeaderSize, size));
    }
    *content = out;
    return TavStatusCode::Ok;
}
