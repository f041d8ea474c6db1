#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "CTavDbUser.h"
#include "CTavMessageBox.h"
#include "InstallQueue.h"
#include "InstallWindow.h"
#include "TestDataDir.h"

class TestInstallTool : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestDataDir> m_dir;
    QStringList m_messages;

    static QString palmFile(const QString& name)
    {
        return QStringLiteral(LUMORA_TEST_DATA_DIR "/handheld/") + name;
    }
    // A copy of a real database under another file name (the name inside stays).
    QString copyAs(const QString& source, const QString& name)
    {
        const QString path = m_dir->filePath(name);
        QFile::remove(path);
        return QFile::copy(palmFile(source), path) ? path : QString();
    }
    static QStringList fileNames(const QString& folder)
    {
        QStringList names;
        for (const InstallQueue::Entry& e : InstallQueue(folder).entries())
            names << e.fileName;
        return names;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<TestDataDir>();
        m_messages.clear();
        CTavMessageBox::SetHook([this](const CTavMessageRequest& r) {
            m_messages << r.text;
            return 1;
        });
        CTavDbUser users;
        QCOMPARE(users.AddUser(QStringLiteral("Hanako")), TavStatusCode::Ok);
        QCOMPARE(users.AddUser(QStringLiteral("Taro")), TavStatusCode::Ok);
    }
    void cleanup() { CTavMessageBox::SetHook({}); }

    void queueKeepsOneFilePerDatabase()
    {
        const QString folder = m_dir->filePath(QStringLiteral("queue"));
        InstallQueue queue(folder);
        QCOMPARE(queue.add(palmFile(QStringLiteral("OnBoard.prc"))), QString());
        QCOMPARE(queue.add(palmFile(QStringLiteral("MemoDB.pdb"))), QString());
        QCOMPARE(fileNames(folder),
                 (QStringList{QStringLiteral("MemoDB.pdb"), QStringLiteral("OnBoard.prc")}));
        const InstallQueue::Entry memo = queue.entries().first();
        QCOMPARE(memo.size, QFileInfo(palmFile(QStringLiteral("MemoDB.pdb"))).size());
        QVERIFY(!memo.databaseName.isEmpty());

        // A newer file of the same database takes the older one's place.
        QCOMPARE(queue.add(copyAs(QStringLiteral("MemoDB.pdb"), QStringLiteral("Memo-new.pdb"))), QString());
        QCOMPARE(fileNames(folder),
                 (QStringList{QStringLiteral("Memo-new.pdb"), QStringLiteral("OnBoard.prc")}));
        QVERIFY(queue.remove(QStringLiteral("OnBoard.prc")));
        QCOMPARE(fileNames(folder), QStringList{QStringLiteral("Memo-new.pdb")});
    }

    void queueRefusesWhatIsNoDatabase_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QString notDatabase =
            QStringLiteral("は Kiro のアプリケーションまたはデータベースではありません。");
        QTest::newRow("picture") << "photo.jpg" << QByteArray("\xFF\xD8\xFF", 3) << "だけです。";
        QTest::newRow("empty") << "empty.prc" << QByteArray() << notDatabase;
        QTest::newRow("text") << "notes.pdb" << QByteArray(200, 'x') << notDatabase;
        QFile f(palmFile(QStringLiteral("ToDoDB.pdb")));
        f.open(QIODevice::ReadOnly);
        QTest::newRow("cut short") << "ToDo.pdb" << f.readAll().left(120) << notDatabase;
    }
    void queueRefusesWhatIsNoDatabase()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        const QString path = m_dir->filePath(name);
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        const QString folder = m_dir->filePath(QStringLiteral("queue"));
        QVERIFY(InstallQueue(folder).add(path).endsWith(message));
        QVERIFY(!QFileInfo::exists(folder));
        QVERIFY(InstallQueue(folder)
                    .add(m_dir->filePath(QStringLiteral("missing.prc")))
                    .endsWith(QStringLiteral("を読み込めません。")));
    }

    void windowQueuesPerUser()
    {
        InstallWindow window(QStringLiteral("Taro"));
        window.show();
        auto* users = window.findChild<QComboBox*>(QStringLiteral("userBox"));
        auto* list = window.findChild<QTreeWidget*>(QStringLiteral("queueList"));
        auto* remove = window.findChild<QPushButton*>(QStringLiteral("removeButton"));
        QCOMPARE(users->currentText(), QStringLiteral("Taro"));
        QVERIFY(window.currentFolder().startsWith(CTavDbUser().GetUserPath(QStringLiteral("Taro"))));

        // One bad file among good ones is reported and the others still go in.
        const QString bad = m_dir->filePath(QStringLiteral("bad.prc"));
        QFile(bad).open(QIODevice::WriteOnly);
        QCOMPARE(window.addFiles(
                     {palmFile(QStringLiteral("OnBoard.prc")), bad, palmFile(QStringLiteral("ToDoDB.pdb"))}),
                 2);
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages.first().startsWith(QStringLiteral("\"bad.prc\"")));
        QCOMPARE(list->topLevelItemCount(), 2);
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("OnBoard.prc"));
        const QString screenshots = qEnvironmentVariable("LUMORA_SCREENSHOT_DIR");
        if (!screenshots.isEmpty())
            window.grab().save(screenshots + QStringLiteral("/install-tool.png"));

        // Another user has a queue of their own.
        users->setCurrentText(QStringLiteral("Hanako"));
        QCOMPARE(list->topLevelItemCount(), 0);
        QVERIFY(!remove->isEnabled());
        users->setCurrentText(QStringLiteral("Taro"));
        list->topLevelItem(1)->setSelected(true);
        QVERIFY(remove->isEnabled());
        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(fileNames(window.currentFolder()), QStringList{QStringLiteral("OnBoard.prc")});
    }

    void windowWithoutUsers()
    {
        m_dir = std::make_unique<TestDataDir>();
        InstallWindow window;
        QCOMPARE(window.addFiles({palmFile(QStringLiteral("OnBoard.prc"))}), 0);
        QCOMPARE(m_messages, QStringList{QStringLiteral("ユーザを追加してください。")});
    }
};

QTEST_MAIN(TestInstallTool)
#include "tst_installtool.moc"
