#include "CTavScHandheldPrefs.h"

CTavScHandheldPrefs CTavScHandheldPrefs::Read(const QString& path)
{
    Q_UNUSED(path); // the reader comes with the preferences work
    CTavScHandheldPrefs prefs;
    prefs.calendar.Build(2026, 1, prefs.weekStarts);
    return prefs;
}

QString CTavScHandheldPrefs::ConvertDateTemplate(const QByteArray& handheldTemplate)
{
    return QString::fromLatin1(handheldTemplate);
}
