#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "CTavColumnDlg.h"
#include "CTavDbClock.h"
#include "CTavMemoDlg.h"
#include "CTavMemoHeaderBand.h"
#include "CTavOptions.h"
#include "CTavProfile.h"
#include "CTavRecordDeleteDlg.h"
#include "MemoFixture.h"
#include "TavMemoCommandIds.h"

namespace {
void choose(QComboBox* box, const QString& text)
{
    box->setCurrentIndex(box->findText(text));
    emit box->activated(box->currentIndex());
}

// Types a memo into the memo dialog (keeping the category offered when none is given), OK.
int writeMemo(CTavDialogBase& d, const QString& text, const QString& category, bool isPrivate)
{
    auto* dlg = qobject_cast<CTavMemoDlg*>(&d);
    if (!dlg)
        return QDialog::Rejected;
    dlg->Edit()->setPlainText(text);
    if (!category.isEmpty())
        dlg->CategoryBox()->setCurrentText(category);
    dlg->PrivateBox()->setChecked(isPrivate);
    dlg->accept();
    return dlg->result();
}

const CTavDbMemoRecord* record(MemoFixture& f, uint32_t id)
{
    return static_cast<const CTavDbMemoRecord*>(f.Store().FindRecord(id));
}
} // namespace

// The memo window: order, filter, selection, the detail pane, the private modes, the columns,
// and new, edit and delete of memos.
class TestMemoWindow : public QObject
{
    Q_OBJECT
    MemoFixture m_f;

private slots:
    void init() { m_f.Start(); }
    void cleanup()
    {
        m_f.Stop();
        CTavOptions::instance().Reset();
    }

    void orderAndFilterComeBack()
    {
        // Kana in syllabary order (the collator decides where kanji go).
        const QStringList listed = m_f.Listed();
        QVERIFY(listed.indexOf(QStringLiteral("アイデア: 新しい企画")) <
                listed.indexOf(QStringLiteral("さくらの開花予想")));
        QVERIFY(listed.indexOf(QStringLiteral("のびた用事")) <
                listed.indexOf(QStringLiteral("ワインの銘柄")));
        AppTestEnv::Screenshot(m_f.App().MainFrame(), QStringLiteral("memopad-show"));
        choose(m_f.Frame().SortBox(), QStringLiteral("本体で指定した順番"));
        QCOMPARE(m_f.Listed().first(), QStringLiteral("会議の議事録"));
        QCOMPARE(m_f.Listed().last(), QStringLiteral("暗証番号のメモ"));
        m_f.Frame().Trigger(TavMemoCmd::SortSyllabary);
        QCOMPARE(m_f.Listed(), listed);

        choose(m_f.Frame().CategoryBox(), QStringLiteral("ビジネス"));
        QCOMPARE(m_f.Doc().Count(), 4);
        for (const CTavMemoEntry& e : m_f.Doc().Entries())
            QCOMPARE(e.categoryId, m_f.CategoryId(QStringLiteral("ビジネス")));
        m_f.Restart();
        QCOMPARE(m_f.Doc().Count(), 4);
        QCOMPARE(m_f.Frame().CategoryBox()->currentText(), QStringLiteral("ビジネス"));
        // A remembered category that is gone lists everything.
        CTavProfile::WriteProfileInt(QStringLiteral("memo"), QStringLiteral("dispCategory"), 42);
        m_f.Doc().Reload();
        QCOMPARE(m_f.Doc().Count(), MemoFixture::kMemoCount);
        QCOMPARE(m_f.Frame().CategoryBox()->currentIndex(), 0);
    }

