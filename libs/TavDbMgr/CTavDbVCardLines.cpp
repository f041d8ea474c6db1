#include "CTavDbVCardLines.h"

#include <algorithm>
#include <cstring>

#include "CTavDbAscii.h"

namespace {
// The parameters of a line: what lies between the name's semicolon and the colon, empty when
// there are none. Parameters are short; looking at the first bytes only keeps a huge line
// without a colon cheap.
QByteArrayView paramsOf(QByteArrayView line)
{
    const qsizetype n = std::min<qsizetype>(line.size(), 4096);
    qsizetype semicolon = -1;
    qsizetype i = 0;
    for (; i < n && line[i] != ':'; ++i)
        if (line[i] == ';' && semicolon < 0)
            semicolon = i;
    return semicolon < 0 ? QByteArrayView() : line.sliced(semicolon + 1, i - semicolon - 1);
}

// Whether the parameters name the word, given in capitals.
bool has(QByteArrayView params, QByteArrayView word)
{
    for (qsizetype i = 0; i + word.size() <= params.size(); ++i)
        if (CTavDbAscii::upper(params[i]) == word.front() &&
            CTavDbAscii::same(params.sliced(i, word.size()), word))
            return true;
    return false;
}
} // namespace

QByteArrayView CTavDbVCardLines::physical(qsizetype from, qsizetype* after)
{
    // The line looked at last as a possible continuation is usually the next one asked for.
    if (from == m_peekFrom) {
        *after = m_peekAfter;
        return m_peekLine;
    }
    const char* start = m_bytes.data() + from;
    const qsizetype left = m_bytes.size() - from;
    const void* nl = std::memchr(start, '\n', size_t(left));
    qsizetype len = nl ? static_cast<const char*>(nl) - start : left;
    *after = from + len + (nl ? 1 : 0);
    if (len > 0 && start[len - 1] == '\r')
        --len;
    m_peekFrom = from;
    m_peekAfter = *after;
    m_peekLine = QByteArrayView(start, len);
    return m_peekLine;
}

bool CTavDbVCardLines::continues(QByteArrayView next) const
{
    if (!next.isEmpty() && (next[0] == ' ' || next[0] == '\t'))
        return true;
    return m_base64 && !next.isEmpty() && !next.contains(':');
}

void CTavDbVCardLines::append(QByteArrayView piece)
{
    if (!m_isJoined) {
        m_joined = m_line.toByteArray();
        m_isJoined = true;
    }
    if (m_joined.size() + piece.size() > kMaxLineBytes) {
        m_overlong = true;
        return;
    }
    m_joined += piece;
    m_line = m_joined;
}

bool CTavDbVCardLines::next()
{
    if (m_pos >= m_bytes.size())
        return false;
    m_number = m_nextNumber++;
    m_isJoined = false;
    m_overlong = false;
    m_line = physical(m_pos, &m_pos);
    if (m_line.size() > kMaxLineBytes) {
        m_line = m_line.first(kMaxLineBytes);
        m_overlong = true;
    }
    const QByteArrayView params = paramsOf(m_line);
    m_quotedPrintable = !params.isEmpty() && has(params, "QUOTED-PRINTABLE");
    m_base64 = !params.isEmpty() && has(params, "BASE64");
    while (m_pos < m_bytes.size()) {
        qsizetype after = 0;
        const QByteArrayView next = physical(m_pos, &after);
        if (m_quotedPrintable && m_line.endsWith('=')) {
            // A soft line break: the next line goes on where this one stops, blanks and all.
            if (!m_isJoined) {
                m_joined = m_line.toByteArray();
                m_isJoined = true;
            }
            m_joined.chop(1);
            m_line = m_joined;
            append(next);
        } else if (continues(next)) {
            append(next[0] == ' ' || next[0] == '\t' ? next.sliced(1) : next);
        } else {
            break;
        }
        m_pos = after;
        ++m_nextNumber;
    }
    return true;
}

QByteArray CTavDbVCardLines::lineBytes() const
{
    return m_isJoined ? m_joined : QByteArray::fromRawData(m_line.data(), m_line.size());
}
