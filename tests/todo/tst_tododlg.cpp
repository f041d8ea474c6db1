#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
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
#include "CTavTodoDoc.h"
#include "CTavTodoEditDlg.h"
#include "CTavTodoFrame.h"
#include "CTavTodoPrefsDlg.h"
#include "TavCommandIds.h"

using Box = CTavTodoDateBox;

namespace {
const QDate kToday(2026, 3, 10);

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

    CTavDbTodo& store() { return m_app->TodoStore(); }
    CTavTodoDoc& doc() { return *static_cast<CTavTodoFrame*>(m_app->Frame(TavSlot::Todo))->TodoDoc(); }
    uint32_t category(const QString& name)
    {
        uint32_t id = 0;
        if (const CTavDbCategory* c = store().FindCategoryByName(name))
            return c->GetID();
        store().AddCategory(name, &id);
        return id;
    }

private slots:
    void init()
    {
        CTavDbClock::SetFixed(QDateTime(kToday, QTime(10, 30)));
        m_env = std::make_unique<AppTestEnv>();
        AppTestEnv::AddUser(QStringLiteral("Hanako"));
        m_app = m_env->Start();
        QVERIFY(m_app && m_app->MainFrame());
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
        QVERIFY(!accepted(dlg));
        dlg.TitleEdit()->setText(bytesOf(257));
        QVERIFY(!accepted(dlg));
        dlg.TitleEdit()->setText(bytesOf(256));
        QVERIFY(!accepted(dlg));
        QCOMPARE(m_env->Messages(),
                 (QStringList{
                     QStringLiteral(
                         "件名が入力されていません。タイトルを入力して[OK]ボタンをクリックしてください。"),
                     QStringLiteral("To Do件名(タイトル:257バイト)を 1～256 バイト以内に編集してください。"),
                     QStringLiteral("コメントを4Kバイト以内に編集してください。")}));
        // The messages belong to the dialog, not to the main window.
        QCOMPARE(m_env->MessageParentTitles().value(0), CTavTodoEditDlg::kNewTitle);

        // Line breaks count one byte each, in the title as in the note.
        dlg.NoteEdit()->setPlainText(bytesOf(4094) + QStringLiteral("\n\n"));
        QVERIFY(accepted(dlg));
        CTavDbTodoRecord twoLines;
        twoLines.SetDesc(QString(127, u'漢') + QStringLiteral("\r\na"));
        CTavTodoEditDlg edit(*m_app, twoLines, false);
        QVERIFY(accepted(edit));
        QCOMPARE(edit.Task().GetDesc(), twoLines.GetDesc());
        QCOMPARE(m_env->Messages().size(), 3);
    }

    void datesRepeatAndCalendar()
    {
        CTavDbTodoRecord task = CTavTodoEditDlg::NewTask(*m_app, CTavTodoDoc::kAllCategories);
        task.SetDesc(QStringLiteral("見積もり"));
        CTavTodoEditDlg dlg(*m_app, task, true);
        Box* start = dlg.StartBox();
        Box* due = dlg.DueBox();
        QCOMPARE(start->currentText(), QStringLiteral("指定なし"));
        QCOMPARE(dlg.RepeatText()->text(), QStringLiteral("なし"));
        QVERIFY(!dlg.RepeatButton()->isEnabled());

        // The four entries count from now; the box then shows the day.
        const std::pair<int, TavTime> entries[] = {{Box::Today, day(3, 10)},
                                                   {Box::Tomorrow, day(3, 11)},
                                                   {Box::InOneWeek, day(3, 17)},
                                                   {Box::InTwoWeeks, day(3, 24)}};
        for (const auto& [entry, expected] : entries) {
            due->Choose(entry);
            QCOMPARE(due->Date(), expected);
        }
        QCOMPARE(due->currentText(), QStringLiteral("2026/03/24"));
        QVERIFY(dlg.RepeatButton()->isEnabled());
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
        QCOMPARE(dlg.Task().GetStartDate(), day(3, 17));
        QCOMPARE(dlg.Task().GetDueDate(), day(3, 17));
        due->Choose(Box::Today);
        start->Choose(Box::NoDate);
        QVERIFY(accepted(dlg));
        QCOMPARE(dlg.Task().GetStartDate(), maxDateTime);

        // The calendar starts on the shown day; Cancel keeps it.
        m_env->AnswerDialog([](CTavDialogBase& d) {
            auto* pick = qobject_cast<CTavScDatePickDlg*>(&d);
            if (!pick || pick->Date() != kToday)
                return int(QDialog::Rejected);
            pick->Calendar()->setSelectedDate(QDate(2026, 5, 1));
            AppTestEnv::Screenshot(pick, QStringLiteral("todo-date-pick"));
            return int(QDialog::Accepted);
        });
        m_env->AnswerDialog(AppTestEnv::PressCancel());
        due->Choose(Box::FromCalendar);
        QCOMPARE(due->Date(), day(5, 1));
        QCOMPARE(due->currentText(), QStringLiteral("2026/05/01"));
        due->Choose(Box::FromCalendar);
        QCOMPARE(due->Date(), day(5, 1));
        QCOMPARE(due->currentIndex(), 0);
        QVERIFY(m_env->AllAnswersUsed());
    }

