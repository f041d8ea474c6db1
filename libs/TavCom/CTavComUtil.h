#pragma once

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QFontDatabase>
#include <QString>
#include <QStringList>

#include "TavColorRef.h"

// Small text, colour and font helpers shared by the grid and the program's own panes.
class CTavComUtil final
{
public:
    CTavComUtil() = delete;

    // strftime-style formatting: %Y %y %m %d %e %H %I %M %S %p %a %A %b %B %j %w %%; a '#' after
    // the '%' drops leading zeros. Names and the AM/PM text are Japanese. Unknown directives are
    // copied as they stand.
    static QString GetTimeStr(const QDateTime& time, const QString& format);
    // The same for stored seconds, read in local time.
    static QString GetTimeStr(qint64 seconds, const QString& format);

    // Moves each channel toward white by percent (0 keeps the colour, 100 gives white).
    static TavColorRef GetLightColor(TavColorRef color, int percent = 50);
    // Black or white, whichever reads better on the given background.
    static TavColorRef GetFrontColDependBkCol(TavColorRef back);

    static QString GetTextFromClipboard();

    // Installed font families, optionally only those that can write the given script.
    static QStringList GetInstallFonts(QFontDatabase::WritingSystem system = QFontDatabase::Any);
    // The first installed face of the preference list. The Japanese faces of the list are
    // rarely installed here, so the faces Debian ships follow them; the system's default face
    // is the last resort.
    static QString GetExistFont(const QStringList& preferred, const QStringList& installed);
    static QString GetExistFont(const QStringList& preferred);
    // Debian's Japanese faces, tried after a preference list runs out.
    static QStringList FallbackFonts();

    // Splits at every separator. Empty fields in the middle stay (they hold a place); an empty
    // text gives no fields and a separator at the very end does not add an empty last field.
    static QStringList SplitString(const QString& text, const QString& separator);

    // A font of the face, point size and weight (Windows weights: 400 normal, 700 bold).
    static QFont InitLogFont(const QString& face, int pointSize, int weight = 400);

    static QColor ToQColor(TavColorRef color);
    static TavColorRef ToColorRef(const QColor& color);
};
