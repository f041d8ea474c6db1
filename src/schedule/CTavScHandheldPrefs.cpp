#include "CTavScHandheldPrefs.h"

#include <QFile>

#include "CTavDbClock.h"
#include "CTavDbEnv.h"
#include "CTavDbText.h"
#include "CTavDbTime.h"
#include "CTavIniFile.h"

namespace {
const QString kCommon = QStringLiteral("COMMON");
const QString kDay = QStringLiteral("DAY");
const QString kWeek = QStringLiteral("WEEK");
const QString kMonth = QStringLiteral("MONTH");
constexpr int kMissing = -1;

// The handheld writes -1 for a value it never set, so -1 reads as missing.
int readInt(const CTavIniFile& ini, const QString& section, const char* key)
{
    return ini.getInt(section, QString::fromLatin1(key), kMissing);
}

// Out of range, missing and negative values all take the handheld's default.
int readBounded(const CTavIniFile& ini, const QString& section, const char* key, int max, int def)
{
    const int value = readInt(ini, section, key);
    return value >= 0 && value <= max ? value : def;
}

int readFontId(const CTavIniFile& ini, const QString& section, const char* key)
{
    const int value = readInt(ini, section, key);
    for (int id : {2, 7, 8, 9, 10, 15})
        if (value == id)
            return value;
    return 8;
}

// A Windows colour value in decimal, or in hex after "0x"; -1 when missing.
qint64 readColor(const CTavIniFile& ini, const QString& section, const QString& key)
{
    const QString text = ini.getString(section, key).trimmed();
    if (text.isEmpty())
        return kMissing;
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        bool ok = false;
        const qint64 value = text.mid(2).toLongLong(&ok, 16);
        return ok ? (value & 0xFFFFFF) : 0;
    }
    const int value = ini.getInt(section, key, kMissing);
    return value == kMissing ? kMissing : (value & 0xFFFFFF);
}

QString readTemplate(const CTavIniFile& ini, const QString& section, const char* key, const QString& def)
{
    const QString text = ini.getString(section, QString::fromLatin1(key));
    const QByteArray bytes =
        CTavDbText::toCp932(CTavDbText::truncateToBytes(text, CTavScHandheldPrefs::kMaxTemplateBytes));
    const QString format = CTavScHandheldPrefs::ConvertDateTemplate(bytes);
    return format.isEmpty() ? def : format;
}

const char* convertField(char digit, char modifier)
{
    switch (digit) {
    case '0':
        return modifier == 'z' ? "%d" : "%#d";
    case '1':
        return modifier == 'l' ? "%A" : "%a";
    case '2':
        return modifier == 'l' ? "%B" : "%b";
    case '3':
        return modifier == 'z' ? "%m" : "%#m";
    case '4':
        return modifier == 's' ? "%y" : "%Y";
    default:
        return nullptr;
    }
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

QByteArray readFileText(const QString& path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly) || file.size() > CTavIniFile::kMaxFileSize)
        return {};
    const QByteArray bytes = file.readAll();
    if (CTavDbText::isValidUtf8(bytes))
        return bytes;
    // Code page 932, as the handheld's desktop files are written; the reader takes UTF-8.
    return CTavDbText::fromCp932(bytes).toUtf8();
}
} // namespace

QString CTavScHandheldPrefs::PathForUser(const QString& userPath)
{
    QString folder = userPath;
    if (!folder.isEmpty() && !folder.endsWith(u'/'))
        folder += u'/';
    return folder + CTavDbEnv::GetTavDateDir() + QStringLiteral("/ScPrefs.dat");
}

