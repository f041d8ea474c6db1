#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "CTavApp.h"
#include "CTavCategoryDeleteDlg.h"
#include "CTavCategoryDlg.h"
#include "CTavCategoryNameDlg.h"
#include "CTavColumnDlg.h"
#include "CTavDbMemo.h"
#include "CTavDbText.h"
#include "CTavMemoCommands.h"
#include "CTavMemoDeleteDlg.h"
#include "CTavMemoDlg.h"
#include "CTavMemoDoc.h"
#include "CTavMemoFrame.h"
#include "CTavMemoLeftView.h"
#include "CTavOptions.h"
#include "MemoFixture.h"
#include "TavMemoCommandIds.h"
#include "TavStrings.h"

namespace {
// Types a memo into the memo dialog and presses OK (or "新規" first when more follow).
AppTestEnv::DialogAnswer writeMemo(const QString& text, const QString& category = QString(),
                                   bool isPrivate = false, const QString& shot = QString())
{
    return [=](CTavDialogBase& d) {
        auto* dlg = qobject_cast<CTavMemoDlg*>(&d);
        if (!dlg)
            return int(QDialog::Rejected);
        dlg->Edit()->setPlainText(text);
        if (!category.isEmpty())
            dlg->CategoryBox()->setCurrentText(category);
        dlg->PrivateBox()->setChecked(isPrivate);
        if (!shot.isEmpty())
            AppTestEnv::Screenshot(dlg, shot);
        dlg->accept();
        return dlg->result();
    };
}

AppTestEnv::DialogAnswer confirmDelete(bool backup)
{
    return [backup](CTavDialogBase& d) {
        auto* dlg = qobject_cast<CTavMemoDeleteDlg*>(&d);
        if (!dlg)
            return int(QDialog::Rejected);
        AppTestEnv::Screenshot(dlg, QStringLiteral("dialog-memo-delete"));
        dlg->BackupBox()->setChecked(backup);
        dlg->accept();
        return dlg->result();
    };
}
} // namespace

// New, edit and delete of memos, the memo dialog's limits, categories and columns.
class TestMemoEdit : public QObject
{
    Q_OBJECT
private slots:
    void init() {}
    void cleanup()
    {
        m_f.Stop();
        CTavOptions::instance().Reset();
    }
    void byteLimit_data();
    void byteLimit();
    void newMemos();
    void newAtTheRecordLimit();
    void editMaskedPrivateNeedsThePassword();
    void deleteMemos_data();
    void deleteMemos();
    void deleteInsideABackupFileAsks();
    void categoriesFromTheMemoPad();
    void columnsFromTheMemoPad();

private:
    MemoFixture m_f;
};

void TestMemoEdit::byteLimit_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("32766 bytes") << QString(16382, QChar(0x65E5)) + QStringLiteral("ab") << true;
    QTest::newRow("32767 bytes") << QString(16382, QChar(0x65E5)) + QStringLiteral("abc") << false;
    QTest::newRow("empty") << QString() << false;
}

void TestMemoEdit::byteLimit()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    m_f.Start();
    CTavMemoDlg dlg(m_f.Store());
    dlg.show();
    dlg.Edit()->setPlainText(text);
    QCOMPARE(dlg.Counter()->text(), CTavMemoDlg::CounterText(CTavDbText::mbLength(text)));
    dlg.accept();
    QCOMPARE(dlg.result() == QDialog::Accepted, accepted);
    QCOMPARE(m_f.Store().GetRecordCount(), MemoFixture::kMemoCount + (accepted ? 1 : 0));
    if (!accepted) {
        QCOMPARE(m_f.Env().Messages().size(), 1);
        QCOMPARE(dlg.Edit()->toPlainText(), text); // the text stays for editing
    }
}

