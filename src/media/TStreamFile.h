#pragma once

#include <QString>
#include <QtGlobal>

// A plain binary file. Reads and writes that fail throw TStreamFileError; on a closed stream
// they do nothing and return 0.
class TStreamFile final
{
public:
    enum OpenMode : int
    {
        Read = 1, // shared reading; the file must exist
        Write = 2 // creates the file or empties it
    };
    enum Origin : int
    {
        Begin,
        Current,
        End
    };

    TStreamFile() = default;
    ~TStreamFile();
    Q_DISABLE_COPY_MOVE(TStreamFile)

    // Closes any file open before. False when the file cannot be opened in that mode.
    bool open(const QString& fileName, int mode);
    void close();
    bool isOpen() const { return m_handle >= 0; }
    int mode() const { return m_mode; }

    // Reads up to size bytes; fewer only at the end of the file.
    qint64 read(void* buffer, qint64 size);
    // Writes all the bytes.
    qint64 write(const void* buffer, qint64 size);
    // The new position, or -1 when the stream is closed or the position is invalid.
    qint64 seek(qint64 offset, Origin origin = Begin);
    qint64 position() const;
    // The file's size in bytes, -1 when closed.
    qint64 size() const;
    // Cuts the file at the current position.
    bool truncate();
    // Pushes the written bytes to the disk, so that a rename after it is durable.
    bool sync();

private:
    int m_handle = -1;
    int m_mode = 0;
};
