#include "HsSettings.h"

#include <QFileInfo>
#include <QSettings>
#include <algorithm>
#include <array>

#include "CTavDbFileUtil.h"
#include "CTavPlatformPaths.h"

namespace {
struct App
{
    const char* key;
    const char* title;
};
constexpr std::array<App, HsSettings::kAppCount> kApps{{
    {"datebook", "スケジュール"},
    {"address", "アドレス"},
    {"todo", "ToDo"},
    {"memo", "メモ帳"},
    {"quillo", "手書きメモ"},
}};
constexpr std::array<int, 5> kSpeeds{9600, 19200, 38400, 57600, 115200};
} // namespace

HsSettings::HsSettings() : m_settings(std::make_unique<QSettings>(filePath(), QSettings::IniFormat)) {}

HsSettings::~HsSettings() = default;

QString HsSettings::filePath()
{
    return CTavPlatformPaths::configDir() + QStringLiteral("/HotSync/HotSync.ini");
}

QString HsSettings::appKey(int index)
{
    return index >= 0 && index < kAppCount ? QString::fromLatin1(kApps[index].key) : QString();
}

QString HsSettings::appTitle(int index)
{
    return index >= 0 && index < kAppCount ? QString::fromUtf8(kApps[index].title) : QString();
}

QList<int> HsSettings::serialSpeeds()
{
    return QList<int>(kSpeeds.begin(), kSpeeds.end());
}

int HsSettings::boundedInt(const QString& key, int defaultValue, int low, int high) const
{
    bool ok = false;
    const int value = m_settings->value(key, defaultValue).toInt(&ok);
    return ok && value >= low && value <= high ? value : defaultValue;
}

HsSettings::Action HsSettings::action(int app) const
{
    return static_cast<Action>(
        boundedInt(QStringLiteral("Operation/") + appKey(app), static_cast<int>(Action::Synchronize), 0, 3));
}

void HsSettings::setAction(int app, Action action)
{
    if (app >= 0 && app < kAppCount)
        m_settings->setValue(QStringLiteral("Operation/") + appKey(app), static_cast<int>(action));
}

bool HsSettings::showLogAfterSync() const
{
    return boundedInt(QStringLiteral("Operation/ShowLog"), 0, 0, 1) == 1;
}

void HsSettings::setShowLogAfterSync(bool on)
{
    m_settings->setValue(QStringLiteral("Operation/ShowLog"), on ? 1 : 0);
}

bool HsSettings::startAtLogin() const
{
    return boundedInt(QStringLiteral("Connection/StartAtLogin"), 1, 0, 1) == 1;
}

void HsSettings::setStartAtLogin(bool on)
{
    m_settings->setValue(QStringLiteral("Connection/StartAtLogin"), on ? 1 : 0);
}

HsSettings::Connection HsSettings::connection() const
{
    return static_cast<Connection>(boundedInt(QStringLiteral("Connection/Kind"), 0, 0, 2));
}

void HsSettings::setConnection(Connection connection)
{
    m_settings->setValue(QStringLiteral("Connection/Kind"), static_cast<int>(connection));
}

QString HsSettings::serialPort() const
{
    return m_settings->value(QStringLiteral("Connection/SerialPort"), QStringLiteral("/dev/ttyUSB0"))
        .toString();
}

void HsSettings::setSerialPort(const QString& port)
{
    m_settings->setValue(QStringLiteral("Connection/SerialPort"), port);
}

int HsSettings::serialSpeed() const
{
    const int speed = boundedInt(QStringLiteral("Connection/SerialSpeed"), 115200, 0, 1 << 30);
    return std::find(kSpeeds.begin(), kSpeeds.end(), speed) != kSpeeds.end() ? speed : 115200;
}

void HsSettings::setSerialSpeed(int speed)
{
    m_settings->setValue(QStringLiteral("Connection/SerialSpeed"), speed);
}

QString HsSettings::networkHost() const
{
    return m_settings->value(QStringLiteral("Connection/Host")).toString();
}

void HsSettings::setNetworkHost(const QString& host)
{
    m_settings->setValue(QStringLiteral("Connection/Host"), host);
}

int HsSettings::networkPort() const
{
    return boundedInt(QStringLiteral("Connection/Port"), kDefaultNetworkPort, 1, 65535);
}

void HsSettings::setNetworkPort(int port)
{
    m_settings->setValue(QStringLiteral("Connection/Port"), port);
}

bool HsSettings::save()
{
    if (!CTavDbFileUtil::ensureDirectory(QFileInfo(filePath()).absolutePath()))
        return false;
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}
