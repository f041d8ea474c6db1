#include "CTavDbArchiveConverter.h"

#include "CTavDbText.h"
#include "CTavDbTime.h"

QString CTavDbArchiveConverter::text(const QByteArray& bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return CTavDbText::fromCp932(bytes);
    return QString::fromLatin1(bytes);
}

QByteArray CTavDbArchiveConverter::bytes(const QString& text)
{
    return CTavDbText::toCp932(text);
}

int32_t CTavDbArchiveConverter::toFileDate(int32_t t)
{
    return t == maxDateTime ? CTavDbArchiveFile::kNoDate : t;
}

int32_t CTavDbArchiveConverter::fromFileDate(int32_t t)
{
    return t == CTavDbArchiveFile::kNoDate ? maxDateTime : t;
}
