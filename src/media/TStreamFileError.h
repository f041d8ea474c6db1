#pragma once

#include <QString>

#include <stdexcept>

// What a failed read or write of a TStreamFile throws: the operation's own text, the system
// error code and the system's message for it.
class TStreamFileError final : public std::runtime_error
{
public:
    TStreamFileError(const char* text, int systemCode);

    int systemCode() const { return m_systemCode; }
    const QString& systemMessage() const { return m_systemMessage; }

private:
    int m_systemCode;
    QString m_systemMessage;
};
