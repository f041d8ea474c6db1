#include <QEventLoop>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <future>

#include "CTavHotSyncChannel.h"
#include "CTavHotSyncManager.h"
#include "CTavHotSyncNotifier.h"
#include "CTavSyncSession.h"

using Answer = CTavHotSyncChannel::Answer;
using MaybeAnswer = std::optional<Answer>;

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

    QTemporaryDir m_dir;
    int m_round = 0;
    QList<int> m_received;

    // A listening channel that notes each notification and gives the answer.
    void listen(CTavHotSyncChannel& channel, const Answer& answer)
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
        qunsetenv("LUMORA_PRESENCE_TIMEOUT_MS"); // a listener that never answers is waited for
        qputenv("LUMORA_RUNTIME_DIR", m_dir.filePath(QStringLiteral("run%1").arg(++m_round)).toUtf8());
        m_received.clear();
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

    // A program that takes the call but does not answer in time (this thread runs no event
    // loop) is busy, not absent: no writer may go on beside it.
    void busyProgramIsNotAbsent()
    {
        CTavHotSyncChannel channel;
        listen(channel, Answer{0, {}});
        bool reached = false;
        QVERIFY(!CTavSyncSession::presence(200, &reached) && reached);
        CTavSyncSession session;
        QCOMPARE(session.begin(QString(), 1, 200), CTavSyncSession::Outcome::Failed);
        QVERIFY(m_received.isEmpty());
    }

    // A broken request drops only its own client; the next one gets its answer, whatever text
    // it carries.
    void brokenRequestsDropOnlyTheirClient_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::newRow("not json") << QByteArray("hello\n");
        QTest::newRow("fraction") << QByteArray("{\"notification\":1.5}\n");
        QTest::newRow("beyond int") << QByteArray("{\"notification\":4294967296}\n");
        QTest::newRow("endless line") << QByteArray(70 * 1024, ' ');
    }
    void brokenRequestsDropOnlyTheirClient()
    {
        QFETCH(QByteArray, request);
        CTavHotSyncChannel channel;
        listen(channel, Answer{-1, u"ダイアログを閉じて、\"HotSync\"\tを\n押す"_qs});
        QLocalSocket client;
        client.connectToServer(CTavHotSyncManager::programSocketName());
        QVERIFY(client.waitForConnected());
        client.write(request);
        QTRY_COMPARE(client.state(), QLocalSocket::UnconnectedState);
        QCOMPARE(client.bytesAvailable(), 0);
        const MaybeAnswer got = send(0x7fffffff);
        QVERIFY(got && got->value == -1);
        QCOMPARE(got->explanation, u"ダイアログを閉じて、\"HotSync\"\tを\n押す"_qs);
        QCOMPARE(m_received, QList<int>{0x7fffffff});
    }

    void aSecondChannelDoesNotTakeOverALiveOne()
    {
        CTavHotSyncChannel first;
        listen(first, Answer{7, {}});
        CTavHotSyncChannel second;
        QVERIFY(!second.listen());
        const MaybeAnswer got = send(4);
        QVERIFY(got && got->value == 7);
    }

    void notificationsWaitForTheOneBeingAnswered()
    {
        // A handler that lets events run (a repaint, a nested loop) must not be entered twice.
        CTavHotSyncChannel channel;
        QVERIFY(channel.listen());
        int depth = 0, deepest = 0;
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
        QVERIFY(first && second && first->value == 0 && second->value == 1);
        QCOMPARE(m_received, (QList<int>{0, 1}));
        QCOMPARE(deepest, 1);
    }
};

QTEST_GUILESS_MAIN(TestHotSyncChannel)
#include "tst_hotsyncchannel.moc"
