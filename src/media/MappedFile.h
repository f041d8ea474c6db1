#pragma once

#include <QFile>
#include <QString>

// A whole file in memory, read-only, for as long as the object lives: copied, or mapped when
// it is larger than kCopyLimit.
class MappedFile final
{
public:
    static constexpr qint64 kCopyLimit = 64 * 1024 * 1024;

    explicit MappedFile(const QString& fileName);
    ~MappedFile();
    Q_DISABLE_COPY_MOVE(MappedFile)

    // False when the file could not be opened or mapped; an empty file is open with size 0.
    bool isOpen() const { return m_open; }
    const uchar* data() const { return m_data; }
    qsizetype size() const { return m_size; }

private:
    QFile m_file;
    QByteArray m_copy;
    uchar* m_mapped = nullptr;
    const uchar* m_data = nullptr;
    qsizetype m_size = 0;
    bool m_open = false;
};
