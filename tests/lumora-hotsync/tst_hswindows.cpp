#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "CTavDbClock.h"
#include "HsConnectionWindow.h"
#include "HsLogFile.h"
#include "HsLogWindow.h"
#include "HsOperationWindow.h"
#include "HsSettings.h"
#include "HsWindowLauncher.h"

class TestHsWindows : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_round = 0;

    static void screenshot(QWidget* window, const QString& name)
    {
        const QString folder = qEnvironmentVariable("LUMORA_SCREENSHOT_DIR");
        if (folder.isEmpty())
            return;
        QDir().mkpath(folder);
        window->grab().save(folder + u'/' + name + QStringLiteral(".png"));
    }

    template <typename T> static T* child(QWidget* window, const QString& name)
    {
        T* found = window->findChild<T*>(name);
        if (!found)
            qFatal("no child %s", qPrintable(name));
        return found;
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        qputenv("LUMORA_CONFIG_DIR", m_dir.filePath(QStringLiteral("config%1").arg(++m_round)).toUtf8());
        qputenv("LUMORA_RUNTIME_DIR", m_dir.filePath(QStringLiteral("run%1").arg(m_round)).toUtf8());
        CTavDbClock::Release();
    }

    void windowTitles_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("title");
        QTest::newRow("settings") << "--settings"
                                  << "HotSync 機能の動作設定";
        QTest::newRow("connection") << "--connection"
                                    << "起動/接続設定";
        QTest::newRow("log") << "--log"
                             << "HotSync ログ";
    }

    void windowTitles()
    {
        QFETCH(QString, option);
        QFETCH(QString, title);
        const std::unique_ptr<QDialog> window(HsWindowLauncher::create(option));
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), title);
        QVERIFY(HsWindowLauncher::wantsWindow({option}));
        QVERIFY(!HsWindowLauncher::wantsWindow({QStringLiteral("status")}));
    }

    void operationSettingsAreKeptOnOkOnly()
    {
        {
            HsOperationWindow window;
            window.show();
            child<QComboBox>(&window, QStringLiteral("action_memo"))->setCurrentIndex(3);
            window.reject();
        }
        QCOMPARE(HsSettings().action(3), HsSettings::Action::Synchronize);
        QVERIFY(!QFile::exists(HsSettings::filePath()));
        {
            HsOperationWindow window;
            window.show();
            child<QComboBox>(&window, QStringLiteral("action_memo"))->setCurrentIndex(3);
            child<QComboBox>(&window, QStringLiteral("action_datebook"))->setCurrentIndex(1);
            child<QCheckBox>(&window, QStringLiteral("showLog"))->setChecked(true);
            screenshot(&window, QStringLiteral("hotsync-operation"));
            window.accept();
            QCOMPARE(window.result(), int(QDialog::Accepted));
        }
        const HsSettings settings;
        QCOMPARE(settings.action(0), HsSettings::Action::PcOverwrites);
        QCOMPARE(settings.action(3), HsSettings::Action::Nothing);
        QCOMPARE(settings.action(1), HsSettings::Action::Synchronize);
        QVERIFY(settings.showLogAfterSync());
        HsOperationWindow again;
        QCOMPARE(child<QComboBox>(&again, QStringLiteral("action_memo"))->currentIndex(), 3);
    }

    void connectionFieldsFollowTheKind()
    {
        HsConnectionWindow window;
        window.show();
        auto* serial = child<QRadioButton>(&window, QStringLiteral("kind_1"));
        auto* network = child<QRadioButton>(&window, QStringLiteral("kind_2"));
        auto* host = child<QLineEdit>(&window, QStringLiteral("host"));
        auto* port = child<QComboBox>(&window, QStringLiteral("serialPort"));
        QVERIFY(!host->isEnabled() && !port->isEnabled());
        QTest::mouseClick(serial, Qt::LeftButton, {}, QPoint(8, serial->height() / 2));
        QVERIFY(port->isEnabled() && !host->isEnabled());
        QTest::mouseClick(network, Qt::LeftButton, {}, QPoint(8, network->height() / 2));
        QVERIFY(host->isEnabled() && !port->isEnabled());

        // A network connection needs a host; the window stays and nothing is written.
        window.accept();
        QVERIFY(window.isVisible());
        QVERIFY(child<QLabel>(&window, QStringLiteral("error"))->isVisible());
        QVERIFY(!QFile::exists(HsSettings::filePath()));

        QTest::keyClicks(host, QStringLiteral(" cradle.local "));
        QVERIFY(!child<QLabel>(&window, QStringLiteral("error"))->isVisible());
        child<QSpinBox>(&window, QStringLiteral("port"))->setValue(20000);
        child<QCheckBox>(&window, QStringLiteral("startAtLogin"))->setChecked(false);
        screenshot(&window, QStringLiteral("hotsync-connection"));
        window.accept();
        QVERIFY(!window.isVisible());
        const HsSettings settings;
        QCOMPARE(settings.connection(), HsSettings::Connection::Network);
        QCOMPARE(settings.networkHost(), QStringLiteral("cradle.local"));
        QCOMPARE(settings.networkPort(), 20000);
        QVERIFY(!settings.startAtLogin());
    }

    void damagedSettingsFallBackToDefaults()
    {
        QDir().mkpath(QFileInfo(HsSettings::filePath()).absolutePath());
        {
            QSettings raw(HsSettings::filePath(), QSettings::IniFormat);
            raw.setValue(QStringLiteral("Connection/Kind"), 7);
            raw.setValue(QStringLiteral("Connection/Port"), 70000);
            raw.setValue(QStringLiteral("Connection/SerialSpeed"), 1234);
            raw.setValue(QStringLiteral("Operation/memo"), QStringLiteral("fast"));
            raw.setValue(QStringLiteral("Operation/todo"), -2);
        }
        const HsSettings settings;
        QCOMPARE(settings.connection(), HsSettings::Connection::Local);
        QCOMPARE(settings.networkPort(), HsSettings::kDefaultNetworkPort);
        QCOMPARE(settings.serialSpeed(), 115200);
        QCOMPARE(settings.action(3), HsSettings::Action::Synchronize);
        QCOMPARE(settings.action(2), HsSettings::Action::Synchronize);
        HsConnectionWindow window; // opens on the defaults instead of failing
        QVERIFY(child<QRadioButton>(&window, QStringLiteral("kind_0"))->isChecked());
    }

    void logKeepsTheNewestEntries()
    {
        // A full log written by an earlier run, then one more HotSync.
        const QDateTime start(QDate(2024, 5, 1), QTime(9, 0));
        QByteArray full;
        for (int i = 0; i < HsLogFile::kMaxEntries + 2; ++i)
            full +=
                start.addSecs(i).toString(Qt::ISODate).toUtf8() + "\tentry " + QByteArray::number(i) + '\n';
        QDir().mkpath(QFileInfo(HsLogFile::filePath()).absolutePath());
        QFile file(HsLogFile::filePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(full);
        file.close();
        QCOMPARE(HsLogFile::read().size(), HsLogFile::kMaxEntries);

        CTavDbClock::SetFixed(start.addSecs(HsLogFile::kMaxEntries + 2));
        QVERIFY(HsLogFile::append(QStringLiteral("entry %1").arg(HsLogFile::kMaxEntries + 2)));
        const QList<HsLogFile::Entry> entries = HsLogFile::read();
        QCOMPARE(entries.size(), HsLogFile::kMaxEntries);
        QCOMPARE(entries.first().text, QStringLiteral("entry 3"));
        QCOMPARE(entries.last().text, QStringLiteral("entry %1").arg(HsLogFile::kMaxEntries + 2));
        QCOMPARE(entries.last().time, start.addSecs(HsLogFile::kMaxEntries + 2));
    }

    void logSurvivesOddTextAndDamagedLines()
    {
        CTavDbClock::SetFixed(QDateTime(QDate(2024, 5, 1), QTime(9, 0)));
        QVERIFY(HsLogFile::append(QStringLiteral("拒否しました: 一行目\n二行目\tタブ")));
        QFile file(HsLogFile::filePath());
        QVERIFY(file.open(QIODevice::Append));
        file.write("no tab here\n\tno time\nnot-a-time\tx\n\xff\xfe\n");
        file.close();
        QVERIFY(HsLogFile::append(QStringLiteral("後")));
        const QList<HsLogFile::Entry> entries = HsLogFile::read();
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries.first().text, QStringLiteral("拒否しました: 一行目 二行目 タブ"));
        QCOMPARE(entries.last().text, QStringLiteral("後"));
    }

    void logWindowShowsNewestFirstAndClears()
    {
        for (int i = 0; i < 3; ++i) {
            CTavDbClock::SetFixed(QDateTime(QDate(2024, 5, 1), QTime(9, i)));
            HsLogFile::append(QStringLiteral("HotSync %1").arg(i));
        }
        HsLogWindow window;
        window.show();
        auto* list = child<QTreeWidget>(&window, QStringLiteral("log"));
        QCOMPARE(list->topLevelItemCount(), 3);
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("2024/05/01 09:02:00"));
        QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("HotSync 2"));
        screenshot(&window, QStringLiteral("hotsync-log"));

        // Entries another process adds appear while the window is open.
        HsLogFile::append(QStringLiteral("HotSync 3"));
        QTRY_COMPARE(list->topLevelItemCount(), 4);

        QTest::mouseClick(child<QPushButton>(&window, QStringLiteral("clear")), Qt::LeftButton);
        QCOMPARE(list->topLevelItemCount(), 0);
        QVERIFY(HsLogFile::read().isEmpty());
    }
};

QTEST_MAIN(TestHsWindows)
#include "tst_hswindows.moc"
