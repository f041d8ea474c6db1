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

using Box = CTavTodoDateBox;

namespace {
TavTime day(int month, int dayOfMonth)
{
    return CTavDbTime::fromDate(QDate(2026, month, dayOfMonth));
}

// Text of that many code page 932 bytes: double-byte kanji, then one ASCII letter.
QString bytesOf(int bytes)
{
    return QString(bytes / 2, u'漢') + (bytes % 2 ? QStringLiteral("a") : QString());
}

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
        AppTestEnv::AddUser(QStringLiteral("Hanako"));
        m_app = m_env->Start();
        QVERIFY(m_app && store().AddCategory(QStringLiteral("仕事"), &m_work) == TavStatusCode::Ok);
    }
    void cleanup()
    {
        AppTestEnv::Close(m_app);
        m_env.reset();
        CTavDbClock::Release();
    }

    void titleAndNoteAreCheckedInOrder()
    {
        CTavTodoEditDlg dlg(*m_app, CTavTodoEditDlg::NewTask(*m_app, CTavTodoDoc::kAllCategories), true);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("To Do 新規作成ダイアログ"));
        dlg.NoteEdit()->setPlainText(bytesOf(4097));
        for (const QString& title : {QString(), bytesOf(257), bytesOf(256)}) {
            dlg.TitleEdit()->setText(title);
            QVERIFY(!accepted(dlg));
        }
        QCOMPARE(m_env->Messages(),
                 (QStringList{
                     QStringLiteral(
                         "件名が入力されていません。タイトルを入力して[OK]ボタンをクリックしてください。"),
                     QStringLiteral("To Do件名(タイトル:257バイト)を 1～256 バイト以内に編集してください。"),
                     QStringLiteral("コメントを4Kバイト以内に編集してください。")}));
        QCOMPARE(m_env->MessageParentTitles().value(0), CTavTodoEditDlg::kNewTitle);

        // Line breaks count one byte each, in the title as in the note.
        dlg.NoteEdit()->setPlainText(bytesOf(4094) + QStringLiteral("\n\n"));
        dlg.TitleEdit()->setText(QString(127, u'漢') + QStringLiteral("\r\na"));
        QVERIFY(accepted(dlg));
        QCOMPARE(m_env->Messages().size(), 3);
    }

    void datesRepeatAndCalendar()
    {
        // A new task: priority 1, the category the outline shows (unfiled for all or unknown).
        QCOMPARE(CTavTodoEditDlg::NewTask(*m_app, m_work).GetCategoryID(), m_work);
        QCOMPARE(CTavTodoEditDlg::NewTask(*m_app, 77).GetCategoryID(), CTavDbPcRecord::kUnfiled);
        CTavDbTodoRecord task = CTavTodoEditDlg::NewTask(*m_app, CTavTodoDoc::kAllCategories);
        QVERIFY(task.GetCategoryID() == CTavDbPcRecord::kUnfiled && task.GetPriority() == 1);
        task.SetDesc(QStringLiteral("見積もり"));
        CTavTodoEditDlg dlg(*m_app, task, true);
        Box* start = dlg.StartBox();
        Box* due = dlg.DueBox();
        QVERIFY(start->currentText() == QStringLiteral("指定なし") && !dlg.RepeatButton()->isEnabled());

        // The entries count from now; the box then shows the day.
        due->Choose(Box::Tomorrow);
        QCOMPARE(due->Date(), day(3, 11));
        due->Choose(Box::InTwoWeeks);
        QCOMPARE(due->Date(), day(3, 24));
        QCOMPARE(due->currentText(), QStringLiteral("2026/03/24"));
        dlg.RepeatButton()->click();
        QCOMPARE(m_env->Messages().value(0), CTavTodoEditDlg::kRepeatNote);
        due->Choose(Box::NoDate);
        QVERIFY(!dlg.RepeatButton()->isEnabled());
        start->Choose(Box::InOneWeek);
        QVERIFY(dlg.RepeatButton()->isEnabled());

        // Start after due is refused; the same day and "指定なし" on either side pass.
        due->Choose(Box::Today);
        QVERIFY(!accepted(dlg));
        QCOMPARE(m_env->Messages().value(1), QStringLiteral("期日が開始日の前です。"));
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
            AppTestEnv::Screenshot(pick, QStringLiteral("todo-date-pick"));
            return int(QDialog::Accepted);
        });
        m_env->AnswerDialog(AppTestEnv::PressCancel());
        due->Choose(Box::FromCalendar);
        QCOMPARE(due->currentText(), QStringLiteral("2026/05/01"));
        due->Choose(Box::FromCalendar);
        QCOMPARE(due->Date(), day(5, 1));
        QVERIFY(m_env->AllAnswersUsed());
    }

    void existingTaskKeepsWhatTheDialogDoesNotShow()
    {
        CTavDbTodoRecord task;
        task.SetDesc(QStringLiteral("報告書"));
        task.SetNote(QStringLiteral("一行目\n二行目"));
        task.SetPriority(4);
        task.SetStartDate(day(3, 1));
        task.SetDueDate(day(3, 20) + 86399); // stored as the start of its day
        task.SetCategoryID(m_work);
        task.SetPrivate(true);
        task.SetCompleted(true);
        task.SetIndentLevel(2);
        task.SetFolded(true);
        task.SetQuilloName(QStringLiteral("打ち合わせ"));
        CTavTodoEditDlg dlg(*m_app, task, false);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("To Do 編集ダイアログ"));
        dlg.ClipboardEdit()->setPlainText(QStringLiteral("貼り付け元"));
        dlg.show();
        AppTestEnv::Screenshot(&dlg, QStringLiteral("todo-edit"));
        dlg.ClipboardClearButton()->click();
        QVERIFY(dlg.ClipboardEdit()->toPlainText().isEmpty());
        QVERIFY(accepted(dlg));
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
        const auto key = [](const char* name) {
            return CTavProfile::GetProfileInt(CTavTodoDoc::kSection, QLatin1String(name), -1);
        };
        CTavTodoDoc& doc = *static_cast<CTavTodoFrame*>(m_app->Frame(TavSlot::Todo))->TodoDoc();
        CTavTodoPrefsDlg dlg(doc);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("To Do リストの表示設定"));
        int readyInside = -1;
        m_env->AnswerDialog([&](CTavDialogBase&) {
            readyInside = m_app->readyForSync();
            dlg.ShowCompletedBox()->setChecked(false);
            dlg.RegistDateBox()->setChecked(false);
            dlg.ColorButton(2)->click();
            dlg.ColorButton(0)->click();
            AppTestEnv::Screenshot(&dlg, QStringLiteral("todo-prefs"));
            dlg.accept();
            return dlg.result();
        });
        m_env->AnswerDialog([&](CTavDialogBase& d) {
            auto* colours = qobject_cast<CTavScColorDlg*>(&d);
            if (!colours || colours->windowTitle() != QStringLiteral("色の選択") ||
                colours->NoColorButton()->isVisible())
                return int(QDialog::Rejected);
            AppTestEnv::Screenshot(colours, QStringLiteral("todo-prefs-colour"));
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
