#include "CTavDbText.h"

#include <QStringDecoder>
#include <cerrno>
#include <iconv.h>

namespace {
// iconv descriptors are not thread-safe; one pair per thread keeps the hot paths free of locks.
struct Converters
{
    iconv_t toCp932 = iconv_open("CP932", "UTF-8");
    iconv_t fromCp932 = iconv_open("UTF-8", "CP932");
    ~Converters()
    {
        if (toCp932 != reinterpret_cast<iconv_t>(-1))
            iconv_close(toCp932);
        if (fromCp932 != reinterpret_cast<iconv_t>(-1))
            iconv_close(fromCp932);
    }
};

Converters& converters()
{
    thread_local Converters c;
    return c;
}

bool isAscii(const QString& text)
{
    for (QChar ch : text)
        if (ch.unicode() >= 0x80)
            return false;
    return true;
}

// Converts one code point at a time only when the whole run fails, so that a single
// unmappable character does not lose the rest.
QByteArray convertLenient(iconv_t cd, const QByteArray& in, bool utf8Input, bool* clean)
{
    QByteArray out;
    out.resize(in.size() * 2 + 8);
    char* src = const_cast<char*>(in.constData());
    size_t srcLeft = in.size();
    char* dst = out.data();
    size_t dstLeft = out.size();
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    *clean = true;
    while (srcLeft > 0) {
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        if (r != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG) {
            const qsizetype used = dst - out.data();
            out.resize(out.size() * 2);
            dst = out.data() + used;
            dstLeft = out.size() - used;
            continue;
        }
        // EILSEQ or EINVAL: replace one input character with '?'.
        *clean = false;
        if (dstLeft < 1) {
            const qsizetype used = dst - out.data();
            out.resize(out.size() * 2);
            dst = out.data() + used;
            dstLeft = out.size() - used;
        }
        *dst++ = '?';
        --dstLeft;
        // Skip one UTF-8 sequence (or one byte for other encodings).
        int skip = 1;
        const unsigned char lead = static_cast<unsigned char>(*src);
        if (utf8Input) {
            if (lead >= 0xF0)
                skip = 4;
            else if (lead >= 0xE0)
                skip = 3;
            else if (lead >= 0xC0)
                skip = 2;
        }
        skip = std::min<size_t>(skip, srcLeft);
        src += skip;
        srcLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(dst - out.data());
    return out;
}
} // namespace

QByteArray CTavDbText::toCp932(const QString& text)
{
    if (isAscii(text))
        return text.toLatin1();
    bool clean = true;
    return convertLenient(converters().toCp932, text.toUtf8(), true, &clean);
}

QString CTavDbText::fromCp932(const QByteArray& bytes, bool* ok)
{
    bool clean = true;
    const QByteArray utf8 = convertLenient(converters().fromCp932, bytes, false, &clean);
    if (ok)
        *ok = clean;
    return QString::fromUtf8(utf8);
}

int CTavDbText::mbLength(const QString& text)
{
    if (isAscii(text))
        return text.size();
    return toCp932(text).size();
}

bool CTavDbText::isValidUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(bytes); // the decoder works only when converted
    return !decoder.hasError() && decoded.size() >= 0;
}

QString CTavDbText::truncateToBytes(const QString& text, int maxBytes)
{
    if (mbLength(text) <= maxBytes)
        return text;
    QString out;
    int used = 0;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QString ch = text.mid(i, len);
        const int bytes = mbLength(ch);
        if (used + bytes > maxBytes)
            break;
        out += ch;
        used += bytes;
        i += len;
    }
    return out;
}
