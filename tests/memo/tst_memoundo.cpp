#include <QMenu>
#include <QTest>
#include <QUndoStack>

#include "CTavFrameActions.h"
#include "CTavOptions.h"
#include "MemoFixture.h"
#include "TavMemoCommandIds.h"
#include "TavStrings.h"

// Undo and redo of memo pad edits from the edit menu, and when they are not offered.
class TestMemoUndo : public QObject
{
    Q_OBJECT
    MemoFixture m_f;

    CTavFrameActions& actions() { return m_f.App().MainFrame()->Actions(); }
    // The entry's text without its mnemonic, after the states were brought up to date.
    QString entry(int command)
    {
        actions().UpdateCommandUI();
        QAction* a = actions().Action(command);
        return a->isEnabled() ? a->text().section(u'(', 0, 0) : QString();
    }

private slots:
    void init() { m_f.Start(); }
    void cleanup()
    {
        m_f.Stop();
        CTavOptions::instance().Reset();
    }

    void deletedMemoComesBackWithItsId()
    {
        CTavOptions::instance().SetCheckDelete(0);
        CTavOptions::instance().SetCheckBackup(1);
        m_f.ClickRow(4);
        const uint32_t id = m_f.Doc().Entry(4)->uniqueId;
        const QStringList listed = m_f.Listed();
        m_f.List().setFocus();
        QTest::keyClick(&m_f.List(), Qt::Key_Delete);
        QVERIFY(m_f.Store().FindRecord(id)->IsArchived());

        QCOMPARE(entry(TavCmd::EditUndo), QStringLiteral("元に戻す: メモの削除"));
        QMenu* edit = actions().Menu(QStringLiteral("編集"));
        QCOMPARE(edit->actions().first(), actions().Action(TavCmd::EditUndo));
        edit->popup(m_f.App().MainFrame()->mapToGlobal(QPoint(60, 40)));
        AppTestEnv::Screenshot(edit, QStringLiteral("memopad-edit-menu"));
        edit->hide();

        actions().Trigger(TavCmd::EditUndo);
        const CTavDbPcRecord* back = m_f.Store().FindRecord(id);
        QVERIFY(back && !back->IsDeleted() && !back->IsArchived());
        QCOMPARE(m_f.Listed(), listed);
        QCOMPARE(entry(TavCmd::EditRedo), QStringLiteral("やり直し: メモの削除"));
        actions().Trigger(TavCmd::EditRedo);
        QVERIFY(m_f.Store().FindRecord(id)->IsDeleted());
    }

    void pasteOfManyIsOneStep()
    {
        m_f.List().SelectAllRows();
        m_f.Frame().Trigger(TavMemoCmd::Copy);
        m_f.Frame().Trigger(TavMemoCmd::Paste);
        const int pasted = m_f.Doc().Count();
        QVERIFY(pasted > MemoFixture::kMemoCount + 5);
        QCOMPARE(entry(TavCmd::EditUndo), QStringLiteral("元に戻す: 貼り付け"));
        actions().Trigger(TavCmd::EditUndo);
        QCOMPARE(m_f.Doc().Count(), MemoFixture::kMemoCount);
        actions().Trigger(TavCmd::EditRedo);
        QCOMPARE(m_f.Doc().Count(), pasted);
    }
};

QTEST_MAIN(TestMemoUndo)
#include "tst_memoundo.moc"
