#include "CTavDbVCardWriter.h"

void CTavDbVCardWriter::line(const QByteArray& head, const QString& value)
{
    const QByteArray content = head + ':' + value.toUtf8();
    if (content.size() <= kFoldOctets) {
        m_out += content;
        m_out += "\r\n";
        return;
    }
    qsizetype start = 0;
    int room = kFoldOctets;
    while (content.size() - start > room) {
        qsizetype end = start + room;
        // Back off to the first byte of a character: UTF-8 continuation bytes are 10xxxxxx.
        while (end > start && (static_cast<unsigned char>(content[end]) & 0xC0) == 0x80)
            --end;
        m_out += content.mid(start, end - start);
        m_out += "\r\n ";
        start = end;
        room = kFoldOctets - 1;
    }
    m_out += content.mid(start);
    m_out += "\r\n";
}
