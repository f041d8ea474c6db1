#include "CTavDbCsvSplitter.h"

CTavDbCsvSplitter::CTavDbCsvSplitter(const QByteArray& bytes, char delimiter, qsizetype maxRecordBytes)
    : m_bytes(bytes), m_delimiter(delimiter), m_maxRecordBytes(maxRecordBytes)
{
    if (m_bytes.startsWith("\xEF\xBB\xBF"))
        m_pos = 3;
}

CTavDbCsvSplitter::Result CTavDbCsvSplitter::Next(QList<QByteArray>* fields)
{
    fields->clear();
    const char* d = m_bytes.constData();
    const qsizetype n = m_bytes.size();
    if (m_pos >= n)
        return End;
    m_recordLine = m_line;
    const qsizetype start = m_pos;
    bool tooLong = false;
    auto checkLength = [&](QByteArray& field) {
        if (!tooLong && m_pos - start > m_maxRecordBytes) {
            tooLong = true;
            field.clear();
            fields->clear();
        }
    };
    for (;;) {
        QByteArray field;
        if (d[m_pos] == '"') {
            ++m_pos;
            for (;;) {
                qsizetype q = m_pos;
                while (q < n && d[q] != '"' && d[q] != '\r' && d[q] != '\n')
                    ++q;
                if (!tooLong)
                    field.append(d + m_pos, q - m_pos);
                m_pos = q;
                checkLength(field);
                if (m_pos >= n) {
                    m_pos = n;
                    fields->clear();
                    return Cut;
                }
                if (d[m_pos] == '"') {
                    if (m_pos + 1 < n && d[m_pos + 1] == '"') {
                        if (!tooLong)
                            field += '"';
                        m_pos += 2;
                        continue;
                    }
                    ++m_pos;
                    break;
                }
                // CR LF, CR or LF all become one line feed, as between records.
                if (d[m_pos] == '\r' && m_pos + 1 < n && d[m_pos + 1] == '\n')
                    ++m_pos;
                ++m_pos;
                ++m_line;
                if (!tooLong)
                    field += '\n';
            }
        }
        // Unquoted text, or text after a closing quote: up to the delimiter or the line end.
        qsizetype q = m_pos;
        while (q < n && d[q] != m_delimiter && d[q] != '\r' && d[q] != '\n')
            ++q;
        if (!tooLong)
            field.append(d + m_pos, q - m_pos);
        m_pos = q;
        checkLength(field);
        if (!tooLong)
            fields->append(field);
        if (m_pos >= n)
            break;
        if (d[m_pos] == m_delimiter) {
            ++m_pos;
            if (m_pos >= n) { // a trailing delimiter ends the file with one more empty field
                if (!tooLong)
                    fields->append(QByteArray());
                break;
            }
            continue;
        }
        if (d[m_pos] == '\r' && m_pos + 1 < n && d[m_pos + 1] == '\n')
            ++m_pos;
        ++m_pos;
        ++m_line;
        break;
    }
    return tooLong ? TooLong : Ok;
}
