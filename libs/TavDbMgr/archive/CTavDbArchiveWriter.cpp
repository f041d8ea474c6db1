#include "CTavDbArchiveWriter.h"

void CTavDbArchiveWriter::cstring(const QByteArray& text, uint8_t form)
{
    const qsizetype n = text.size();
    if (form == 0 && n < 0xFF) {
        u8(static_cast<uint8_t>(n));
    } else if (form <= 1 && n < 0xFFFF) {
        u8(0xFF);
        u16(static_cast<uint16_t>(n));
    } else {
        u8(0xFF);
        u16(0xFFFF);
        u32(static_cast<uint32_t>(n));
    }
    m_out.append(text);
}
