#include "MappedFile.h"

MappedFile::MappedFile(const QString& fileName) : m_file(fileName)
{
    if (!m_file.open(QIODevice::ReadOnly))
        return;
    const qint64 size = m_file.size();
    if (size == 0) {
        m_open = true;
        return;
    }
    m_data = m_file.map(0, size);
    if (m_data) {
        m_size = static_cast<qsizetype>(size);
        m_open = true;
    }
}

MappedFile::~MappedFile()
{
    if (m_data)
        m_file.unmap(m_data);
}
