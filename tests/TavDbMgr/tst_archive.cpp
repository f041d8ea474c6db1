#include <QTemporaryDir>
#include <QtTest>

#include "ArchiveSampleWriter.h"
#include "CTavDbAddr.h"
#include "CTavDbDate.h"
#include "CTavDbMemo.h"
#include "CTavDbTodo.h"
#include "PalmTestSupport.h"

using namespace ArchiveSample;

namespace {
const QByteArray kPlanBytes("\x97\x5C\x92\xE8"); // 予定: its second byte is a backslash
const QString kPlan = QStringLiteral("予定");
const QByteArray kWorkBytes("\x8E\x64\x8E\x96"); // 仕事

QList<Event> sampleEvents()
{
    QList<Event> events;
    Event daily{101, at(2026, 3, 2, 9), at(2026, 3, 2, 10), "daily", "", false, false, 1, true, 10, 0, {},
                {}};
    daily.exceptions = {at(2026, 3, 6), at(2026, 3, 4)};
    daily.rule = {1, 2, at(2026, 12, 31), 0, 1};
    events << daily;
    Event weekly{102, at(2026, 3, 2, 13), at(2026, 3, 2, 14), "weekly", "", false, false, 2, false, 0, 0, {},
                 {}};
    weekly.rule = {2, 1, kForever, 1, 1, 0x2A};
    events << weekly;
    Event lastFriday{
        103, at(2026, 3, 27, 18), at(2026, 3, 27, 20), "last friday", "", false, true, 0, false, 0, 0, {},
        {}};
    lastFriday.rule = {3, 1, kForever, 0, 5, 0, 4};
    events << lastFriday;
    Event fifteenth{104, at(2026, 3, 15), at(2026, 3, 15), "fifteenth", "", true, false, 0, true, 1, 2, {},
                    {}};
    fifteenth.rule = {4, 3, kForever, 0, 0, 0, 0, 15};
    events << fifteenth;
    Event birthday{105, at(2026, 3, 3), at(2026, 3, 3), "birthday", "", true, false, 0, false, 0, 0, {}, {}};
    birthday.rule = {5, 1, kForever, 0, 0, 0, 0, 3, 2};
    events << birthday;
    Event thanksgiving{
        106, at(2026, 11, 26), at(2026, 11, 26), "fourth thursday", "", true, false, 0, false, 0, 0, {}, {}};
    thanksgiving.rule = {6, 1};
    events << thanksgiving;
    // Made on the desktop (id 0); the longest description and a note over 254 bytes.
    Event plain{0,
                at(2026, 4, 1, 8, 30),
                at(2026, 4, 1, 9),
                kPlanBytes.repeated(63) + "abc",
                kPlanBytes.repeated(100),
                false,
                true,
                1,
                false,
                0,
                0,
                {},
                {}};
    events << plain;
    return events;
}

QByteArray dateArchive(const QList<Event>& events)
{
    Bytes b;
    b.header(kDateTag, "", {{1, 1, kWorkBytes}, {2, 2, "Home"}}, kDateSchema, int(events.size()));
    bool classWritten = false;
    for (const Event& e : events)
        event(b, e, classWritten);
    return b.out;
}

QByteArray addrArchive()
{
    Bytes b;
    b.header(kAddrTag, QByteArray("Birthday\0Web\0C3\0C4\0show", 24), {{1, 5, "VIP"}}, kAddrSchema, 2);
    b.integer(7).integer(0).integer(0);
    b.text("\x93\x63\x92\x86\x01\x82\xBD\x82\xC8\x82\xA9"); // 田中 with its reading たなか
    b.text("Taro").text("Chief").text("ACME\x01"
                                      "akume");
    for (int slot = 0; slot < 5; ++slot)
        b.integer(7 - slot).text("phone" + QByteArray::number(slot));
    b.text("1-2-3").text("Chiyoda").text("Tokyo").text("100-0001").text("Japan").text(QByteArray(300, 'n'));
    b.boolean(true).integer(5).text("1970-01-01").text("").text("c3").text("c4").integer(3);
    // A card of empty fields in an unknown category.
    b.integer(8).integer(0).integer(1);
    for (int i = 0; i < 4; ++i)
        b.text("");
    for (int slot = 0; slot < 5; ++slot)
        b.integer(slot).text("");
    for (int i = 0; i < 6; ++i)
        b.text("");
    b.boolean(false).integer(9).text("").text("").text("").text("").integer(0);
    return b.out;
}

QByteArray todoArchive()
{
    Bytes b;
    b.header(kTodoTag, "", {}, kTodoSchema, 2);
    b.integer(1).integer(0).integer(0).text(kPlanBytes).date(at(2026, 5, 1)).boolean(true).integer(5);
    b.boolean(false).integer(0).text("note");
    b.integer(2).integer(0x80).integer(1).text("someday").date(kForever).boolean(false).integer(1);
    b.boolean(true).integer(0).text("");
    return b.out;
}

QByteArray memoArchive()
{
    Bytes b;
    b.header(kMemoTag, "", {{0, 3, "Ideas"}}, kMemoSchema, 1);
    b.integer(9).integer(0).integer(0).text("title\r\n" + QByteArray(3000, 'x')).boolean(false).integer(3);
    return b.out;
}

template <typename Store> QByteArray roundTrip(Store& store, const QString& path)
{
    if (store.WriteToFile(path) != TavStatusCode::Ok)
        return QByteArray();
    return PalmTest::readFile(path);
}
} // namespace

