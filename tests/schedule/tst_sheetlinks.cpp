#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavDbDate.h"
#include "CTavDbEnv.h"
#include "CTavDbUser.h"
#include "CTavFrameActions.h"
#include "CTavFreeEditDlg.h"
#include "CTavMainFrame.h"
#include "CTavScDayFrame.h"
#include "CTavScDayPreview.h"
#include "CTavScMonthFrame.h"
#include "CTavScMonthRightView.h"
#include "CTavScPeriodSheet.h"
#include "CTavScWeekDoc.h"
#include "CTavScWeekFrame.h"
#include "CTavScWeekRightView.h"
#include "CTavSheetLink.h"
#include "ScheduleState.h"
#include "TavCommandIds.h"
#include "TestSheets.h"

namespace {
const QDate kMonday(2024, 5, 13);
const QString kStamp = QStringLiteral("20240513093005");

// The editor "saves" by writing the file it was opened on; paths collects what it was opened on.
AppTestEnv::DialogAnswer editorAnswer(QStringList* paths, bool save)
{
    return [paths, save](CTavDialogBase& d) {
        auto* editor = qobject_cast<CTavFreeEditDlg*>(&d);
        if (!editor)
            return 99;
        *paths << editor->Path();
        if (save && !TestSheets::write(editor->Path(), CTavDbFreePdbObjectManager::TypeOverlay,
                                       QStringLiteral("重ね")))
            return 98;
        return save ? int(QDialog::Accepted) : int(QDialog::Rejected);
    };
}
} // namespace

// The memo sheets of the schedule panes and events: overlays made, named, linked and opened.
class TestSheetLinks : public QObject
{
    Q_OBJECT
    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;
    ScheduleState* m_state = nullptr;

    CTavDbDate& store() { return m_app->DateStore(); }
    QString dayLink()
    {
        CTavDbDateDayRecord info;
        return store().GetDayInfo(CTavDbTime::dayKey(m_state->CurrentDay()), info) == TavStatusCode::Ok
                   ? info.GetSheetName()
                   : QString();
    }
    QString weekLink()
    {
        int year = 0;
        const int week =
            static_cast<CTavScWeekDoc*>(m_app->Frame(TavSlot::Week)->Document())->WeekNumber(&year);
        CTavDbDateWeekRecord info;
        return store().GetWeekInfo(year, week, info) == TavStatusCode::Ok ? info.GetSheetName() : QString();
    }
    QString monthLink()
    {
        CTavDbDateMonthRecord info;
        return store().GetMonthInfo(2024, 5, info) == TavStatusCode::Ok ? info.GetSheetName() : QString();
    }
    QPushButton* editButton(int module)
    {
        m_app->SwitchModule(module);
        switch (module) {
        case TavModule::Day:
            return static_cast<CTavScDayFrame*>(m_app->Frame(TavSlot::Day))->Preview()->EditButton();
        case TavModule::Week:
            return static_cast<CTavScWeekFrame*>(m_app->Frame(TavSlot::Week))->RightView()->EditButton();
        default:
            return static_cast<CTavScMonthFrame*>(m_app->Frame(TavSlot::Month))->Preview()->EditButton();
        }
    }
    QString undoText()
    {
        CTavFrameActions& actions = m_app->MainFrame()->Actions();
        actions.UpdateCommandUI();
        return actions.Action(TavCmd::EditUndo)->text().section(u'(', 0, 0);
    }

private slots:
    void init()
    {
        QVERIFY(AppTestEnv::StartAt(QDateTime(kMonday, QTime(9, 30, 5)), m_env, m_app));
        m_app->MainFrame()->resize(1024, 768);
        m_state = &ScheduleState::Of(*m_app);
    }
    void cleanup() { AppTestEnv::Finish(m_env, m_app); }

