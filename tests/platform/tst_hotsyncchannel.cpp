#include <QEventLoop>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <future>

#include "CTavHotSyncChannel.h"
#include "CTavHotSyncManager.h"
#include "CTavHotSyncNotifier.h"

using Answer = CTavHotSyncChannel::Answer;
using MaybeAnswer = std::optional<Answer>;
Q_DECLARE_METATYPE(Answer)

namespace {
// The manager's side runs on a thread of its own, as it is another process in real use; the
// test's thread keeps the channel's event loop turning meanwhile.
std::future<MaybeAnswer> sendAsync(int notification, int timeoutMs = 10000)
{
    return std::async(std::launch::async, [=] { return CTavHotSyncNotifier::send(notification, timeoutMs); });
}

MaybeAnswer waitFor(std::future<MaybeAnswer>& pending)
{
    while (pending.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        QTest::qWait(5);
    return pending.get();
}

MaybeAnswer send(int notification)
{
    std::future<MaybeAnswer> pending = sendAsync(notification);
    return waitFor(pending);
}
} // namespace

class TestHotSyncChannel : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_round = 0;
    QList<int> m_received;

    void listenWithAnswer(CTavHotSyncChannel& channel, const Answer& answer)
    {
        QVERIFY(channel.listen());
        channel.setHandler([this, answer](int notification) {
            m_received.append(notification);
            return answer;
        });
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        qputenv("LUMORA_RUNTIME_DIR", m_dir.filePath(QStringLiteral("run%1").arg(++m_round)).toUtf8());
        m_received.clear();
    }

    void deliversEachNotificationAndItsAnswer_data()
    {
        QTest::addColumn<int>("notification");
        QTest::addColumn<Answer>("answer");
        QTest::newRow("request refused")
            << 0
            << Answer{1, QStringLiteral("データ編集中は HotSync 機能を実行できません。"
                                        "ダイアログを閉じて、\"HotSync\"\tボタンを\n押してください。")};
        QTest::newRow("unknown") << 5 << Answer{1, {}};
        QTest::newRow("largest") << 0x7fffffff << Answer{1, {}};
        QTest::newRow("presence") << 0xFFFF << Answer{0xBEC4, {}};
        QTest::newRow("negative answer") << 4 << Answer{-1, {}};
    }

    void deliversEachNotificationAndItsAnswer()
    {
        QFETCH(int, notification);
        QFETCH(Answer, answer);
        CTavHotSyncChannel channel;
        listenWithAnswer(channel, answer);

        const MaybeAnswer got = send(notification);
        QVERIFY(got);
        QCOMPARE(m_received, QList<int>{notification});
        QCOMPARE(got->value, answer.value);
        QCOMPARE(got->explanation, answer.explanation);
    }

    void withoutHandlerEverythingIsRefused()
    {
        CTavHotSyncChannel channel;
        QVERIFY(channel.listen());
        const MaybeAnswer got = send(0);
        QVERIFY(got);
        QCOMPARE(got->value, 1);
    }

    void noProgramNoAnswer()
    {
        QVERIFY(!send(0));
        // A socket file left by a program that died answers nothing either.
        {
            CTavHotSyncChannel channel;
            QVERIFY(channel.listen());
        }
        QVERIFY(!send(0));
    }

    void brokenRequestsDropOnlyTheirClient_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::newRow("not json") << QByteArray("hello\n");
        QTest::newRow("no number") << QByteArray("{\"value\":0}\n");
        QTest::newRow("fraction") << QByteArray("{\"notification\":1.5}\n");
        QTest::newRow("negative") << QByteArray("{\"notification\":-1}\n");
        QTest::newRow("beyond int") << QByteArray("{\"notification\":4294967296}\n");
        QTest::newRow("endless line") << QByteArray(70 * 1024, ' ');
    }

    void brokenRequestsDropOnlyTheirClient()
    {
        QFETCH(QByteArray, request);
        CTavHotSyncChannel channel;
        listenWithAnswer(channel, Answer{0, {}});

        QLocalSocket client;
        client.connectToServer(CTavHotSyncManager::programSocketName());
        QVERIFY(client.waitForConnected());
        client.write(request);
        QTRY_COMPARE(client.state(), QLocalSocket::UnconnectedState);
        QCOMPARE(client.bytesAvailable(), 0);
        QVERIFY(m_received.isEmpty());

        QVERIFY(send(4));
        QCOMPARE(m_received, QList<int>{4});
    }

    void answersInOrderOnOneConnection()
    {
        CTavHotSyncChannel channel;
        QVERIFY(channel.listen());
        channel.setHandler([](int notification) { return Answer{notification * 10, {}}; });

        QLocalSocket client;
        client.connectToServer(CTavHotSyncManager::programSocketName());
        QVERIFY(client.waitForConnected());
        client.write("{\"notification\":1}\n{\"notification\":2}\n{\"notif");
        QTest::qWait(50);
        client.write("ication\":3}\n");
        QByteArray received;
        QTRY_VERIFY((received += client.readAll()).count('\n') == 3);
        QCOMPARE(received, QByteArray("{\"explanation\":\"\",\"value\":10}\n"
                                      "{\"explanation\":\"\",\"value\":20}\n"
                                      "{\"explanation\":\"\",\"value\":30}\n"));
    }

    void aSecondChannelDoesNotTakeOverALiveOne()
    {
        CTavHotSyncChannel first;
        listenWithAnswer(first, Answer{7, {}});
        CTavHotSyncChannel second;
        QVERIFY(!second.listen());
        const MaybeAnswer got = send(4);
        QVERIFY(got);
        QCOMPARE(got->value, 7);
    }

    void notificationsWaitForTheOneBeingAnswered()
    {
        // A handler that lets events run (a repaint, a nested loop) must not be entered twice.
        CTavHotSyncChannel channel;
        QVERIFY(channel.listen());
        int depth = 0;
        int deepest = 0;
        std::future<MaybeAnswer> started;
        channel.setHandler([&](int notification) {
            deepest = qMax(deepest, ++depth);
            m_received.append(notification);
            if (notification == 0) {
                started = sendAsync(1);
                QEventLoop loop;
                QTimer::singleShot(300, &loop, &QEventLoop::quit);
                loop.exec();
            }
            --depth;
            return Answer{notification, {}};
        });
        std::future<MaybeAnswer> request = sendAsync(0);
        const MaybeAnswer first = waitFor(request);
        QTRY_VERIFY(started.valid());
        const MaybeAnswer second = waitFor(started);
        QVERIFY(first && second);
        QCOMPARE(first->value, 0);
        QCOMPARE(second->value, 1);
        QCOMPARE(m_received, (QList<int>{0, 1}));
        QCOMPARE(deepest, 1);
    }

    void aSlowProgramTimesOut()
    {
        CTavHotSyncChannel channel;
        QVERIFY(channel.listen());
        channel.setHandler([](int) {
            QThread::msleep(400);
            return Answer{0, {}};
        });
        std::future<MaybeAnswer> pending = sendAsync(0, 100);
        QVERIFY(!waitFor(pending));
    }
};

QTEST_GUILESS_MAIN(TestHotSyncChannel)
#include "tst_hotsyncchannel.moc"
