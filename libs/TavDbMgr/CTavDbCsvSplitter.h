#pragma once

#include <QByteArray>
#include <QList>

// Splits comma-separated bytes into records of raw fields, without decoding them: quotes,
// delimiters and line breaks are ASCII bytes that neither UTF-8 nor code page 932 use inside a
// character, so one pass serves both. Quoted fields may hold delimiters, "" and line breaks
// (kept as line feeds); a quote elsewhere is taken as text.
class CTavDbCsvSplitter final
{
public:
    enum Result
    {
        End,     // no record left
        Ok,      // fields hold the record
        TooLong, // the record is over the byte limit; it is skipped and fields are empty
        Cut      // the bytes end inside quotes; the rest of the bytes is this record
    };

    CTavDbCsvSplitter(const QByteArray& bytes, char delimiter, qsizetype maxRecordBytes);

    Result Next(QList<QByteArray>* fields);
    // The line (from 1) the record last returned starts on.
    int RecordLine() const { return m_recordLine; }
    // True for a record that is one empty field (a blank line).
    static bool IsBlank(const QList<QByteArray>& fields)
    {
        return fields.size() == 1 && fields.first().isEmpty();
    }

private:
    const QByteArray m_bytes;
    const char m_delimiter;
    const qsizetype m_maxRecordBytes;
    qsizetype m_pos = 0;
    int m_line = 1;
    int m_recordLine = 1;
};