    void selectionAndEditing()
    {
        // The current row is the one shown; Enter edits only one selected memo, a double click
        // the row under it.
        CTavMemoLeftView& list = m_f.List();
        m_f.ClickRow(2);
        m_f.ClickRow(4, Qt::ShiftModifier);
        QCOMPARE(m_f.Doc().Selected(), 4);
        m_f.ClickRow(4, Qt::ControlModifier); // off again: the first selected row is shown
        QCOMPARE(m_f.Doc().Selected(), 2);
        list.setFocus();
        QTest::keyClick(&list, Qt::Key_Return);
        QVERIFY(m_f.Env().DialogTitles().isEmpty());
        m_f.Env().AnswerDialog(AppTestEnv::PressCancel());
        const int y = CTavListView::kHeaderHeight + (7 - list.TopRow()) * list.RowHeight() + 3;
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(40, y));
        QCOMPARE(m_f.Env().DialogTitles(), QStringList{CTavMemoDlg::kEditTitle});
        QCOMPARE(m_f.Doc().Selected(), 7);
    }

    void privateModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("shown"); // empty: not listed
        QTest::newRow("show, braces and backslash literally") << 0 << MemoFixture::kPrivateText;
        QTest::newRow("mask") << 1 << "Private Data.";
        QTest::newRow("hide") << 2 << "";
    }
    void privateModes()
    {
        QFETCH(int, mode);
        QFETCH(QString, shown);
        m_f.SetPrivateMode(mode);
        QCOMPARE(m_f.Doc().Count(), MemoFixture::kMemoCount - (shown.isEmpty() ? 1 : 0));
        const int row = m_f.RowOf(QStringLiteral("暗証番号"));
        CTavMemoHeaderBand* band = m_f.Frame().RightView()->Band();
        QCOMPARE(row >= 0, !shown.isEmpty());
        if (row >= 0) {
            m_f.ClickRow(row);
            QCOMPARE(m_f.DetailText(), shown);
            QCOMPARE(band->CategoryText().isEmpty(), mode == 1); // a masked band is bare
        }
        const char* names[] = {"memopad-private-show", "memopad-private-mask", "memopad-private-hide"};
        AppTestEnv::Screenshot(m_f.App().MainFrame(), QLatin1String(names[mode]));
        m_f.ClickRow(m_f.RowOf(QStringLiteral("週報")));
        QCOMPARE(m_f.DetailText(), QStringLiteral("週報の下書き"));
        QCOMPARE(band->PositionText(),
                 QStringLiteral("%1/%2").arg(m_f.Doc().Selected() + 1).arg(m_f.Doc().Count()));
    }

    void byteLimit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("32766 bytes") << QString(16382, QChar(0x65E5)) + QStringLiteral("ab") << true;
        QTest::newRow("32767 bytes") << QString(16382, QChar(0x65E5)) + QStringLiteral("abc") << false;
        QTest::newRow("empty") << QString() << false;
    }
    void byteLimit()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        CTavMemoDlg dlg(m_f.Store());
        dlg.show();
        dlg.Edit()->setPlainText(text);
        dlg.accept();
        QCOMPARE(dlg.result() == QDialog::Accepted, accepted);
        QCOMPARE(m_f.Store().GetRecordCount(), MemoFixture::kMemoCount + (accepted ? 1 : 0));
        QCOMPARE(m_f.Env().Messages().size(), accepted ? 0 : 1);
        QCOMPARE(dlg.Edit()->toPlainText(), text); // a refused text stays for editing
    }

    void newAndEdit()
    {
        // Ctrl+N files the memo under the category shown; "新規" saves it and starts another.
        choose(m_f.Frame().CategoryBox(), QStringLiteral("アイデア"));
        m_f.Env().AnswerDialog([](CTavDialogBase& d) {
            auto* dlg = qobject_cast<CTavMemoDlg*>(&d);
            if (!dlg || dlg->CategoryBox()->currentText() != QStringLiteral("アイデア"))
                return int(QDialog::Rejected);
            dlg->Edit()->setPlainText(QStringLiteral("最初の新しいメモ"));
            dlg->NewButton()->click();
            if (!dlg->Edit()->toPlainText().isEmpty() || dlg->windowTitle() != CTavMemoDlg::kNewTitle)
                return int(QDialog::Rejected);
            AppTestEnv::Screenshot(dlg, QStringLiteral("dialog-memo"));
            return writeMemo(d, QStringLiteral("二つ目\n本文"), QString(), true);
        });
        m_f.List().setFocus();
        QTest::keyClick(&m_f.List(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(m_f.Doc().Count(), 3);
        QCOMPARE(m_f.DetailText(), QStringLiteral("二つ目\n本文")); // the new memo is shown
        const uint32_t id = m_f.Doc().Entry(m_f.Doc().Selected())->uniqueId;
        const TavTime created = CTavDbClock::NowSeconds();
        QCOMPARE(record(m_f, id)->GetCreateDateTime(), created);
        QVERIFY(record(m_f, id)->GetIsPrivate());

        // Editing keeps the memo's identity and creation time.
        CTavDbClock::SetFixed(QDateTime(QDate(2024, 11, 21), QTime(9, 0)));
        m_f.Env().AnswerDialog([](CTavDialogBase& d) {
            auto* dlg = qobject_cast<CTavMemoDlg*>(&d);
            return dlg && dlg->Edit()->toPlainText() == QStringLiteral("二つ目\n本文")
                       ? writeMemo(d, QStringLiteral("書き直した"), QStringLiteral("ビジネス"), false)
                       : int(QDialog::Rejected);
        });
        m_f.Frame().findChild<QPushButton*>(QStringLiteral("editMemoButton"))->click();
        QCOMPARE(record(m_f, id)->GetMemo(), QStringLiteral("書き直した"));
        QCOMPARE(record(m_f, id)->GetCreateDateTime(), created);
        QCOMPARE(record(m_f, id)->GetUpdateDateTime(), TavTime(CTavDbClock::NowSeconds()));
        QCOMPARE(m_f.Doc().Count(), 2); // moved out of the category shown
    }

    void editMaskedPrivateNeedsThePassword()
    {
        m_f.SetPassword(QStringLiteral("himitsu"));
        m_f.SetPrivateMode(1);
        m_f.ClickRow(m_f.RowOf(QStringLiteral("暗証番号")));
        m_f.Env().AnswerDialog(AppTestEnv::PressCancel());
        m_f.Frame().Trigger(TavMemoCmd::EditMemo);
        QCOMPARE(m_f.Env().DialogTitles().size(), 1); // the password only
        m_f.Env().AnswerDialog(AppTestEnv::TypePassword(QStringLiteral("himitsu")));
        m_f.Env().AnswerDialog(AppTestEnv::PressCancel());
        m_f.Frame().Trigger(TavMemoCmd::EditMemo);
        QCOMPARE(m_f.Env().DialogTitles().size(), 3);
        QCOMPARE(m_f.Env().DialogTitles().last(), CTavMemoDlg::kEditTitle);
        // An ordinary memo needs no password while masked.
        m_f.ClickRow(m_f.RowOf(QStringLiteral("週報")));
        m_f.Env().AnswerDialog(AppTestEnv::PressCancel());
        m_f.Frame().Trigger(TavMemoCmd::EditMemo);
        QCOMPARE(m_f.Env().DialogTitles().size(), 4);
    }

    void deleteMemos_data()
    {
        QTest::addColumn<int>("checkBackup");
        QTest::addColumn<int>("answer"); // -1 not asked (no confirmation), 0 cancel, 1 OK
        QTest::addColumn<bool>("archived");
        QTest::newRow("asked, kept for the backup") << 0 << 1 << true;
        QTest::newRow("asked, not kept") << 1 << 1 << false;
        QTest::newRow("asked, cancelled") << 1 << 0 << false;
        QTest::newRow("not asked, backup option on") << 1 << -1 << true;
    }
    void deleteMemos()
    {
        QFETCH(int, checkBackup);
        QFETCH(int, answer);
        QFETCH(bool, archived);
        CTavOptions::instance().SetCheckDelete(answer >= 0 ? 1 : 0);
        CTavOptions::instance().SetCheckBackup(checkBackup);
        m_f.ClickRow(4);
        m_f.ClickRow(6, Qt::ShiftModifier);
        const QList<uint32_t> ids{m_f.Doc().Entry(4)->uniqueId, m_f.Doc().Entry(5)->uniqueId,
                                  m_f.Doc().Entry(6)->uniqueId};
        if (answer >= 0)
            m_f.Env().AnswerDialog([=](CTavDialogBase& d) {
                // The box starts with the backup option; a wrong start cancels and fails below.
                auto* dlg = qobject_cast<CTavRecordDeleteDlg*>(&d);
                if (!dlg || dlg->Backup() != bool(checkBackup) || answer == 0)
                    return int(QDialog::Rejected);
                AppTestEnv::Screenshot(dlg, QStringLiteral("dialog-memo-delete"));
                dlg->BackupBox()->setChecked(archived);
                dlg->accept();
                return dlg->result();
            });
        m_f.List().setFocus();
        QTest::keyClick(&m_f.List(), Qt::Key_Delete);
        QVERIFY(m_f.Env().AllAnswersUsed());
        QCOMPARE(m_f.Doc().Count(), MemoFixture::kMemoCount - (answer == 0 ? 0 : 3));
        for (uint32_t id : ids) {
            const CTavDbPcRecord* rec = m_f.Store().FindRecord(id);
            QCOMPARE(rec != nullptr, answer == 0 || archived);
            QVERIFY(!rec || answer == 0 || (rec->IsDeleted() && rec->IsArchived()));
        }
        if (answer != 0)
            QCOMPARE(m_f.List().Selection().SelectedRows(), QList<int>{4}); // the row after them
    }
};

QTEST_MAIN(TestMemoWindow)
#include "tst_memowindow.moc"