    void existingTaskKeepsWhatTheDialogDoesNotShow()
    {
        const uint32_t work = category(QStringLiteral("仕事"));
        CTavDbTodoRecord task;
        task.SetDesc(QStringLiteral("報告書"));
        task.SetNote(QStringLiteral("一行目\n二行目"));
        task.SetPriority(4);
        task.SetStartDate(day(3, 1));
        // A due date within its day (as older files have it) is stored as the day's start.
        task.SetDueDate(day(3, 20) + 86399);
        task.SetCategoryID(work);
        task.SetPrivate(true);
        task.SetCompleted(true);
        task.SetIndentLevel(2);
        task.SetFolded(true);
        task.SetQuilloName(QStringLiteral("打ち合わせ"));
        CTavTodoEditDlg dlg(*m_app, task, false);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("To Do 編集ダイアログ"));
        QCOMPARE(dlg.PriorityBox()->currentText(), QStringLiteral("4"));
        QCOMPARE(dlg.CategoryBox()->currentText(), QStringLiteral("仕事"));
        QCOMPARE(dlg.SheetLabel()->text(), QStringLiteral("打ち合わせ"));
        QVERIFY(dlg.PrivateBox()->isChecked());
        dlg.ClipboardEdit()->setPlainText(QStringLiteral("貼り付け元"));
        dlg.show();
        AppTestEnv::Screenshot(&dlg, QStringLiteral("todo-edit"));
        dlg.ClipboardClearButton()->click();
        QVERIFY(dlg.ClipboardEdit()->toPlainText().isEmpty());
        QVERIFY(accepted(dlg));
        CTavDbTodoRecord expected = task;
        expected.SetDueDate(day(3, 20));
        QVERIFY(dlg.Task().IsEqualPdt(expected));
        QVERIFY(dlg.Task().GetIsPrivate());

        CTavTodoEditDlg changed(*m_app, task, false);
        changed.PriorityBox()->setCurrentIndex(0);
        changed.CategoryBox()->setCurrentIndex(0);
        changed.PrivateBox()->setChecked(false);
        changed.SheetUnlinkButton()->click();
        QVERIFY(!changed.SheetUnlinkButton()->isEnabled());
        QVERIFY(accepted(changed));
        const CTavDbTodoRecord& out = changed.Task();
        QCOMPARE(out.GetPriority(), 1);
        QCOMPARE(out.GetCategoryID(), CTavDbPcRecord::kUnfiled);
        QVERIFY(!out.GetIsPrivate() && out.GetQuilloName().isEmpty());
        QVERIFY(out.GetCompleted() && out.GetFolded());
        QCOMPARE(out.GetIndentLevel(), 2);
    }

    void newTaskDefaultsFollowTheFilter()
    {
        const uint32_t work = category(QStringLiteral("仕事"));
        CTavDbTodoRecord task = CTavTodoEditDlg::NewTask(*m_app, work);
        QCOMPARE(task.GetCategoryID(), work);
        QCOMPARE(task.GetPriority(), 1);
        QVERIFY(!task.HasStartDate() && !task.HasDueDate() && !task.GetCompleted());
        QCOMPARE(CTavTodoEditDlg::NewTask(*m_app, CTavTodoDoc::kAllCategories).GetCategoryID(),
                 CTavDbPcRecord::kUnfiled);
        QCOMPARE(CTavTodoEditDlg::NewTask(*m_app, 77).GetCategoryID(), CTavDbPcRecord::kUnfiled);
        CTavTodoEditDlg dlg(*m_app, task, true);
        dlg.show();
        AppTestEnv::Screenshot(&dlg, QStringLiteral("todo-new"));
    }

    void prefsWriteTheKeysAndColours()
    {
        const auto key = [](const char* name) {
            return CTavProfile::GetProfileInt(CTavTodoDoc::kSection, QLatin1String(name), -1);
        };
        CTavTodoPrefsDlg dlg(doc());
        QCOMPARE(dlg.windowTitle(), QStringLiteral("To Do リストの表示設定"));
        QVERIFY(dlg.ShowCompletedBox()->isChecked() && dlg.RegistDateBox()->isChecked());
        int readyInside = -1;
        const uint32_t green = CTavScColorDlg::TextPalette().at(6);
        m_env->AnswerDialog([&](CTavDialogBase& d) {
            readyInside = m_app->readyForSync();
            auto* prefs = qobject_cast<CTavTodoPrefsDlg*>(&d);
            if (!prefs)
                return int(QDialog::Rejected);
            prefs->ShowCompletedBox()->setChecked(false);
            prefs->RegistDateBox()->setChecked(false);
            prefs->ColorButton(2)->click();
            prefs->ColorButton(0)->click();
            AppTestEnv::Screenshot(prefs, QStringLiteral("todo-prefs"));
            prefs->accept();
            return prefs->result();
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
        QCOMPARE(readyInside, 0);
        QCOMPARE(m_app->readyForSync(), 1);
        QCOMPARE(key("dispCompleted"), 0);
        QCOMPARE(key("registCompletedDate"), 0);
        QCOMPARE(key("dispColorDelayedRGB"), int(green));
        QCOMPARE(key("dispColorBeforeRGB"), 0);
        QCOMPARE(key("dispColorActiveRGB"), 0);
        QCOMPARE(doc().GetSettings().delayed, QColor(0, 0x80, 0));
        QVERIFY(!store().GetShowCompleted());

        // Cancel leaves the settings as they were.
        CTavTodoPrefsDlg again(doc());
        QVERIFY(!again.ShowCompletedBox()->isChecked());
        again.RegistDateBox()->setChecked(true);
        again.reject();
        QCOMPARE(key("registCompletedDate"), 0);
    }
};

QTEST_MAIN(TestTodoDlg)
#include "tst_tododlg.moc"
