#include "CTavFontChoice.h"

#include <QFontDatabase>
#include <QGuiApplication>

const QString CTavFontChoice::kListFaces = QStringLiteral("MS UI Gothic%ＭＳ Ｐゴシック%ＭＳ ゴシック");
const QString CTavFontChoice::kFaceSeparator = QStringLiteral("%");

QStringList CTavFontChoice::fallbackFaces()
{
    return {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic")};
}

QString CTavFontChoice::GetExistFont(const QStringList& preferred, const QStringList& installed)
{
    for (const QString& face : preferred) {
        const QString wanted = face.trimmed();
        if (wanted.isEmpty())
            continue;
        for (const QString& have : installed)
            if (have.compare(wanted, Qt::CaseInsensitive) == 0)
                return have;
    }
    return QString();
}

QString CTavFontChoice::ExistFontOf(const QString& faceList)
{
    static const QStringList installed = QFontDatabase::families();
    QStringList preferred = faceList.split(kFaceSeparator, Qt::SkipEmptyParts);
    preferred += fallbackFaces();
    return GetExistFont(preferred, installed);
}

QFont CTavFontChoice::ListFont(int pointSize)
{
    static const QString face = ExistFontOf(kListFaces);
    QFont font = QGuiApplication::font();
    if (!face.isEmpty())
        font.setFamily(face);
    font.setPointSize(pointSize);
    return font;
}
