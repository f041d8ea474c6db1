#pragma once

#include <QFile>
#include <QString>

// A whole file mapped read-only into memory for as long as the object lives.
class MappedFile final
{
public:
    explicit MappedFile(const QString& fileName);
    ~MappedFile();
    Q_DISABLE_COPY_MOVE(MappedFile)

    // False when the file could not be opened or mapped; an empty file is open with size 0.
    bool isOpen() const { return m_open; }
    const uchar* data() const { return m_data; }
    qsizetype size() const { return m_size; }

private:
    QFile m_file;
    uchar* m_data = nullptr;
    qsizetype m_size = 0;
    bool m_open = false;
};
