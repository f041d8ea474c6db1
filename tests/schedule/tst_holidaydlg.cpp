#include <QTest>
#include <QtWidgets>

#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavDbClock.h"
#include "CTavDbHolidayImport.h"
#include "CTavDbText.h"
#include "CTavDbUser.h"
#include "CTavProfile.h"
#include "CTavScDayFrame.h"
#include "CTavScDayView.h"
#include "CTavScDisplayCommands.h"
#include "CTavScHolidayDlg.h"
#include "ScheduleState.h"
#include "TavCommandIds.h"

using Cmd = CTavScDisplayCommands;

// Without the handheld's databases the schedule shows computed holidays and six-day labels;
// the holiday list imports the government's list, which then wins for its years.
class TestHolidayDlg : public QObject
{
    Q_OBJECT

    static void importTwice(CTavScHolidayDlg& dialog)
    {
        QCOMPARE(dialog.List()->topLevelItemCount(), 21);
        QCOMPARE(dialog.SourceLabel()->text(), QStringLiteral("出典: 計算"));
        AppTestEnv::Screenshot(&dialog, QStringLiteral("holiday-dialog-computed"));
        dialog.ImportButton()->click(); // the bad file: a message, nothing changes
        QCOMPARE(dialog.List()->topLevelItemCount(), 21);
        dialog.ImportButton()->click();
        QCOMPARE(dialog.List()->topLevelItemCount(), 2);
        QCOMPARE(dialog.SourceLabel()->text(), QStringLiteral("出典: 取り込んだ一覧"));
        AppTestEnv::Screenshot(&dialog, QStringLiteral("holiday-dialog-imported"));
        dialog.YearBox()->setValue(2023);
        QCOMPARE(dialog.SourceLabel()->text(), QStringLiteral("出典: 計算"));
    }

private slots:
    void computedThenImported()
    {
        const QDate equinox(2024, 3, 20);
        CTavDbClock::SetFixed(QDateTime(equinox, QTime(10, 0)));
        AppTestEnv env;
        AppTestEnv::AddUser(QStringLiteral("Hanako"));
        std::unique_ptr<CTavApp> app = env.Start();
        auto* frame = qobject_cast<CTavScDayFrame*>(app->Frame(TavSlot::Day));
        QVERIFY(frame);
        ScheduleState& state = ScheduleState::Of(*app);
        const QString title = CTavScDayView::DayTitle(equinox);
        const auto header = [&] { return frame->View()->GetColum(0)->GetTitle(); };
        frame->DisplayCommands()->Action(Cmd::ShowHolidays)->trigger();
        frame->DisplayCommands()->Action(Cmd::ShowSixDay)->trigger();
        state.GoToDate(equinox);
        QCOMPARE(header(), title + QStringLiteral("  春分の日  赤口"));
        AppTestEnv::Screenshot(app->MainFrame(), QStringLiteral("day-window-computed-holiday"));

        const QString folder = env.Dir().path() + QStringLiteral("/import/");
        QDir().mkpath(folder);
        QFile bad(folder + "bad.csv"), good(folder + "syukujitsu.csv");
        QVERIFY(bad.open(QIODevice::WriteOnly) && good.open(QIODevice::WriteOnly));
        bad.write(CTavDbText::toCp932(QStringLiteral("2024/3/20,春分の日\n三月,なし\n")));
        good.write(CTavDbText::toCp932(QStringLiteral("国民の祝日・休日月日,国民の祝日・休日名称\r\n"
                                                      "2024/1/1,元日\r\n2024/3/20,春分の日（取込）\r\n")));
        bad.close();
        good.close();

        env.AnswerDialog([](CTavDialogBase& d) {
            auto* dialog = qobject_cast<CTavScHolidayDlg*>(&d);
            if (dialog)
                importTwice(*dialog);
            d.accept();
            return int(QDialog::Accepted);
        });
        env.AnswerDialog(AppTestEnv::ChooseFile(bad.fileName()));
        env.AnswerMessage(TavMsg::IdOk);
        env.AnswerDialog(AppTestEnv::ChooseFile(good.fileName()));
        frame->DisplayCommands()->Action(Cmd::HolidayList)->trigger();
        QVERIFY(env.AllAnswersUsed());
        QCOMPARE(env.Messages().size(), 1);
        QVERIFY2(env.Messages().first().contains(QStringLiteral("bad.csv の 2 行目")),
                 qPrintable(env.Messages().first()));
        QVERIFY(QFile::exists(CTavDbHolidayImport::PathIn(app->Users().GetCurrUserPath())));
        QCOMPARE(header(), title + QStringLiteral("  春分の日（取込）  赤口"));

        AppTestEnv::Close(app);
        CTavDbClock::Release();
    }
};

QTEST_MAIN(TestHolidayDlg)
#include "tst_holidaydlg.moc"