void TestMemoEdit::newMemos()
{
    m_f.Start();
    // Ctrl+N in the list; the new memo is filed under the category shown.
    m_f.Frame().CategoryBox()->setCurrentText(QStringLiteral("アイデア"));
    emit m_f.Frame().CategoryBox()->activated(m_f.Frame().CategoryBox()->currentIndex());
    m_f.Env().AnswerDialog([](CTavDialogBase& d) {
        auto* dlg = qobject_cast<CTavMemoDlg*>(&d);
        if (!dlg || dlg->CategoryBox()->currentText() != QStringLiteral("アイデア"))
            return int(QDialog::Rejected);
        // "新規" saves and starts another memo; OK saves that one too.
        dlg->Edit()->setPlainText(QStringLiteral("最初の新しいメモ"));
        dlg->NewButton()->click();
        if (!dlg->Edit()->toPlainText().isEmpty() || dlg->windowTitle() != CTavMemoDlg::kNewTitle)
            return int(QDialog::Rejected);
        return writeMemo(QStringLiteral("二つ目\n本文"), QString(), true, QStringLiteral("dialog-memo"))(d);
    });
    m_f.List().setFocus();
    QTest::keyClick(&m_f.List(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(m_f.Store().GetRecordCount(), MemoFixture::kMemoCount + 2);
    const int row = m_f.Doc().Selected();
    QVERIFY(m_f.Doc().Entry(row)->isPrivate);
    QCOMPARE(m_f.DetailText(), QStringLiteral("二つ目\n本文"));
    const uint32_t id = m_f.Doc().Entry(row)->uniqueId;
    const auto* stored = static_cast<const CTavDbMemoRecord*>(m_f.Store().FindRecord(id));
    const TavTime now =
        static_cast<TavTime>(QDateTime(QDate(2024, 11, 20), QTime(10, 30)).toSecsSinceEpoch());
    QCOMPARE(stored->GetCreateDateTime(), now);
    QCOMPARE(stored->GetCategoryID(), m_f.CategoryId(QStringLiteral("アイデア")));

    // Editing through the button keeps the memo's identity and creation time.
    m_f.Env().AnswerDialog([](CTavDialogBase& d) {
        auto* dlg = qobject_cast<CTavMemoDlg*>(&d);
        return dlg && dlg->Edit()->toPlainText() == QStringLiteral("二つ目\n本文")
                   ? writeMemo(QStringLiteral("書き直した"), QStringLiteral("ビジネス"), false)(d)
                   : int(QDialog::Rejected);
    });
    m_f.Frame().findChild<QPushButton*>(QStringLiteral("editMemoButton"))->click();
    const auto* edited = static_cast<const CTavDbMemoRecord*>(m_f.Store().FindRecord(id));
    QCOMPARE(edited->GetMemo(), QStringLiteral("書き直した"));
    QCOMPARE(edited->GetCreateDateTime(), now);
    QCOMPARE(m_f.Doc().Count(), 3); // moved out of the category shown
}

void TestMemoEdit::newAtTheRecordLimit()
{
    m_f.Start();
    m_f.FillTo(CTavDbMemo::kMaxRecords);
    m_f.Frame().Trigger(TavMemoCmd::NewMemo);
    QCOMPARE(m_f.Env().Messages(), QStringList{CTavMemoCommands::RecordLimitMessage()});
    QVERIFY(m_f.Env().DialogTitles().isEmpty());
}

void TestMemoEdit::editMaskedPrivateNeedsThePassword()
{
    m_f.Start(QStringLiteral("himitsu"));
    m_f.SetPrivateMode(1);
    m_f.ClickRow(m_f.RowOf(QStringLiteral("暗証番号")));
    m_f.Env().ClearRecords();
    m_f.Env().AnswerDialog(AppTestEnv::TypePassword(QStringLiteral("wrong")));
    m_f.Env().AnswerDialog(AppTestEnv::PressCancel());
    m_f.Frame().Trigger(TavMemoCmd::EditMemo);
    QCOMPARE(m_f.Env().Messages(), QStringList{TavStr::InvalidPassword});
    QCOMPARE(m_f.Env().DialogTitles().size(), 2);
    m_f.Env().AnswerDialog(AppTestEnv::TypePassword(QStringLiteral("himitsu")));
    m_f.Env().AnswerDialog([](CTavDialogBase& d) {
        auto* dlg = qobject_cast<CTavMemoDlg*>(&d);
        return dlg && dlg->Edit()->toPlainText() == MemoFixture::kPrivateText ? int(QDialog::Rejected) : 99;
    });
    m_f.Frame().Trigger(TavMemoCmd::EditMemo);
    QCOMPARE(m_f.Env().DialogTitles().last(), CTavMemoDlg::kEditTitle);
    // An ordinary memo needs no password while masked.
    m_f.ClickRow(m_f.RowOf(QStringLiteral("週報")));
    m_f.Env().AnswerDialog(AppTestEnv::PressCancel());
    m_f.Frame().Trigger(TavMemoCmd::EditMemo);
    QCOMPARE(m_f.Env().DialogTitles().last(), CTavMemoDlg::kEditTitle);
    QVERIFY(m_f.Env().AllAnswersUsed());
}

void TestMemoEdit::deleteMemos_data()
{
    QTest::addColumn<int>("checkDelete");
    QTest::addColumn<int>("checkBackup");
    QTest::addColumn<int>("answer"); // 0 cancel, 1 OK without backup, 2 OK with backup
    QTest::addColumn<bool>("archived");
    QTest::newRow("asked, kept for the backup") << 1 << 0 << 2 << true;
    QTest::newRow("asked, not kept") << 1 << 1 << 1 << false;
    QTest::newRow("asked, cancelled") << 1 << 1 << 0 << false;
    QTest::newRow("not asked, backup option on") << 0 << 1 << -1 << true;
}

void TestMemoEdit::deleteMemos()
{
    QFETCH(int, checkDelete);
    QFETCH(int, checkBackup);
    QFETCH(int, answer);
    QFETCH(bool, archived);
    m_f.Start();
    CTavOptions::instance().SetCheckDelete(checkDelete);
    CTavOptions::instance().SetCheckBackup(checkBackup);
    m_f.ClickRow(4);
    m_f.ClickRow(6, Qt::ShiftModifier);
    QList<uint32_t> ids;
    for (int row = 4; row <= 6; ++row)
        ids << m_f.Doc().Entry(row)->uniqueId;
    if (answer == 0) {
        m_f.Env().AnswerDialog([](CTavDialogBase& d) {
            // The box starts with the backup option; a wrong start deletes and fails below.
            return qobject_cast<CTavMemoDeleteDlg*>(&d) && static_cast<CTavMemoDeleteDlg&>(d).Backup()
                       ? int(QDialog::Rejected)
                       : int(QDialog::Accepted);
        });
    } else if (answer > 0) {
        m_f.Env().AnswerDialog(confirmDelete(answer == 2));
    }
    m_f.List().setFocus();
    QTest::keyClick(&m_f.List(), Qt::Key_Delete);
    QVERIFY(m_f.Env().AllAnswersUsed());
    QCOMPARE(m_f.Env().DialogTitles().size(), answer < 0 ? 0 : 1);
    if (answer == 0) {
        QCOMPARE(m_f.Store().GetRecordCount(), MemoFixture::kMemoCount);
        return;
    }
    QCOMPARE(m_f.Doc().Count(), MemoFixture::kMemoCount - 3);
    for (uint32_t id : ids) {
        const CTavDbPcRecord* rec = m_f.Store().FindRecord(id);
        QCOMPARE(rec != nullptr, archived);
        if (rec)
            QVERIFY(rec->IsDeleted() && rec->IsArchived());
    }
    QCOMPARE(m_f.List().Selection().SelectedRows(), QList<int>{4}); // the row after the deleted ones
}

void TestMemoEdit::deleteInsideABackupFileAsks()
{
    m_f.Start();
    m_f.App().setBackupFileOpen(1);
    const uint32_t id = m_f.Doc().Entry(0)->uniqueId;
    m_f.ClickRow(0);
    m_f.Env().AnswerMessage(TavMsg::IdCancel);
    m_f.Frame().Trigger(TavMemoCmd::Delete);
    QCOMPARE(m_f.Env().Messages().size(), 1);
    QVERIFY(m_f.Store().FindRecord(id));

    m_f.Env().AnswerMessage(TavMsg::IdOk);
    m_f.Frame().Trigger(TavMemoCmd::Delete);
    QVERIFY(!m_f.Store().FindRecord(id)); // nothing is kept for a backup file
    QVERIFY(m_f.Env().DialogTitles().isEmpty());
    m_f.App().setBackupFileOpen(0);
}

void TestMemoEdit::categoriesFromTheMemoPad()
{
    // The editor opened from the memo pad works on its store; the list and its box follow.
    m_f.Start();
    const uint32_t idea = m_f.CategoryId(QStringLiteral("アイデア"));
    m_f.Env().AnswerDialog([this](CTavDialogBase& d) {
        auto& dlg = static_cast<CTavCategoryDlg&>(d);
        m_f.Env().AnswerDialog([](CTavDialogBase& n) {
            static_cast<CTavCategoryNameDlg&>(n).Edit()->setText(QStringLiteral("趣味"));
            n.accept();
            return n.result();
        });
        dlg.OnNew();
        dlg.List()->setCurrentItem(
            dlg.List()->findItems(QStringLiteral("アイデア"), Qt::MatchExactly).value(0));
        m_f.Env().AnswerDialog([](CTavDialogBase& del) {
            static_cast<CTavCategoryDeleteDlg&>(del).MoveChoice()->setChecked(true);
            del.accept();
            return del.result();
        });
        dlg.OnDelete();
        dlg.accept();
        return dlg.result();
    });
    m_f.Frame().Trigger(TavMemoCmd::Categories);
    QVERIFY(m_f.Env().AllAnswersUsed());
    QStringList boxItems;
    for (int i = 0; i < m_f.Frame().CategoryBox()->count(); ++i)
        boxItems << m_f.Frame().CategoryBox()->itemText(i);
    QCOMPARE(boxItems, (QStringList{"すべて", "未分類", "ビジネス", "パーソナル", "趣味"}));
    int unfiled = 0;
    for (const auto& rec : m_f.Store().AllRecords()) {
        QVERIFY(rec->GetCategoryID() != idea);
        unfiled += rec->GetCategoryID() == 0 ? 1 : 0;
    }
    QCOMPARE(unfiled, 4 + 2); // the unfiled ones and the two ideas
    QCOMPARE(m_f.Doc().Count(), MemoFixture::kMemoCount);
}

void TestMemoEdit::columnsFromTheMemoPad()
{
    m_f.Start();
    m_f.Env().AnswerDialog([](CTavDialogBase& d) {
        auto& dlg = static_cast<CTavColumnDlg&>(d);
        dlg.List()->item(1)->setCheckState(Qt::Unchecked); // カテゴリ
        dlg.List()->setCurrentRow(4);
        dlg.MoveUp(); // 更新日 before 作成日
        dlg.accept();
        return dlg.result();
    });
    m_f.Frame().Trigger(TavMemoCmd::Columns);
    auto check = [](const CTavListColumnTable& t) {
        QVERIFY(!t.At(1).shown);
        QCOMPARE(t.Kind(3), int(CTavMemoLeftView::KindUpdated));
        QCOMPARE(t.Kind(4), int(CTavMemoLeftView::KindCreated));
    };
    check(m_f.List().Columns());
    m_f.Restart();
    check(m_f.List().Columns());
    AppTestEnv::Screenshot(m_f.App().MainFrame(), QStringLiteral("memopad-columns"));
}

QTEST_MAIN(TestMemoEdit)
#include "tst_memoedit.moc"
