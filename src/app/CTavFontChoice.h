#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// The program's choice of a font face: the first installed face of a preference list. The
// lists of the program name the Japanese system faces first; the faces a Linux desktop
// installs follow, so that a face is always found.
class CTavFontChoice final
{
public:
    // The three Japanese faces of the list panes and the memo editor, as one "%"-separated text.
    static const QString kListFaces;
    static const QString kFaceSeparator;

    // The first of the preferred faces found among the installed ones (compared without
    // regard to case); an empty text when none is.
    static QString GetExistFont(const QStringList& preferred, const QStringList& installed);
    // The first installed face of a "%"-separated list, then of the fallback faces.
    static QString ExistFontOf(const QString& faceList);
    // A font of the list faces at a point size.
    static QFont ListFont(int pointSize = 10);

private:
    static QStringList fallbackFaces();
};
