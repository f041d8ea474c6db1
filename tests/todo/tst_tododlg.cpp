#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavDbClock.h"
#include "CTavDbTodo.h"
#include "CTavProfile.h"
#include "CTavScColorDlg.h"
#include "CTavScDatePickDlg.h"
#include "CTavTodoDateBox.h"
#include "CTavTodoEditDlg.h"
#include "CTavTodoFrame.h"
#include "CTavTodoPrefsDlg.h"
#include "TavCommandIds.h"

using namespace Qt::StringLiterals;
using Box = CTavTodoDateBox;

namespace {
const auto day = [](int m, int d) { return CTavDbTime::fromDate(QDate(2026, m, d)); };

const auto key = [](const char* n) { return CTavProfile::GetProfileInt(CTavTodoDoc::kSection, n, -1); };

// Text of that many code page 932 bytes: double-byte kanji, then one ASCII letter.
const auto bytesOf = [](int bytes) { return QString(bytes / 2, u'漢') + (bytes % 2 ? u"a"_s : QString()); };

bool accepted(CTavTodoEditDlg& dlg)
{
    dlg.setResult(QDialog::Rejected);
    dlg.accept();
    return dlg.result() == QDialog::Accepted;
}
} // namespace

// The task dialog, its date boxes and the display settings, on a running program.
class TestTodoDlg : public QObject
{
    Q_OBJECT
    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;
    uint32_t m_work = 0;

    CTavDbTodo& store() { return m_app->TodoStore(); }

private slots:
    void init()
    {
        CTavDbClock::SetFixed(QDateTime(QDate(2026, 3, 10), QTime(10, 30)));
        m_env = std::make_unique<AppTestEnv>();
        AppTestEnv::AddUser(u"Hanako"_s);
        m_app = m_env->Start();
        QVERIFY(m_app && store().AddCategory(u"仕事"_s, &m_work) == TavStatusCode::Ok);
    }
    void cleanup() { AppTestEnv::Finish(m_env, m_app); }

    void titleAndNoteAreCheckedInOrder()
    {
        CTavTodoEditDlg dlg(*m_app, CTavTodoEditDlg::NewTask(*m_app, CTavTodoDoc::kAllCategories), true);
        QCOMPARE(dlg.windowTitle(), u"To Do 新規作成ダイアログ"_s);
        dlg.NoteEdit()->setPlainText(bytesOf(4097));
        for (const QString& title : {QString(), bytesOf(257), bytesOf(256)}) {
            dlg.TitleEdit()->setText(title);
            QVERIFY(!accepted(dlg));
        }
        QCOMPARE(
            m_env->Messages(),
            QStringList({u"件名が入力されていません。タイトルを入力して[OK]ボタンをクリックしてください。"_s,
                         u"To Do件名(タイトル:257バイト)を 1～256 バイト以内に編集してください。"_s,
                         u"コメントを4Kバイト以内に編集してください。"_s}));
        QCOMPARE(m_env->MessageParentTitles().value(0), CTavTodoEditDlg::kNewTitle);

        // Line breaks count one byte each, in the title as in the note.
        dlg.NoteEdit()->setPlainText(bytesOf(4094) + u"\n\n"_s);
        dlg.TitleEdit()->setText(QString(127, u'漢') + u"\r\na"_s);
        QVERIFY(accepted(dlg) && m_env->Messages().size() == 3);
    }

    void datesRepeatAndCalendar()
    {
        // A new task: priority 1, the category the outline shows (unfiled for all or unknown).
        QCOMPARE(CTavTodoEditDlg::NewTask(*m_app, m_work).GetCategoryID(), m_work);
        QCOMPARE(CTavTodoEditDlg::NewTask(*m_app, 77).GetCategoryID(), CTavDbPcRecord::kUnfiled);
        CTavDbTodoRecord task = CTavTodoEditDlg::NewTask(*m_app, CTavTodoDoc::kAllCategories);
        QVERIFY(task.GetCategoryID() == CTavDbPcRecord::kUnfiled && task.GetPriority() == 1);
        task.SetDesc(u"見積もり"_s);
        CTavTodoEditDlg dlg(*m_app, task, true);
        Box *start = dlg.StartBox(), *due = dlg.DueBox();
        QVERIFY(start->currentText() == u"指定なし"_s && !dlg.RepeatButton()->isEnabled());

        // The entries count from now; the box then shows the day.
        due->Choose(Box::Tomorrow);
        QCOMPARE(due->Date(), day(3, 11));
        due->Choose(Box::InTwoWeeks);
        QVERIFY(due->Date() == day(3, 24) && due->currentText() == u"2026/03/24"_s);
        dlg.RepeatButton()->click();
        QCOMPARE(m_env->Messages().value(0), CTavTodoEditDlg::kRepeatNote);
        due->Choose(Box::NoDate);
        QVERIFY(!dlg.RepeatButton()->isEnabled());
        start->Choose(Box::InOneWeek);
        QVERIFY(dlg.RepeatButton()->isEnabled());

        // Start after due is refused; the same day and "指定なし" on either side pass.
        due->Choose(Box::Today);
        QVERIFY(!accepted(dlg));
        QCOMPARE(m_env->Messages().value(1), u"期日が開始日の前です。"_s);
        due->Choose(Box::InOneWeek);
        QVERIFY(accepted(dlg));
        QVERIFY(dlg.Task().GetStartDate() == day(3, 17) && dlg.Task().GetDueDate() == day(3, 17));
        due->Choose(Box::Today);
        start->Choose(Box::NoDate);
        QVERIFY(accepted(dlg));

        // The calendar starts on the shown day; Cancel keeps it.
        m_env->AnswerDialog([](CTavDialogBase& d) {
            auto* pick = qobject_cast<CTavScDatePickDlg*>(&d);
            if (!pick || pick->Date() != QDate(2026, 3, 10))
                return int(QDialog::Rejected);
            pick->Calendar()->setSelectedDate(QDate(2026, 5, 1));
            AppTestEnv::Screenshot(pick, u"todo-date-pick"_s);
            return int(QDialog::Accepted);
        });
        m_env->AnswerDialog(AppTestEnv::PressCancel());
        due->Choose(Box::FromCalendar);
        QCOMPARE(due->currentText(), u"2026/05/01"_s);
        due->Choose(Box::FromCalendar);
        QCOMPARE(due->Date(), day(5, 1));
        QVERIFY(m_env->AllAnswersUsed());
    }

