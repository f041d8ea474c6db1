#include <QTest>
#include <QUndoStack>

#include "AddrFixture.h"
#include "CTavAddrCsvImportDlg.h"
#include "CTavAddrFileCommands.h"
#include "CTavOptions.h"
#include "TavAddrCommandIds.h"

// The file commands: which file goes where on import, what the user is told, backup files.
class TestAddrFiles : public QObject
{
    Q_OBJECT
    AddrFixture m_f;
    QString path(const QString& name) { return m_f.Env().Dir().filePath(name); }
    void touch(const QString& name)
    {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("x");
    }

private slots:
    void init() { m_f.Start(); }
    void cleanup() { m_f.Stop(); }

    void importChoosesByExtension()
    {
        // An unknown kind brings the dialog back and says nothing; a broken desktop backup file is named.
        touch(QStringLiteral("cards.txt"));
        touch(QStringLiteral("cards.ABA"));
        m_f.Env().AnswerDialog(AppTestEnv::ChooseFile(path(QStringLiteral("cards.txt"))));
        m_f.Env().AnswerDialog(AppTestEnv::PressCancel());
        m_f.Frame().Trigger(TavAddrCmd::Import);
        QCOMPARE(m_f.Env().DialogTitles(), QStringList(2, QStringLiteral("インポート"))); // shown again
        QVERIFY(m_f.Env().Messages().isEmpty());
        m_f.Env().AnswerDialog(AppTestEnv::ChooseFile(path(QStringLiteral("cards.ABA"))));
        m_f.Frame().Trigger(TavAddrCmd::Import);
        QCOMPARE(m_f.Env().Messages().size(), 1);
        QVERIFY(m_f.Env().Messages().first().contains(QStringLiteral("cards.ABA")));
        QCOMPARE(m_f.Doc().UndoStack().count(), 0);

        // A comma-separated file is checked in its own dialog first, with no HotSync meanwhile.
        m_f.Env().ClearRecords();
        touch(QStringLiteral("cards.Csv"));
        int readyDuring = -1;
        m_f.Env().AnswerDialog(AppTestEnv::ChooseFile(path(QStringLiteral("cards.Csv"))));
        m_f.Env().AnswerDialog([this, &readyDuring](CTavDialogBase& d) {
            readyDuring = qobject_cast<CTavAddrCsvImportDlg*>(&d) ? m_f.App().readyForSync() : -2;
            d.reject();
            return d.result();
        });
        m_f.Frame().Trigger(TavAddrCmd::Import);
        QCOMPARE(readyDuring, 0);
        QCOMPARE(m_f.App().readyForSync(), 1);
        QVERIFY(m_f.Env().Messages().isEmpty());
        QCOMPARE(m_f.Store().GetRecordCount(), AddrFixture::kCardCount);
        QCOMPARE(m_f.Doc().UndoStack().count(), 0);
    }

    void backupRoundTrip()
    {
        m_f.Env().AnswerDialog(AppTestEnv::ChooseFile(path(QStringLiteral("cards.abc"))));
        m_f.Frame().Trigger(TavAddrCmd::Export);
        QCOMPARE(m_f.Env().Messages().last(), QStringLiteral("エクスポート完了"));
        CTavOptions::instance().SetCheckDelete(1);
        m_f.Frame().Trigger(TavAddrCmd::SelectAll);
        m_f.Env().AnswerDialog([](CTavDialogBase& d) {
            d.accept();
            return d.result();
        });
        m_f.Frame().Trigger(TavAddrCmd::Delete);
        QCOMPARE(m_f.Store().GetRecordCount(), 0);
        // The extension in capitals is still a backup file; the whole import is one step.
        QVERIFY(QFile::rename(path(QStringLiteral("cards.abc")), path(QStringLiteral("CARDS.ABC"))));
        m_f.Env().AnswerDialog(AppTestEnv::ChooseFile(path(QStringLiteral("CARDS.ABC"))));
        m_f.Frame().Trigger(TavAddrCmd::Import);
        QCOMPARE(m_f.Store().GetRecordCount(), AddrFixture::kCardCount);
        QCOMPARE(m_f.Env().Messages().last(), CTavAddrFileCommands::ImportedMessage(AddrFixture::kCardCount));
        QCOMPARE(m_f.Doc().Count(), AddrFixture::kCardCount);
        m_f.Doc().UndoStack().undo();
        QCOMPARE(m_f.Store().GetRecordCount(), 0);
    }

    void exportTellsFailure()
    {
        // A folder that cannot be made: its parent is a file.
        touch(QStringLiteral("blocker"));
        m_f.Env().AnswerDialog(AppTestEnv::ChooseFile(path(QStringLiteral("blocker/cards.csv"))));
        m_f.Frame().Trigger(TavAddrCmd::Export);
        QCOMPARE(m_f.Env().Messages().last(), QStringLiteral("cards.csv にエクスポートできませんでした。"));
        QCOMPARE(m_f.Doc().Count(), AddrFixture::kCardCount);
    }
};

QTEST_MAIN(TestAddrFiles)
#include "tst_addrfiles.moc"
