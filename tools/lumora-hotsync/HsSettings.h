#pragma once

#include <QList>
#include <QString>
#include <memory>

class QSettings;

// The manager's own settings, one typed accessor per key, in "HotSync/HotSync.ini" of the
// machine-wide settings folder.
class HsSettings final
{
public:
    // What a HotSync does with the data of one handheld application.
    enum class Action
    {
        Synchronize = 0,
        PcOverwrites = 1,
        HandheldOverwrites = 2,
        Nothing = 3
    };
    enum class Connection
    {
        Local = 0,
        Serial = 1,
        Network = 2
    };
    static constexpr int kAppCount = 5;
    static constexpr int kDefaultNetworkPort = 14238;

    HsSettings();
    ~HsSettings();
    Q_DISABLE_COPY_MOVE(HsSettings)

    static QString filePath();
    // The handheld applications the actions apply to, by index: key and display name.
    static QString appKey(int index);
    static QString appTitle(int index);
    static QList<int> serialSpeeds();

    Action action(int app) const;
    void setAction(int app, Action action);
    bool showLogAfterSync() const;
    void setShowLogAfterSync(bool on);

    bool startAtLogin() const;
    void setStartAtLogin(bool on);
    Connection connection() const;
    void setConnection(Connection connection);
    QString serialPort() const;
    void setSerialPort(const QString& port);
    int serialSpeed() const;
    void setSerialSpeed(int speed);
    QString networkHost() const;
    void setNetworkHost(const QString& host);
    int networkPort() const;
    void setNetworkPort(int port);

    // Writes the changes to the file; false when it cannot be written.
    bool save();

private:
    int boundedInt(const QString& key, int defaultValue, int low, int high) const;

    std::unique_ptr<QSettings> m_settings;
};
