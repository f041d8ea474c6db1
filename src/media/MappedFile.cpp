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
    // A mapped file that shrinks or goes away (a card pulled out) kills the program on the next
    // read of it; a copy cannot. Only files too big to copy are mapped.
    if (size <= kCopyLimit) {
        m_copy = m_file.readAll();
        if (m_copy.size() != size)
            return;
        m_data = reinterpret_cast<const uchar*>(m_copy.constData());
    } else {
        m_mapped = m_file.map(0, size);
        m_data = m_mapped;
    }
    if (m_data) {
        m_size = static_cast<qsizetype>(size);
        m_open = true;
    }
}

MappedFile::~MappedFile()
{
    if (m_mapped)
        m_file.unmap(m_mapped);
}