class TestArchive : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void readsEveryEventField()
    {
        const QByteArray bytes = dateArchive(sampleEvents());
        QVERIFY(PalmTest::writeFile(path("date.dba"), bytes));
        CTavDbDate store;
        QCOMPARE(store.LoadFromFile(path("date.dba")), TavStatusCode::Ok);
        QVERIFY(store.HoldsArchive());
        QCOMPARE(store.GetRecordCount(), 7);
        QCOMPARE(store.GetCategoryCount(), 3);
        QCOMPARE(store.FindCategoryById(1)->GetName(), QStringLiteral("仕事"));

        const auto* daily = static_cast<CTavDbDateRecord*>(store.FindRecord(101));
        QCOMPARE(daily->GetDesc(), QStringLiteral("daily"));
        QCOMPARE(daily->GetStartTime(), at(2026, 3, 2, 9));
        QCOMPARE(daily->GetEndTime(), at(2026, 3, 2, 10));
        QCOMPARE(daily->GetMyBrand(), int(CTavDbDateRecord::RepeatDaily));
        QCOMPARE(daily->GetInterval(), 2);
        QCOMPARE(daily->GetEndDate(), at(2026, 12, 31));
        QCOMPARE(daily->GetExceptions(), (QList<QDate>{QDate(2026, 3, 4), QDate(2026, 3, 6)}));
        QVERIFY(daily->GetIsAlarmSet());
        QCOMPARE(daily->GetAlarmAdvance(), 10);
        QCOMPARE(daily->GetCategoryID(), 1u);

        const auto* weekly = static_cast<CTavDbDateRecord*>(store.FindRecord(102));
        QCOMPARE(weekly->GetMyBrand(), int(CTavDbDateRecord::RepeatWeekly));
        QCOMPARE(weekly->GetWeekDayMask(), uint8_t(0x2A));
        QCOMPARE(weekly->GetFirstDayOfWeek(), 1);
        QVERIFY(!weekly->HasEndDate());

        const auto* last = static_cast<CTavDbDateRecord*>(store.FindRecord(103));
        QCOMPARE(last->GetMyBrand(), int(CTavDbDateRecord::RepeatMonthlyByWeekday));
        QCOMPARE(last->GetDayIndex(), 5);
        QCOMPARE(last->GetWeekIndex(), CTavDbDateRecord::kLastWeek);
        QVERIFY(last->GetIsPrivate());

        const auto* fifteenth = static_cast<CTavDbDateRecord*>(store.FindRecord(104));
        QCOMPARE(fifteenth->GetMyBrand(), int(CTavDbDateRecord::RepeatMonthlyByDate));
        QCOMPARE(fifteenth->GetDayNumber(), 15);
        QCOMPARE(fifteenth->GetInterval(), 3);
        QVERIFY(fifteenth->GetIsUntimed());
        QCOMPARE(fifteenth->GetAlarmUnit(), int(CTavDbDateRecord::AlarmDays));

        const auto* birthday = static_cast<CTavDbDateRecord*>(store.FindRecord(105));
        QCOMPARE(birthday->GetMyBrand(), int(CTavDbDateRecord::RepeatYearly));
        QCOMPARE(birthday->GetDayNumber(), 3);
        QCOMPARE(birthday->GetMonthIndex(), 2);

        // Yearly on the fourth Thursday: the same days as every 12 months on that weekday.
        const auto* fourth = static_cast<CTavDbDateRecord*>(store.FindRecord(106));
        QCOMPARE(fourth->GetMyBrand(), int(CTavDbDateRecord::RepeatMonthlyByWeekday));
        QCOMPARE(fourth->GetInterval(), 12);
        QCOMPARE(fourth->GetDayIndex(), 4);
        QCOMPARE(fourth->GetWeekIndex(), 3);
        QVERIFY(store.IsRepeatTarget(*fourth, QStringLiteral("20271125")));
        QVERIFY(!store.IsRepeatTarget(*fourth, QStringLiteral("20261224")));

        // The record without an id got a fresh one.
        const CTavDbDateRecord* plain = nullptr;
        for (const auto& r : store.AllRecords())
            if (!static_cast<CTavDbDateRecord*>(r.get())->IsRepeating())
                plain = static_cast<CTavDbDateRecord*>(r.get());
        QVERIFY(plain && plain->GetUniqueId() > 106);
        QCOMPARE(plain->GetDesc(), kPlan.repeated(63) + QStringLiteral("abc"));
        QCOMPARE(plain->GetNote(), kPlan.repeated(100));
        QVERIFY(plain->GetIsPrivate() && !plain->IsRepeating());

        // Unchanged, it writes back byte for byte, to another archive and into itself.
        QCOMPARE(roundTrip(store, path("copy.dba")), bytes);
        store.RenameCategory(2, QStringLiteral("Home"));
        QCOMPARE(store.Write(), TavStatusCode::Ok);
        QCOMPARE(PalmTest::readFile(path("date.dba")), bytes);
    }

    void readsCardsTasksAndMemos()
    {
        QVERIFY(PalmTest::writeFile(path("addr.aba"), addrArchive()));
        CTavDbAddr addr;
        QCOMPARE(addr.LoadFromFile(path("addr.aba")), TavStatusCode::Ok);
        QCOMPARE(addr.GetCustomLabels(), (QStringList{"Birthday", "Web", "C3", "C4"}));
        const auto* card = static_cast<CTavDbAddrRecord*>(addr.FindRecord(7));
        QCOMPARE(card->GetLastName(), QStringLiteral("田中"));
        QCOMPARE(card->GetLastNameYomi(), QStringLiteral("たなか"));
        QCOMPARE(card->GetCompanyYomi(), QStringLiteral("akume"));
        QCOMPARE(card->GetTitle(), QStringLiteral("Chief"));
        for (int slot = 0; slot < 5; ++slot) {
            QCOMPARE(card->GetPhoneLabelID(slot), 7 - slot);
            QCOMPARE(card->GetPhone(slot), QStringLiteral("phone%1").arg(slot));
        }
        QCOMPARE(card->GetDisplayPhone(), 3);
        QCOMPARE(card->GetNote().size(), 300);
        QCOMPARE(card->GetCustom(0), QStringLiteral("1970-01-01"));
        QCOMPARE(card->GetCategoryID(), 5u);
        QVERIFY(card->GetIsPrivate());
        QCOMPARE(addr.FindRecord(8)->GetCategoryID(), CTavDbPcRecord::kUnfiled);
        QCOMPARE(roundTrip(addr, path("addr2.aba")), addrArchive());

        QVERIFY(PalmTest::writeFile(path("todo.tda"), todoArchive()));
        CTavDbTodo todo;
        QCOMPARE(todo.LoadFromFile(path("todo.tda")), TavStatusCode::Ok);
        const auto* task = static_cast<CTavDbTodoRecord*>(todo.FindRecord(1));
        QCOMPARE(task->GetDesc(), kPlan);
        QCOMPARE(task->GetDueDate(), at(2026, 5, 1));
        QVERIFY(task->GetCompleted());
        QCOMPARE(task->GetPriority(), 5);
        QCOMPARE(task->GetNote(), QStringLiteral("note"));
        const auto* someday = static_cast<CTavDbTodoRecord*>(todo.FindRecord(2));
        QVERIFY(!someday->HasDueDate() && someday->GetIsPrivate());
        QCOMPARE(roundTrip(todo, path("todo2.tda")), todoArchive());

        QVERIFY(PalmTest::writeFile(path("memo.mpa"), memoArchive()));
        CTavDbMemo memo;
        QCOMPARE(memo.LoadFromFile(path("memo.mpa")), TavStatusCode::Ok);
        const auto* m = static_cast<CTavDbMemoRecord*>(memo.FindRecord(9));
        QCOMPARE(m->GetMemo().size(), 3007);
        QCOMPARE(m->GetCategoryID(), 3u);
        QCOMPARE(roundTrip(memo, path("memo2.mpa")), memoArchive());
    }

    void writesEditsThatReadBackEqual()
    {
        QVERIFY(PalmTest::writeFile(path("edit.dba"), dateArchive(sampleEvents())));
        CTavDbDate store;
        QCOMPARE(store.LoadFromFile(path("edit.dba")), TavStatusCode::Ok);
        auto changed = *static_cast<CTavDbDateRecord*>(store.FindRecord(102));
        changed.SetNote(kPlan.repeated(200)); // over 254 bytes now
        CTavDbDateRecord everyThirdDay;
        everyThirdDay.SetMyBrand(CTavDbDateRecord::RepeatDaily);
        everyThirdDay.SetInterval(3);
        changed.CopyRepeatRule(everyThirdDay);
        QCOMPARE(store.UpdateRecord(changed), TavStatusCode::Ok);
        CTavDbDateRecord added;
        added.SetDesc(QStringLiteral("new"));
        added.SetStartTime(at(2026, 6, 1, 12));
        added.SetEndTime(at(2026, 6, 1, 13));
        added.SetMyBrand(CTavDbDateRecord::RepeatMonthlyByDate);
        added.SetDayNumber(1);
        added.AddException(QDate(2026, 7, 1));
        QCOMPARE(store.AddRecord(added), TavStatusCode::Ok);
        QCOMPARE(store.DeleteRecord(101, false), TavStatusCode::Ok); // the one with the class header
        uint32_t newCategory = 0;
        QCOMPARE(store.AddCategory(QStringLiteral("趣味"), &newCategory), TavStatusCode::Ok);
        QCOMPARE(store.Write(), TavStatusCode::Ok);

        CTavDbDate again;
        QCOMPARE(again.LoadFromFile(path("edit.dba")), TavStatusCode::Ok);
        QCOMPARE(again.GetRecordCount(), store.GetRecordCount());
        // Matched by description: a record the desktop made has no id of its own in the file.
        QHash<QString, const CTavDbPcRecord*> read;
        for (const auto& r : again.AllRecords())
            read.insert(static_cast<CTavDbDateRecord*>(r.get())->GetDesc(), r.get());
        for (const auto& r : store.AllRecords()) {
            const QString desc = static_cast<CTavDbDateRecord*>(r.get())->GetDesc();
            QVERIFY2(read.value(desc) && read.value(desc)->IsEqualPdt(*r), qPrintable(desc));
        }
        QCOMPARE(again.FindCategoryById(newCategory)->GetName(), QStringLiteral("趣味"));
        // Repeating events stay in front, so the new one comes before the changed one.
        const auto& order = again.AllRecords();
        const auto firstPlain = std::find_if(order.begin(), order.end(), [](const auto& r) {
            return !static_cast<CTavDbDateRecord*>(r.get())->IsRepeating();
        });
        QVERIFY(std::all_of(firstPlain, order.end(), [](const auto& r) {
            return !static_cast<CTavDbDateRecord*>(r.get())->IsRepeating();
        }));
        // Written again unchanged, the file stays as it is.
        const QByteArray written = PalmTest::readFile(path("edit.dba"));
        QCOMPARE(roundTrip(again, path("edit2.dba")), written);

        // Export and import through the archive layout of every kind.
        CTavDbAddr addr;
        QVERIFY(PalmTest::writeFile(path("a.aba"), addrArchive()));
        QCOMPARE(addr.LoadFromFile(path("a.aba")), TavStatusCode::Ok);
        QCOMPARE(addr.ExportBackupFile(path("out.aba"), {7}), TavStatusCode::Ok);
        CTavDbAddr target;
        QCOMPARE(target.ImportBackupFile(path("out.aba")), TavStatusCode::Ok);
        QCOMPARE(target.GetRecordCount(), 1);
        CTavDbAddrRecord expected = *static_cast<CTavDbAddrRecord*>(addr.FindRecord(7));
        auto* imported = static_cast<CTavDbAddrRecord*>(target.AllRecords().front().get());
        QCOMPARE(target.FindCategoryById(imported->GetCategoryID())->GetName(), QStringLiteral("VIP"));
        expected.SetCategoryID(imported->GetCategoryID());
        QVERIFY(imported->IsEqualPdt(expected));
    }

    void keepsWhatTheStoreDoesNotHold()
    {
        // A plain event before a repeating one, a short text in the long length form, odd status,
        // position and duration values, and a category whose short name is its own.
        Bytes b;
        b.header(kDateTag, "show", {{4, 9, "Travel"}}, kDateSchema, 2);
        b.integer(50).integer(0x80).integer(42).date(at(2026, 1, 5, 9)).integer(at(2026, 1, 5, 10));
        b.l(5).l(0).out.append("\xFF\x05\x00hello", 8);
        b.integer(999).text("").boolean(false).boolean(false).integer(9).boolean(false).integer(0).integer(0);
        b.l(8).s(0).s(0);
        bool classWritten = false;
        Event yearly{51, at(2026, 11, 26), at(2026, 11, 26), "yearly", "", true, false, 0, false, 0, 0, {},
                     {}};
        yearly.rule = {6, 1};
        ArchiveSample::event(b, yearly, classWritten);
        const QByteArray bytes = b.out;
        QVERIFY(PalmTest::writeFile(path("odd.dat"), bytes));
        CTavDbDate store;
        QCOMPARE(store.LoadFromFile(path("odd.dat")), TavStatusCode::Ok);
        QCOMPARE(roundTrip(store, path("odd2.dat")), bytes);

        // Edited, the rule goes back as the yearly one it was, still flagged as added; the plain
        // event stays as it was read, before it.
        auto edited = *static_cast<CTavDbDateRecord*>(store.FindRecord(51));
        edited.SetDesc(QStringLiteral("edited"));
        QCOMPARE(store.UpdateRecord(edited), TavStatusCode::Ok);
        QCOMPARE(store.Write(), TavStatusCode::Ok);
        const QByteArray written = PalmTest::readFile(path("odd.dat"));
        const qsizetype second = written.indexOf(QByteArray("\x01\x00\x00\x00\x33\x00\x00\x00", 8));
        QVERIFY(second > 0);
        QCOMPARE(written.left(second), bytes.left(second));
        QCOMPARE(written.mid(second + 8, 8), QByteArray("\x01\x00\x00\x00\x01\x00\x00\x00", 8));
        QVERIFY(written.contains(QByteArray("CDayEvent\x06\x00\x00\x00\x01\x00\x00\x00", 17)));

        // A class named twice, or referred to before it is named, is a damaged file.
        Bytes twice;
        twice.header(kDateTag, "", {}, kDateSchema, 2);
        for (bool named : {false, false})
            ArchiveSample::event(twice, yearly, named);
        Bytes early;
        early.header(kDateTag, "", {}, kDateSchema, 1);
        bool named = true;
        ArchiveSample::event(early, yearly, named);
        for (const QByteArray& broken : {twice.out, early.out}) {
            QVERIFY(PalmTest::writeFile(path("class.dba"), broken));
            QCOMPARE(store.LoadFromFile(path("class.dba")), TavStatusCode::Corrupt);
        }
    }

    void refusesBrokenForeignAndNewerFiles()
    {
        const QByteArray good = dateArchive(sampleEvents());
        QVERIFY(PalmTest::writeFile(path("held.dba"), good));
        CTavDbDate store;
        QCOMPARE(store.LoadFromFile(path("held.dba")), TavStatusCode::Ok);
        const auto unchanged = [&store] {
            return store.GetRecordCount() == 7 && store.HoldsArchive() &&
                   store.GetFilePath().endsWith(QLatin1String("held.dba"));
        };
        // Cut short anywhere: refused, nothing changes.
        for (qsizetype cut = 0; cut < good.size(); cut += cut < 200 ? 1 : 7) {
            QVERIFY(PalmTest::writeFile(path("cut.dba"), good.left(cut)));
            QVERIFY2(store.LoadFromFile(path("cut.dba")) != TavStatusCode::Ok,
                     qPrintable(QString::number(cut)));
            QVERIFY(unchanged());
            QCOMPARE(PalmTest::readFile(path("cut.dba")), good.left(cut));
        }
        // Bytes after the last record, a record count beyond the file, the later layout, another
        // store kind's archive and another program's file.
        QByteArray longer = good + "x";
        QByteArray manyRecords = good;
        const qsizetype countAt = good.indexOf(QByteArray("\x08\x00", 2)) + 2; // after the schema
        manyRecords[countAt + 3] = '\x7F';
        const QList<std::pair<QByteArray, TavStatus>> refused = {
            {longer, TavStatusCode::Corrupt},
            {manyRecords, TavStatusCode::Corrupt},
            {QByteArray("\xCA\xFE\xBA\xBE", 4) + good.mid(4), TavStatusCode::Unsupported},
            {addrArchive(), TavStatusCode::WrongKind},
            {QByteArray("PK\x03\x04 not an archive"), TavStatusCode::NotOurFile},
        };
        for (const auto& [bytes, status] : refused) {
            QVERIFY(PalmTest::writeFile(path("bad.dba"), bytes));
            QCOMPARE(store.LoadFromFile(path("bad.dba")), status);
            QCOMPARE(store.ImportBackupFile(path("bad.dba")), status);
            QVERIFY(unchanged());
        }
        // Another kind's extension is not written; the file held is still written unchanged.
        QCOMPARE(store.WriteToFile(path("wrong.aba")), TavStatusCode::WrongKind);
        QVERIFY(!QFileInfo::exists(path("wrong.aba")));
        QCOMPARE(store.Write(), TavStatusCode::Ok);
        QCOMPARE(PalmTest::readFile(path("held.dba")), good);
        // A file changed by another program since it was read is not written over.
        auto edit = *static_cast<CTavDbDateRecord*>(store.FindRecord(103));
        edit.SetDesc(QStringLiteral("edited"));
        QCOMPARE(store.UpdateRecord(edit), TavStatusCode::Ok);
        QVERIFY(PalmTest::writeFile(path("held.dba"), good + ""));
        QTest::qWait(5);
        QVERIFY(PalmTest::writeFile(path("held.dba"), dateArchive(sampleEvents().mid(0, 3))));
        QCOMPARE(store.Write(), TavStatusCode::Conflict);
    }
};

QTEST_GUILESS_MAIN(TestArchive)
#include "tst_archive.moc"