    void existingTaskKeepsWhatTheDialogDoesNotShow()
    {
        CTavDbTodoRecord task;
        task.SetDesc(u"報告書"_s);
        task.SetNote(u"一行目\n二行目"_s);
        task.SetPriority(4);
        task.SetStartDate(day(3, 1));
        task.SetDueDate(day(3, 20) + 86399); // stored as the start of its day
        task.SetCategoryID(m_work);
        task.SetPrivate(true);
        task.SetCompleted(true);
        task.SetIndentLevel(2);
        task.SetFolded(true);
        task.SetQuilloName(u"打ち合わせ"_s);
        CTavTodoEditDlg dlg(*m_app, task, false);
        QCOMPARE(dlg.windowTitle(), u"To Do 編集ダイアログ"_s);
        dlg.ClipboardEdit()->setPlainText(u"貼り付け元"_s);
        dlg.show();
        AppTestEnv::Screenshot(&dlg, u"todo-edit"_s);
        dlg.ClipboardClearButton()->click();
        QVERIFY(dlg.ClipboardEdit()->toPlainText().isEmpty() && accepted(dlg));
        CTavDbTodoRecord expected = task;
        expected.SetDueDate(day(3, 20));
        QVERIFY(dlg.Task().IsEqualPdt(expected) && dlg.Task().GetIsPrivate());

        CTavTodoEditDlg changed(*m_app, task, false);
        changed.PriorityBox()->setCurrentIndex(0);
        changed.CategoryBox()->setCurrentIndex(0);
        changed.PrivateBox()->setChecked(false);
        changed.SheetUnlinkButton()->click();
        QVERIFY(accepted(changed));
        const CTavDbTodoRecord& out = changed.Task();
        QVERIFY(out.GetPriority() == 1 && out.GetCategoryID() == CTavDbPcRecord::kUnfiled);
        QVERIFY(!out.GetIsPrivate() && out.GetQuilloName().isEmpty());
        QVERIFY(out.GetCompleted() && out.GetFolded() && out.GetIndentLevel() == 2);
    }

    void prefsWriteTheKeysAndColours()
    {
        CTavTodoDoc& doc = *static_cast<CTavTodoFrame*>(m_app->Frame(TavSlot::Todo))->TodoDoc();
        CTavTodoPrefsDlg dlg(doc);
        QCOMPARE(dlg.windowTitle(), u"To Do リストの表示設定"_s);
        int readyInside = -1;
        m_env->AnswerDialog([&](CTavDialogBase&) {
            readyInside = m_app->readyForSync();
            dlg.ShowCompletedBox()->setChecked(false);
            dlg.RegistDateBox()->setChecked(false);
            dlg.ColorButton(2)->click();
            dlg.ColorButton(0)->click();
            AppTestEnv::Screenshot(&dlg, u"todo-prefs"_s);
            dlg.accept();
            return dlg.result();
        });
        m_env->AnswerDialog([&](CTavDialogBase& d) {
            auto* colours = qobject_cast<CTavScColorDlg*>(&d);
            if (!colours || colours->windowTitle() != u"色の選択"_s || colours->NoColorButton()->isVisible())
                return int(QDialog::Rejected);
            AppTestEnv::Screenshot(colours, u"todo-prefs-colour"_s);
            colours->Swatches().at(6)->click();
            return int(QDialog::Accepted);
        });
        m_env->AnswerDialog(AppTestEnv::PressCancel());
        QCOMPARE(dlg.exec(), int(QDialog::Accepted));
        QVERIFY(readyInside == 0 && m_app->readyForSync() == 1);
        QVERIFY(key("dispCompleted") == 0 && key("registCompletedDate") == 0);
        QCOMPARE(key("dispColorDelayedRGB"), int(CTavScColorDlg::TextPalette().at(6)));
        QCOMPARE(key("dispColorBeforeRGB"), 0); // its colour dialog was cancelled
        QCOMPARE(doc.GetSettings().delayed, QColor(0, 0x80, 0));
        QVERIFY(!store().GetShowCompleted());
    }
};

QTEST_MAIN(TestTodoDlg)
#include "tst_tododlg.moc"
