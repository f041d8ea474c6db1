#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Splits vCard bytes into logical lines: folded lines (a line starting with a blank continues
// the one before, the blank dropped) are joined, so are quoted-printable soft line breaks
// ("=" at a line end) and the bare continuation lines of 2.1 base64 values. Line ends may be
// CR LF or LF.
class CTavDbVCardLines final
{
public:
    // A logical line longer than this keeps its first bytes only and reports overlong();
    // its continuation lines are still consumed.
    static constexpr qsizetype kMaxLineBytes = 1 << 20;

    explicit CTavDbVCardLines(QByteArrayView bytes) : m_bytes(bytes) {}

    // Moves to the next logical line; false at the end of the bytes.
    bool next();
    // The line's bytes without the line end, valid until the next call of next().
    QByteArrayView line() const { return m_line; }
    // The same as a byte array that stays valid as long as the bytes given to the constructor.
    QByteArray lineBytes() const;
    // The number (from 1) of the line's first physical line.
    int lineNumber() const { return m_number; }
    bool overlong() const { return m_overlong; }

private:
    QByteArrayView physical(qsizetype from, qsizetype* after);
    bool continues(QByteArrayView next) const;
    void append(QByteArrayView piece);

    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
    int m_nextNumber = 1;
    int m_number = 0;
    QByteArrayView m_line;
    QByteArray m_joined;
    bool m_isJoined = false;
    bool m_overlong = false;
    bool m_quotedPrintable = false;
    bool m_base64 = false;
    qsizetype m_peekFrom = -1;
    qsizetype m_peekAfter = 0;
    QByteArrayView m_peekLine;
};
