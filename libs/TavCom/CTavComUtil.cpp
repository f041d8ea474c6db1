#include "CTavComUtil.h"

#include <QClipboard>
#include <QGuiApplication>

#include <algorithm>

namespace {

const char16_t* const kWeekShort[] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
const char16_t* const kWeekLong[] = {u"日曜日", u"月曜日", u"火曜日", u"水曜日",
                                     u"木曜日", u"金曜日", u"土曜日"};

QString number(int value, int width, bool pad)
{
    return pad ? QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0')) : QString::number(value);
}

// One directive (the letter after '%'), or an empty string when the letter is not one.
QString directive(const QDateTime& time, QChar letter, bool pad)
{
    const QDate d = time.date();
    const QTime t = time.time();
    const int weekday = d.dayOfWeek() % 7; // 0 = Sunday
    switch (letter.unicode()) {
    case 'Y':
        return QString::number(d.year());
    case 'y':
        return number(d.year() % 100, 2, pad);
    case 'm':
        return number(d.month(), 2, pad);
    case 'd':
        return number(d.day(), 2, pad);
    case 'e':
        return pad ? QStringLiteral("%1").arg(d.day(), 2) : QString::number(d.day());
    case 'H':
        return number(t.hour(), 2, pad);
    case 'I':
        return number(t.hour() % 12 == 0 ? 12 : t.hour() % 12, 2, pad);
    case 'M':
        return number(t.minute(), 2, pad);
    case 'S':
        return number(t.second(), 2, pad);
    case 'p':
        return t.hour() < 12 ? QStringLiteral("午前") : QStringLiteral("午後");
    case 'a':
        return QString::fromUtf16(kWeekShort[weekday]);
    case 'A':
        return QString::fromUtf16(kWeekLong[weekday]);
    case 'b':
    case 'B':
        return QString::number(d.month()) + QStringLiteral("月");
    case 'j':
        return number(d.dayOfYear(), 3, pad);
    case 'w':
        return QString::number(weekday);
    default:
        return {};
    }
}

} // namespace

QString CTavComUtil::GetTimeStr(const QDateTime& time, const QString& format)
{
    QString out;
    out.reserve(format.size() + 8);
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c != u'%' || i + 1 >= format.size()) {
            out += c;
            continue;
        }
        qsizetype j = i + 1;
        const bool pad = format.at(j) != u'#';
        if (!pad && j + 1 < format.size())
            ++j;
        const QChar letter = format.at(j);
        if (letter == u'%') {
            out += u'%';
            i = j;
            continue;
        }
        const QString text = directive(time, letter, pad);
        if (text.isEmpty()) {
            out += c;
            continue;
        }
        out += text;
        i = j;
    }
    return out;
}

QString CTavComUtil::GetTimeStr(qint64 seconds, const QString& format)
{
    return GetTimeStr(QDateTime::fromSecsSinceEpoch(seconds), format);
}

TavColorRef CTavComUtil::GetLightColor(TavColorRef color, int percent)
{
    const int p = std::clamp(percent, 0, 100);
    auto lift = [p](int v) { return v + ((255 - v) * p + 50) / 100; };
    return TavRgb(lift(TavRed(color)), lift(TavGreen(color)), lift(TavBlue(color)));
}

TavColorRef CTavComUtil::GetFrontColDependBkCol(TavColorRef back)
{
    // Perceived brightness with the ITU-R BT.601 weights, scaled by 1000.
    const int luma = 299 * TavRed(back) + 587 * TavGreen(back) + 114 * TavBlue(back);
    return luma >= 128 * 1000 ? TavRgb(0, 0, 0) : TavRgb(0xFF, 0xFF, 0xFF);
}

QString CTavComUtil::GetTextFromClipboard()
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboard->text() : QString();
}

QStringList CTavComUtil::GetInstallFonts(QFontDatabase::WritingSystem system)
{
    return QFontDatabase::families(system);
}

QString CTavComUtil::GetExistFont(const QStringList& preferred, const QStringList& installed)
{
    for (const QString& wanted : preferred + FallbackFonts()) {
        const QString face = wanted.trimmed();
        if (face.isEmpty())
            continue;
        const auto it = std::find_if(installed.begin(), installed.end(), [&face](const QString& family) {
            return family.compare(face, Qt::CaseInsensitive) == 0;
        });
        if (it != installed.end())
            return *it;
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

QString CTavComUtil::GetExistFont(const QStringList& preferred)
{
    return GetExistFont(preferred, GetInstallFonts());
}

QStringList CTavComUtil::FallbackFonts()
{
    return {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic")};
}

QStringList CTavComUtil::SplitString(const QString& text, const QString& separator)
{
    if (text.isEmpty())
        return {};
    if (separator.isEmpty())
        return {text};
    QStringList parts = text.split(separator, Qt::KeepEmptyParts);
    if (text.endsWith(separator))
        parts.removeLast();
    return parts;
}

QFont CTavComUtil::InitLogFont(const QString& face, int pointSize, int weight)
{
    QFont font;
    font.setFamilies(QStringList{face} + FallbackFonts());
    font.setPointSize(pointSize > 0 ? pointSize : 9);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(weight > 0 ? weight : 400, 100, 900)));
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QColor CTavComUtil::ToQColor(TavColorRef color)
{
    return QColor(TavRed(color), TavGreen(color), TavBlue(color));
}

TavColorRef CTavComUtil::ToColorRef(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return TavRgb(rgb.red(), rgb.green(), rgb.blue());
}
