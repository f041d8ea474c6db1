#include <QFile>
#include <QMenu>
#include <QTest>

#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavDbDate.h"
#include "CTavDbDateICalExchange.h"
#include "CTavDbUser.h"
#include "CTavDialogBase.h"
#include "CTavMainFrame.h"
#include "CTavScDayFrame.h"
#include "CTavScFileCommands.h"
#include "ScheduleState.h"
#include "ScheduleTestSupport.h"
#include "TavCommandIds.h"
#include "TavStrings.h"

namespace {
const QDate kDay(2024, 3, 11);

// Chooses the file, with a picture of the dialog as the user would see it.
AppTestEnv::DialogAnswer choose(const QString& path, const QString& shot, bool selectedOnly = false)
{
    return [=](CTavDialogBase& d) {
        AppTestEnv::Screenshot(&d, shot);
        return AppTestEnv::ChooseFile(path, selectedOnly)(d);
    };
}
} // namespace

// The schedule's file commands driven from the menu, their dialogs answered.
class TestScheduleFiles : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void menuEntries();
    void calendarImportIsOneUndoStepAndNamesRefusals();
    void exportAllOrSelectedAndBackupRoundTrip();

private:
    uint32_t addEvent(const QString& desc, int hour, bool isPrivate = false);
    CTavDbDate& store() const { return m_app->DateStore(); }

    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;
    CTavScDayFrame* m_frame = nullptr;
    CTavScFileCommands* m_files = nullptr;
};

void TestScheduleFiles::init()
{
    QVERIFY(AppTestEnv::StartAt(QDateTime(kDay, QTime(10, 0)), m_env, m_app));
    m_app->SwitchModule(TavModule::Day);
    m_frame = qobject_cast<CTavScDayFrame*>(m_app->Frame(TavSlot::Day));
    QVERIFY(m_frame);
    m_files = m_frame->FileCommands();
}

void TestScheduleFiles::cleanup()
{
    AppTestEnv::Finish(m_env, m_app);
}

uint32_t TestScheduleFiles::addEvent(const QString& desc, int hour, bool isPrivate)
{
    CTavDbDateRecord r;
    r.SetDesc(desc);
    r.SetStartTime(CTavDbTime::fromDateAndTime(kDay, QTime(hour, 0)));
    r.SetEndTime(r.GetStartTime() + 3600);
    r.SetPrivate(isPrivate);
    [&] { QCOMPARE(store().AddRecord(r), TavStatusCode::Ok); }();
    return r.GetUniqueId();
}

void TestScheduleFiles::menuEntries()
{
    QMenu menu;
    m_frame->FillMenu(CTavModuleFrame::FileMenu, &menu);
    QStringList texts;
    for (QAction* a : menu.actions())
        if (!a->isSeparator())
            texts << a->text();
    for (const char* text :
         {"インポート(&I)...", "エクスポート(&E)...", "vCal のインポート", "ｖCal 形式でエクスポート"})
        QVERIFY2(texts.contains(QString::fromUtf8(text)), text);
}

