#include <QDir>
#include <QFile>
#include <QTest>

#include "CTavDbEnv.h"
#include "CTavDbMemo.h"
#include "CTavDbUser.h"
#include "TestDataDir.h"

class TestUsers : public QObject
{
    Q_OBJECT

private slots:
    void usersKeepIdsFoldersAndData()
    {
        TestDataDir dir;
        CTavDbUser users;
        QCOMPARE(users.AddUser(QStringLiteral("山田 太郎")), TavStatusCode::Ok);
        QCOMPARE(users.AddUser(QStringLiteral("佐藤")), TavStatusCode::Ok);
        QCOMPARE(users.AddUser(QStringLiteral("佐藤")), TavStatusCode::Duplicate);
        QCOMPARE(users.AddUser(QStringLiteral("  ")), TavStatusCode::InvalidArgument);
        const uint32_t id = users.GetUserID(QStringLiteral("佐藤"));
        const QString path = users.GetUserPath(QStringLiteral("佐藤"));
        QVERIFY(QDir(path + CTavDbEnv::GetQuillosDir()).exists());
        // Data written under the old name is found under the new one, by a second reader.
        users.SetCurrUserName(QStringLiteral("佐藤"));
        CTavDbMemo store;
        store.AttachUsers(&users);
        QCOMPARE(store.Load(), TavStatusCode::Ok);
        CTavDbMemoRecord r;
        QCOMPARE(store.AddRecord(r), TavStatusCode::Ok);
        QCOMPARE(store.Write(), TavStatusCode::Ok);
        QCOMPARE(users.UpdateUser(QStringLiteral("佐藤"), QStringLiteral("山田 太郎")),
                 TavStatusCode::Duplicate);
        QCOMPARE(users.UpdateUser(QStringLiteral("佐藤"), QStringLiteral("佐藤 花子")), TavStatusCode::Ok);
        QCOMPARE(users.GetCurrUserName(), QStringLiteral("佐藤 花子"));
        CTavDbUser again;
        QCOMPARE(again.GetUserNameList(), (QStringList{"山田 太郎", "佐藤 花子"}));
        QCOMPARE(again.GetUserID(QStringLiteral("佐藤 花子")), id);
        again.SetCurrUserName(QStringLiteral("佐藤 花子"));
        store.AttachUsers(&again);
        QCOMPARE(store.Load(), TavStatusCode::Ok);
        QCOMPARE(store.GetRecordCount(), 1);
        // A new user never inherits the folder or id of a deleted one.
        QCOMPARE(again.DeleteUser(QStringLiteral("佐藤 花子")), TavStatusCode::Ok);
        QVERIFY(!QDir(path).exists());
        QCOMPARE(again.AddUser(QStringLiteral("新人")), TavStatusCode::Ok);
        QVERIFY(again.GetUserID(QStringLiteral("新人")) != id);
        QVERIFY(again.GetUserPath(QStringLiteral("新人")) != path);
    }

    void passwordsAreStoredOnlyAsHashes()
    {
        TestDataDir dir;
        CTavDbUser users;
        users.AddUser(QStringLiteral("鈴木"));
        QVERIFY(users.IsValidPassword(QStringLiteral("鈴木"), QStringLiteral("何でも")));
        QCOMPARE(users.SetPassword(QStringLiteral("鈴木"), QStringLiteral("ひみつ123")), TavStatusCode::Ok);
        QVERIFY(!users.IsValidPassword(QStringLiteral("鈴木"), QStringLiteral("ひみつ124")));
        QVERIFY(!users.IsValidPassword(QStringLiteral("いない"), QStringLiteral("ひみつ123")));
        QFile list(CTavDbEnv::GetCorePath() + QStringLiteral("users.json"));
        QVERIFY(list.open(QIODevice::ReadOnly));
        const QByteArray saved = list.readAll();
        QVERIFY(!saved.contains(QStringLiteral("ひみつ123").toUtf8()));
        QVERIFY(saved.contains("$argon2id$"));
        CTavDbUser reread;
        QVERIFY(reread.IsValidPassword(QStringLiteral("鈴木"), QStringLiteral("ひみつ123")));
        QCOMPARE(reread.SetPassword(QStringLiteral("鈴木"), QString()), TavStatusCode::Ok);
        QVERIFY(!reread.IsSettingPassword(QStringLiteral("鈴木")));
    }

    void damagedUserListIsNotLost()
    {
        TestDataDir dir;
        // Cut short, and two names on one data folder (deleting one would delete the other's).
        for (const QByteArray& damaged :
             {QByteArray("{\"users\": [ {\"id\": 1, \"name\": \"途中で"),
              QByteArray(R"({"users": [{"id": 1, "name": "途中で"}, {"id": 1, "name": "B"}]})")}) {
            QVERIFY(TestDataDir::WriteFile(CTavDbEnv::GetCorePath() + QStringLiteral("users.json"), damaged));
            CTavDbUser users;
            QCOMPARE(users.Reload(), TavStatusCode::Corrupt);
            // Adding a user must not overwrite the unreadable list.
            QVERIFY(users.AddUser(QStringLiteral("別の人")) != TavStatusCode::Ok);
            QCOMPARE(TestDataDir::ReadFile(CTavDbEnv::GetCorePath() + QStringLiteral("users.json")), damaged);
        }
    }
};

QTEST_GUILESS_MAIN(TestUsers)
#include "tst_users.moc"
