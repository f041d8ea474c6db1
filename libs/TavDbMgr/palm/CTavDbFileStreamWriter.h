#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

#include "CTavDbPalmCode.h"
#include "CTavDbTime.h"
#include "TavStatus.h"

class CTavDbPalmDatabase;

// Wraps a file (a picture or a sound pasted on a memo sheet) into a handheld file-stream
// database so that it can travel to the handheld: the file's bytes cut into records of 4,096
// bytes, each behind an 8-byte block header ("DBLK" and the block's data size, 32 bits
// big-endian). Pictures and sounds carry a 256-byte app info block with the file's name; the
// plain stream variant has none and leaves the extension off the database name.
class CTavDbFileStreamWriter final
{
public:
    enum class Kind
    {
        Picture,
        Sound,
        PlainStream
    };

    static constexpr int BlockSize = 4096;
    static constexpr int BlockHeaderSize = 8;
    static constexpr int AppInfoSize = 256;
    static constexpr int AppInfoNameOffset = 16;
    static constexpr uint16_t Attributes = 0x0088; // backup and stream
    static constexpr uint8_t RecordAttributes = 0x40;
    static constexpr uint32_t BlockTag = CTavDbPalmCode::Make("DBLK");
    static constexpr uint32_t MediaCreator = CTavDbPalmCode::Make("FLDB");
    static constexpr uint32_t AppInfoVersion = 0x20000000;

    // Picture for ".jpg"/".jpeg", sound for ".wav" (any case), else the plain stream.
    static Kind KindForFile(const QString& path);

    // The database for the content of a file named fileName (its folder is ignored), dated now.
    static TavStatus Build(const QByteArray& content, const QString& fileName, Kind kind,
                           CTavDbPalmDatabase* database);
    // Reads the source file and writes the database to outputPath atomically; nothing is
    // written when the source cannot be read or the output cannot be created.
    static TavStatus Write(const QString& sourcePath, const QString& outputPath, Kind kind);
    // The file's bytes back from a file-stream database; Corrupt when a block is broken.
    static TavStatus ReadContent(const CTavDbPalmDatabase& database, QByteArray* content);

private:
    CTavDbFileStreamWriter() = delete;
};