void TestScheduleFiles::calendarImportIsOneUndoStepAndNamesRefusals()
{
    addEvent(QStringLiteral("既存"), 9);
    const QString path = m_env->Dir().filePath(QStringLiteral("in.ics"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
        "BEGIN:VEVENT\r\nDTSTART:20240311T130000\r\nSUMMARY:Lunch\r\nCATEGORIES:仕事\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nDTSTART:20240312T090000\r\nRRULE:FREQ=WEEKLY;COUNT=4\r\nSUMMARY:Weekly\r\nEND:"
        "VEVENT\r\n"
        "BEGIN:VEVENT\r\nDTSTART:20240313T090000\r\nRRULE:FREQ=MINUTELY\r\nSUMMARY:Ticker\r\nEND:VEVENT\r\n"
        "END:VCALENDAR\r\n");
    file.close();
    m_env->ClearRecords();
    m_env->AnswerDialog(choose(path, QStringLiteral("schedule-vcal-import")));
    m_files->ImportCalendarAction()->trigger();
    QVERIFY(m_env->AllAnswersUsed());
    QCOMPARE(m_env->DialogTitles(), QStringList{CTavScFileCommands::kImportTitle});
    QCOMPARE(store().GetRecordCount(), 3);
    const QStringList messages = m_env->Messages();
    QCOMPARE(messages.size(), 2);
    QCOMPARE(messages.at(0), TavStr::Imported(QStringLiteral("予定表"), 2));
    QVERIFY2(messages.at(1).contains(QStringLiteral("「Ticker」")), qPrintable(messages.at(1)));

    // One undo takes back every imported event; redo brings them again.
    undoStep(*m_app, TavCmd::EditUndo, QStringLiteral("vCal のインポート"));
    QCOMPARE(store().GetRecordCount(), 1);
    undoStep(*m_app, TavCmd::EditRedo, QStringLiteral("vCal のインポート"));
    QCOMPARE(store().GetRecordCount(), 3);

    // A file that is no calendar changes nothing and leaves no step.
    const QString broken = m_env->Dir().filePath(QStringLiteral("broken.vcs"));
    QFile junk(broken);
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("hello");
    junk.close();
    m_env->ClearRecords();
    QVERIFY(!m_files->ImportFile(broken));
    QCOMPARE(store().GetRecordCount(), 3);
    QVERIFY(m_env->Messages().value(0).contains(QStringLiteral("broken.vcs")));
    undoStep(*m_app, TavCmd::EditUndo, QStringLiteral("vCal のインポート"));
}

void TestScheduleFiles::exportAllOrSelectedAndBackupRoundTrip()
{
    addEvent(QStringLiteral("朝会"), 9);
    const uint32_t lunch = addEvent(QStringLiteral("昼食"), 12);
    addEvent(QStringLiteral("秘密"), 18, true);
    m_app->setPrivateModeValue(2);
    m_app->Users().SetPassword(QStringLiteral("Hanako"), QStringLiteral("himitsu"));
    ScheduleState& state = ScheduleState::Of(*m_app);
    state.selectedEvent = static_cast<CTavDbDateRecord*>(store().FindRecord(lunch));

    const auto exported = [](const QString& path) {
        QFile f(path);
        QList<CTavDbDateICalEvent> events;
        QStringList notes;
        if (!f.open(QIODevice::ReadOnly) ||
            CTavDbDateICalExchange::Read(f.readAll(), &events, &notes) != TavStatusCode::Ok)
            return QStringList{QStringLiteral("unreadable")};
        QStringList descs;
        for (const CTavDbDateICalEvent& e : events)
            descs << e.record.GetDesc();
        return descs;
    };
    // Hidden private events go along only with the password; the user hears what stayed home.
    const QString all = m_env->Dir().filePath(QStringLiteral("all.vcs"));
    m_env->AnswerDialog(choose(all, QStringLiteral("schedule-vcal-export")));
    m_env->AnswerDialog(AppTestEnv::PressCancel());
    m_files->ExportCalendarAction()->trigger();
    QCOMPARE(exported(all), (QStringList{QStringLiteral("朝会"), QStringLiteral("昼食")}));
    QCOMPARE(m_env->Messages().last(),
             QStringLiteral("エクスポート完了\n\nプライベートの予定 1 件はエクスポートされていません。"));
    QVERIFY(m_env->DialogTitles().contains(CTavScFileCommands::kExportTitle));
    const QString one = m_env->Dir().filePath(QStringLiteral("one.ics"));
    m_env->AnswerDialog(AppTestEnv::ChooseFile(one, true));
    m_files->ExportCalendarAction()->trigger();
    QCOMPARE(exported(one), QStringList{QStringLiteral("昼食")});

    // A backup file takes every event and comes back as one step named "インポート".
    const QString backup = m_env->Dir().filePath(QStringLiteral("events.dbc"));
    m_env->AnswerDialog(choose(backup, QStringLiteral("schedule-export"), true));
    m_env->AnswerDialog(AppTestEnv::TypePassword(QStringLiteral("himitsu")));
    m_files->ExportAction()->trigger();
    QVERIFY(m_env->AllAnswersUsed());
    m_app->setPrivateModeValue(0);
    QVERIFY(QFile::exists(backup));
    m_env->AnswerDialog(choose(backup, QStringLiteral("schedule-import")));
    m_files->ImportAction()->trigger();
    QCOMPARE(store().GetRecordCount(), 6);
    undoStep(*m_app, TavCmd::EditUndo, QStringLiteral("インポート"));
    QCOMPARE(store().GetRecordCount(), 3);
    // The desktop's backup file goes the same way; a name of no known type does nothing.
    m_env->ClearRecords();
    const QString archive = m_env->Dir().filePath(QStringLiteral("OLD.DBA"));
    QVERIFY(m_files->ExportFile(archive, false));
    QVERIFY(m_files->ImportFile(archive));
    QCOMPARE(store().GetRecordCount(), 6);
    QVERIFY(!m_files->ImportFile(m_env->Dir().filePath(QStringLiteral("old.txt"))));
    QVERIFY(!m_files->ExportFile(m_env->Dir().filePath(QStringLiteral("old.txt")), false));
    QCOMPARE(m_env->Messages(),
             (QStringList{QStringLiteral("エクスポート完了"), CTavScFileCommands::ImportedMessage(3)}));
    QVERIFY(m_env->AllAnswersUsed());
}

QTEST_MAIN(TestScheduleFiles)
#include "tst_schedulefiles.moc"
