#include "CTavDbQuotedPrintable.h"

namespace {
int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}
} // namespace

QByteArray CTavDbQuotedPrintable::decode(QByteArrayView in)
{
    QByteArray out;
    out.reserve(in.size());
    const qsizetype n = in.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = in[i];
        if (c != '=') {
            out += c;
            continue;
        }
        if (i + 2 < n && in[i + 1] == '\r' && in[i + 2] == '\n') {
            i += 2;
            continue;
        }
        if (i + 1 < n && in[i + 1] == '\n') {
            ++i;
            continue;
        }
        const int hi = i + 2 < n ? hexValue(in[i + 1]) : -1;
        const int lo = hi >= 0 ? hexValue(in[i + 2]) : -1;
        if (lo < 0) {
            out += c;
            continue;
        }
        out += char(hi * 16 + lo);
        i += 2;
    }
    return out;
}
