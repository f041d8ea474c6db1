#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "CTavDbUser.h"
#include "CTavMessageBox.h"
#include "InstallQueue.h"
#include "InstallWindow.h"
#include "TestDataDir.h"

namespace {
const QString kHandheld = QStringLiteral(LUMORA_TEST_DATA_DIR "/handheld/");
} // namespace

class TestInstallTool : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestDataDir> m_dir;
    QStringList m_messages;

    // A file of the test's folder with the given bytes.
    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile file(m_dir->filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? file.fileName()
                                                                                    : QString();
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
    }
    void cleanup() { CTavMessageBox::SetHook({}); }

    void queueKeepsOneFilePerDatabase()
    {
        const QString folder = m_dir->filePath(QStringLiteral("queue"));
        InstallQueue queue(folder);
        QCOMPARE(queue.add(kHandheld + u"OnBoard.prc"_qs), QString());
        QCOMPARE(queue.add(kHandheld + u"MemoDB.pdb"_qs), QString());
        // A newer file of the same database (the name inside counts) takes the older one's place.
        QFile memo(kHandheld + u"MemoDB.pdb"_qs);
        QVERIFY(memo.open(QIODevice::ReadOnly));
        QCOMPARE(queue.add(writeFile(QStringLiteral("Memo-new.pdb"), memo.readAll())), QString());
        QCOMPARE(QDir(folder).entryList(QDir::Files), (QStringList{"Memo-new.pdb", "OnBoard.prc"}));
        QVERIFY(queue.remove(QStringLiteral("OnBoard.prc")));
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"Memo-new.pdb"});
    }

    void queueRefusesWhatIsNoDatabase_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes"); // null: no such file
        QFile f(kHandheld + u"ToDoDB.pdb"_qs);
        f.open(QIODevice::ReadOnly);
        QTest::newRow("picture") << "photo.jpg" << QByteArray("\xFF\xD8\xFF", 3);
        QTest::newRow("empty") << "empty.prc" << QByteArray("");
        QTest::newRow("cut short") << "ToDo.pdb" << f.readAll().left(120);
        QTest::newRow("missing") << "missing.prc" << QByteArray();
    }
    void queueRefusesWhatIsNoDatabase()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        const QString path = bytes.isNull() ? m_dir->filePath(name) : writeFile(name, bytes);
        const QString folder = m_dir->filePath(QStringLiteral("queue"));
        QVERIFY(!InstallQueue(folder).add(path).isEmpty());
        QVERIFY(!QFileInfo::exists(folder));
    }

    void windowQueuesPerUser()
    {
        // Without users nothing can be queued.
        QCOMPARE(InstallWindow().addFiles({kHandheld + u"OnBoard.prc"_qs}), 0);
        QCOMPARE(m_messages.size(), 1);
        CTavDbUser users;
        QCOMPARE(users.AddUser(QStringLiteral("Hanako")), TavStatusCode::Ok);
        QCOMPARE(users.AddUser(QStringLiteral("Taro")), TavStatusCode::Ok);
        InstallWindow window(QStringLiteral("Taro"));
        window.show();
        auto* userBox = window.findChild<QComboBox*>(QStringLiteral("userBox"));
        auto* list = window.findChild<QTreeWidget*>(QStringLiteral("queueList"));
        auto* remove = window.findChild<QPushButton*>(QStringLiteral("removeButton"));
        // One bad file among good ones is reported and the others still go in.
        const QStringList files{kHandheld + u"OnBoard.prc"_qs, writeFile(QStringLiteral("bad.prc"), ""),
                                kHandheld + u"ToDoDB.pdb"_qs};
        QCOMPARE(window.addFiles(files), 2);
        QVERIFY(m_messages.size() == 2 && m_messages.last().contains(QStringLiteral("bad.prc")));
        QCOMPARE(list->topLevelItemCount(), 2);
        const QString screenshots = qEnvironmentVariable("LUMORA_SCREENSHOT_DIR");
        if (!screenshots.isEmpty())
            window.grab().save(screenshots + QStringLiteral("/install-tool.png"));
        // Another user has a queue of their own.
        userBox->setCurrentText(QStringLiteral("Hanako"));
        QCOMPARE(list->topLevelItemCount(), 0);
        QVERIFY(!remove->isEnabled());
        userBox->setCurrentText(QStringLiteral("Taro"));
        list->topLevelItem(1)->setSelected(true);
        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(QDir(window.currentFolder()).entryList(QDir::Files), QStringList{"OnBoard.prc"});
        // A file of a queued file's name replaces it only when the user says so.
        QCOMPARE(window.addFiles({writeFile(QStringLiteral("OnBoard.prc"), "")}), 0);
        QVERIFY(m_messages.last().contains(QStringLiteral("置き換えますか")));
    }
};

QTEST_MAIN(TestInstallTool)
#include "tst_installtool.moc"