CTavScHandheldPrefs CTavScHandheldPrefs::Read(const QString& path)
{
    CTavScHandheldPrefs prefs;
    CTavIniFile ini;
    ini.loadFromData(readFileText(path));

    prefs.weekStarts = readBounded(ini, kCommon, "WEEK_STARTS", 6, 0);
    const qint64 holidayColor = readColor(ini, kCommon, QStringLiteral("HOLIDAY_COL"));
    prefs.holidayColorOn = holidayColor != kMissing && readInt(ini, kCommon, "IS_HOLIDAY_COL") != kMissing;
    prefs.holidayColor = holidayColor == kMissing ? 0 : static_cast<TavColorRef>(holidayColor);
    prefs.holidayDispType = readInt(ini, kCommon, "HOLIDAY_DISP_TYPE") != kMissing;
    prefs.subWeekDispType = readInt(ini, kCommon, "SUB_WEEK_DISP_TYPE") != kMissing;
    static const char* const days[] = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};
    for (int i = 0; i < 7; ++i) {
        const QString day = QString::fromLatin1(days[i]);
        prefs.weekColorOn[i] = ini.getInt(kCommon, QStringLiteral("IS_WEEK_COL_") + day, kMissing) > 0;
        const qint64 color = readColor(ini, kCommon, QStringLiteral("WEEK_COL_") + day);
        prefs.weekColor[i] = color == kMissing ? 0 : static_cast<TavColorRef>(color);
    }
    // Without their own colours the weekend keeps the handheld's shades.
    if (readColor(ini, kCommon, QStringLiteral("WEEK_COL_SUN")) == kMissing) {
        prefs.weekColorOn[0] = true;
        prefs.weekColor[0] = 0xCCCCFF;
    }
    if (readColor(ini, kCommon, QStringLiteral("WEEK_COL_SAT")) == kMissing) {
        prefs.weekColorOn[6] = true;
        prefs.weekColor[6] = 0xFFCC99;
    }

    prefs.dayDateFormat = readTemplate(ini, kDay, "DAY_DATE_FORMAT", prefs.dayDateFormat);
    prefs.startTime = readBounded(ini, kDay, "START_TIME", 23, 8);
    prefs.endTime = readBounded(ini, kDay, "END_TIME", 23, 18);
    prefs.hourHeight = readBounded(ini, kDay, "HOUR_HEIGHT", 4, 2);
    prefs.eventDisplay = readBounded(ini, kDay, "EVENT_DISPLAY", 2, 1);
    prefs.dayFontSize = readFontId(ini, kDay, "DAY_FONT_SIZE");

    prefs.weekDateFormat = readTemplate(ini, kWeek, "WEEK_DATE_FORMAT", prefs.weekDateFormat);
    prefs.weekIconDispType = readBounded(ini, kWeek, "WEEK_ICON_DISP_TYPE", 1, 1);
    prefs.weekFontSize = readFontId(ini, kWeek, "WEEK_FONT_SIZE");

    prefs.monthDateFormat = readTemplate(ini, kMonth, "MONTH_DATE_FORMAT", prefs.monthDateFormat);
    prefs.monthShowStyle = readBounded(ini, kMonth, "MONTH_SHOW_STYLE", 2, 2);
    prefs.monthFontSize = readFontId(ini, kMonth, "MONTH_FONT_SIZE");

    QDate today = CTavDbClock::Today();
    if (!CTavDbTime::inRange(today))
        today = today < CTavDbTime::firstDate() ? CTavDbTime::firstDate() : CTavDbTime::lastDate();
    prefs.calendar.Build(today.year(), today.month(), prefs.weekStarts);
    return prefs;
}

QString CTavScHandheldPrefs::ConvertDateTemplate(const QByteArray& handheldTemplate)
{
    QByteArray out;
    const qsizetype n = handheldTemplate.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = handheldTemplate[i];
        if (c == '^' && i + 2 < n && isLetter(handheldTemplate[i + 2])) {
            if (const char* field = convertField(handheldTemplate[i + 1], handheldTemplate[i + 2])) {
                out += field;
                i += 2;
                continue;
            }
        }
        out += c;
        if (CTavDbText::isLeadByte(static_cast<uchar>(c)) && i + 1 < n)
            out += handheldTemplate[++i];
    }
    return CTavDbText::fromCp932(out);
}