    // Each pane makes its own overlay, named by the moment and a free digit, linked as one
    // undo step; a cancelled editor links nothing.
    void overlayMadeNamedAndLinkedPerPeriod()
    {
        const QString folder = CTavScPeriodSheet::OverlayFolder(*m_app);
        QStringList opened;
        m_env->AnswerDialog(editorAnswer(&opened, false));
        editButton(TavModule::Day)->click();
        QVERIFY(dayLink().isEmpty());
        QCOMPARE(opened, QStringList{folder + u'/' + kStamp + QStringLiteral("0OverPC.pdb")});

        const struct
        {
            int module;
            std::function<QString()> link;
        } periods[] = {{TavModule::Day, [this] { return dayLink(); }},
                       {TavModule::Week, [this] { return weekLink(); }},
                       {TavModule::Month, [this] { return monthLink(); }}};
        int digit = 0;
        for (const auto& period : periods) {
            const QString name = kStamp + QString::number(digit++) + QStringLiteral("OverPC");
            m_env->AnswerDialog(editorAnswer(&opened, true));
            editButton(period.module)->click();
            QCOMPARE(period.link(), name);
            CTavDbFreePdbObjectManager sheet;
            QCOMPARE(sheet.LoadFromFile(folder + u'/' + name + QStringLiteral(".pdb")), TavStatusCode::Ok);
            QVERIFY(sheet.IsSheetOfType(CTavDbFreePdbObjectManager::TypeOverlay));
            QCOMPARE(undoText(), QStringLiteral("元に戻す: 手書きメモのリンク"));
            m_app->MainFrame()->Actions().Trigger(TavCmd::EditUndo);
            QVERIFY(period.link().isEmpty());
            m_app->MainFrame()->Actions().Trigger(TavCmd::EditRedo);
            QCOMPARE(period.link(), name);
        }
        // The day's overlay now opens as it is; the month preview draws it.
        m_env->AnswerDialog(editorAnswer(&opened, false));
        editButton(TavModule::Day)->click();
        QCOMPARE(opened.last(), folder + u'/' + kStamp + QStringLiteral("0OverPC.pdb"));
        QCOMPARE(dayLink(), kStamp + QStringLiteral("0OverPC"));
        m_app->SwitchModule(TavModule::Month);
        QTest::qWait(20);
        AppTestEnv::Screenshot(m_app->MainFrame(), QStringLiteral("month-overlay"));
        QVERIFY(m_env->AllAnswersUsed());
    }

    // A link whose file is gone asks; OK drops the link, Cancel keeps it. An event's sheet
    // opens in the editor, or is reported missing.
    void missingFilesAreReported()
    {
        m_app->SwitchModule(TavModule::Day);
        CTavScDayPreview* pane = static_cast<CTavScDayFrame*>(m_app->Frame(TavSlot::Day))->Preview();
        QVERIFY(pane->LinkSheet(QStringLiteral("20240101000000OverPC")));
        m_env->AnswerMessage(TavMsg::IdCancel);
        m_env->AnswerMessage(TavMsg::IdOk);
        pane->EditButton()->click();
        QCOMPARE(dayLink(), QStringLiteral("20240101000000OverPC"));
        pane->EditButton()->click();
        QVERIFY(dayLink().isEmpty());
        QCOMPARE(m_env->Messages(), QStringList(2, CTavScPeriodSheet::kMissingLink));
        QVERIFY(m_env->DialogTitles().isEmpty());

        m_env->ClearRecords();
        CTavScPeriodSheet::OpenEventSheet(*m_state, pane, QStringLiteral("消えたメモ"));
        QCOMPARE(m_env->Messages(), QStringList{CTavScPeriodSheet::kMissingEventSheet});
        const QString sheet = CTavSheetLink::Folder(*m_app) + QStringLiteral("/旅行メモ.pdb");
        QVERIFY(QDir().mkpath(CTavSheetLink::Folder(*m_app)));
        QVERIFY(TestSheets::write(sheet, CTavDbFreePdbObjectManager::TypeSheet, QStringLiteral("旅行")));
        QStringList opened;
        m_env->AnswerDialog(editorAnswer(&opened, false));
        CTavScPeriodSheet::OpenEventSheet(*m_state, pane, QStringLiteral("旅行メモ"));
        QCOMPARE(opened, QStringList{sheet});
    }
};

QTEST_MAIN(TestSheetLinks)
#include "tst_sheetlinks.moc"
