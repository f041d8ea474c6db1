#include "CTavDbPalmCode.h"

QString CTavDbPalmCode::Text(uint32_t code)
{
    QString text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const uint8_t ch = uint8_t(code >> shift);
        if (ch < 0x20 || ch > 0x7E)
            return QStringLiteral("0x") + QStringLiteral("%1").arg(code, 8, 16, QLatin1Char('0')).toUpper();
        text += QLatin1Char(char(ch));
    }
    return text;
}

bool CTavDbPalmCode::Parse(const QString& text, uint32_t* code)
{
    if (text.size() == 10 && text.startsWith(QLatin1String("0x"))) {
        bool ok = false;
        const uint value = text.mid(2).toUInt(&ok, 16);
        if (ok)
            *code = value;
        return ok;
    }
    if (text.size() != 4)
        return false;
    uint32_t value = 0;
    for (QChar ch : text) {
        if (ch.unicode() > 0xFF)
            return false;
        value = (value << 8) | ch.unicode();
    }
    *code = value;
    return true;
}
