#include <QtTest>

#include "CTavDbAddr.h"
#include "CTavDbDate.h"
#include "CTavDbMemo.h"
#include "CTavDbTodo.h"
#include "search/CTavDbSearchFold.h"
#include "search/CTavDbSearchIndex.h"
#include "sheet/CTavDbFreePdbObjectManager.h"

namespace {
// "title@field[start,length]" of each hit.
QStringList describe(const CTavDbSearchResult& result)
{
    QStringList out;
    for (const CTavDbSearchHit& hit : result.hits)
        out << QStringLiteral("%1@%2[%3]").arg(hit.title, hit.fieldName, hit.text.mid(hit.start, hit.length));
    return out;
}

uint32_t addMemo(CTavDbMemo& store, const QString& text, bool isPrivate = false)
{
    CTavDbMemoRecord memo;
    memo.SetMemo(text);
    memo.SetPrivate(isPrivate);
    [&] { QCOMPARE(store.AddRecord(memo), TavStatusCode::Ok); }();
    return memo.GetUniqueId();
}

void writeSheet(const QString& path, uint32_t type, const QString& title)
{
    CTavDbFreePdbObjectManager sheet;
    QCOMPARE(sheet.Create(path, type), TavStatusCode::Ok);
    sheet.SetQuilloTitle(title);
    QCOMPARE(sheet.SaveAsFile(path, true), TavStatusCode::Ok);
}
} // namespace

class TestSearch : public QObject
{
    Q_OBJECT
private slots:
    void foldMatchesAsTyped_data();
    void foldMatchesAsTyped();
    void indexFollowsStores();
    void privateRecordsAndLimits();
    void sheetTitlesFollowFiles();
};

void TestSearch::foldMatchesAsTyped_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("matched"); // the part of text found; empty: not found

    // Kana: hiragana, katakana and half-width katakana are one, voiced marks join their kana.
    QTest::newRow("hiragana finds katakana") << u"たなか"_qs << u"営業部 タナカ 様"_qs << u"タナカ"_qs;
    QTest::newRow("katakana finds hiragana") << u"サクラ"_qs << u"さくら"_qs << u"さくら"_qs;
    QTest::newRow("half-width kana") << u"かな"_qs << u"ｶﾅ"_qs << u"ｶﾅ"_qs;
    QTest::newRow("half-width voiced") << u"ごがつ"_qs << u"ｺﾞｶﾞﾂ"_qs << u"ｺﾞｶﾞﾂ"_qs;
    QTest::newRow("half-width semi-voiced, long mark")
        << u"パーティー"_qs << u"ﾊﾟｰﾃｨｰ会場"_qs << u"ﾊﾟｰﾃｨｰ"_qs;
    QTest::newRow("combining marks") << u"ばら"_qs << u"は\u3099ら"_qs << u"は\u3099ら"_qs;
    QTest::newRow("vu") << u"ヴィラ"_qs << u"ｳﾞｨﾗ"_qs << u"ｳﾞｨﾗ"_qs;
    QTest::newRow("query in half-width") << u"ｶﾞｯｺｳ"_qs << u"学校(がっこう)"_qs << u"がっこう"_qs;
    QTest::newRow("voiced is not plain") << u"が"_qs << u"カ"_qs << QString();
    QTest::newRow("plain is not voiced") << u"は"_qs << u"ﾊﾞ"_qs << QString();
    QTest::newRow("semi-voiced is not voiced") << u"ぱ"_qs << u"バ"_qs << QString();
    QTest::newRow("small kana stay small") << u"つ"_qs << u"ッ"_qs << QString();
    // Latin letters, digits and signs: width and case.
    QTest::newRow("full-width letters") << u"abc"_qs << u"ＡＢＣ商事"_qs << u"ＡＢＣ"_qs;
    QTest::newRow("full-width query") << u"１２月"_qs << u"12月の会議"_qs << u"12月"_qs;
    QTest::newRow("case") << u"Tokyo"_qs << u"TOKYO tower"_qs << u"TOKYO"_qs;
    QTest::newRow("signs and spaces") << u"a@b.jp"_qs << u"ａ＠ｂ．ｊｐ"_qs << u"ａ＠ｂ．ｊｐ"_qs;
    QTest::newRow("accented case") << u"émile"_qs << u"ÉMILE"_qs << u"ÉMILE"_qs;
    QTest::newRow("kanji as written") << u"会議"_qs << u"定例会議"_qs << u"会議"_qs;
    QTest::newRow("no match across lines") << u"ab"_qs << u"a\nb"_qs << QString();
}

void TestSearch::foldMatchesAsTyped()
{
    QFETCH(QString, query);
    QFETCH(QString, text);
    QFETCH(QString, matched);
    CTavDbMemo store;
    addMemo(store, text);
    CTavDbSearchIndex index;
    index.SetStores(nullptr, nullptr, nullptr, &store);
    const CTavDbSearchResult result = index.Find(query, true);
    QCOMPARE(result.counts[TavSearchModule::MemoPad], matched.isEmpty() ? 0 : 1);
    if (!matched.isEmpty()) {
        const CTavDbSearchHit& hit = result.hits.first();
        QCOMPARE(hit.text.mid(hit.start, hit.length), matched);
    }
    // The fold keeps a position for every character it makes, and the end.
    std::vector<int> starts;
    const QString folded = CTavDbSearchFold::Fold(text, &starts);
    QCOMPARE(qsizetype(starts.size()), folded.size() + 1);
    QCOMPARE(starts.back(), int(text.size()));
}

void TestSearch::indexFollowsStores()
{
    CTavDbDate date;
    CTavDbAddr addr;
    CTavDbTodo todo;
    CTavDbMemo memo;
    CTavDbSearchIndex index;
    index.SetStores(&date, &addr, &todo, &memo);
    QVERIFY(index.Find(u"さとう"_qs, true).hits.isEmpty());

    CTavDbDateRecord event;
    event.SetDesc(u"佐藤さんと打ち合わせ"_qs);
    event.SetNote(u"資料: サトウ商会"_qs);
    event.SetStartTime(CTavDbTime::fromDate(QDate(2026, 12, 8)));
    event.SetEndTime(event.GetStartTime() + 3600);
    QCOMPARE(date.AddRecord(event), TavStatusCode::Ok);
    CTavDbAddrRecord card;
    card.SetLastName(u"佐藤"_qs);
    card.SetLastNameYomi(u"ｻﾄｳ"_qs);
    card.SetPhone(1, u"sato@example.jp"_qs);
    card.SetPhoneLabelID(1, CTavDbAddrRecord::kLabelEmail);
    QCOMPARE(addr.AddRecord(card), TavStatusCode::Ok);
    CTavDbTodoRecord task;
    task.SetDesc(u"見積もり"_qs);
    task.SetNote(u"さとう様へ送付"_qs);
    QCOMPARE(todo.AddRecord(task), TavStatusCode::Ok);
    const uint32_t memoId = addMemo(memo, u"買い物\nさとう、しお"_qs);

    // Module order, the first matching field of each record, its own text's range.
    CTavDbSearchResult result = index.Find(u"さとう"_qs, true);
    QCOMPARE(describe(result), (QStringList{u"佐藤さんと打ち合わせ@メモ[サトウ]"_qs, u"佐藤@姓のよみ[ｻﾄｳ]"_qs,
                                            u"見積もり@メモ[さとう]"_qs, u"買い物@本文[さとう]"_qs}));
    QCOMPARE(result.hits.first().date, QDate(2026, 12, 8));
    QCOMPARE(result.hits.at(1).recordId, card.GetUniqueId());
    // A phone slot is named by its label.
    QCOMPARE(describe(index.Find(u"EXAMPLE"_qs, true)), QStringList{u"佐藤@E-Mail[example]"_qs});

    // Edits, in place and by copy, and deletions are taken in at the next search.
    CTavDbMemoRecord changed = static_cast<const CTavDbMemoRecord&>(*memo.FindRecord(memoId));
    changed.SetMemo(u"買い物\n砂糖、塩"_qs);
    QCOMPARE(memo.UpdateRecord(changed), TavStatusCode::Ok);
    auto* stored = static_cast<CTavDbTodoRecord*>(todo.FindRecord(task.GetUniqueId()));
    todo.Touch(stored->GetUniqueId());
    stored->SetNote(u"郵送"_qs);
    QCOMPARE(todo.UpdateRecord(*stored), TavStatusCode::Ok);
    QCOMPARE(addr.DeleteRecord(card.GetUniqueId(), true), TavStatusCode::Ok);
    result = index.Find(u"さとう"_qs, true);
    QCOMPARE(describe(result), QStringList{u"佐藤さんと打ち合わせ@メモ[サトウ]"_qs});
    QCOMPARE(index.Find(u"さとう"_qs, true).counts[TavSearchModule::Address], 0);
    QCOMPARE(describe(index.Find(u"砂糖"_qs, true)), QStringList{u"買い物@本文[砂糖]"_qs});
    QVERIFY(!index.IsStale());

    // A cleared store (as a user switch loads another) leaves nothing behind.
    date.Clear();
    QVERIFY(index.IsStale());
    QVERIFY(index.Find(u"さとう"_qs, true).hits.isEmpty());
}

void TestSearch::privateRecordsAndLimits()
{
    CTavDbMemo memo;
    for (int i = 0; i < 5; ++i)
        addMemo(memo, u"共有 %1"_qs.arg(i));
    addMemo(memo, u"秘密の共有"_qs, true);
    memo.SetPrivateMode(2); // the store's own filter does not hide records from the search
    CTavDbSearchIndex index;
    index.SetStores(nullptr, nullptr, nullptr, &memo);

    CTavDbSearchResult open = index.Find(u"きょうゆう"_qs, false);
    QCOMPARE(open.counts[TavSearchModule::MemoPad], 0); // kanji are not read as kana
    open = index.Find(u"共有"_qs, false);
    QCOMPARE(open.counts[TavSearchModule::MemoPad], 5);
    QVERIFY(!describe(open).join(u' ').contains(u"秘密"_qs));
    QCOMPARE(index.Find(u"秘密"_qs, false).Total(), 0);
    QCOMPARE(index.Find(u"秘密"_qs, true).Total(), 1);

    // A limit keeps the first hits in listing order and still counts them all.
    const CTavDbSearchResult limited = index.Find(u"共有"_qs, true, 2);
    QCOMPARE(limited.hits.size(), 2);
    QCOMPARE(limited.hits.at(1).title, u"共有 1"_qs);
    QCOMPARE(limited.Total(), 6);
    // Blank queries find nothing.
    QCOMPARE(index.Find(u" 　"_qs, true).Total(), 0);
}

void TestSearch::sheetTitlesFollowFiles()
{
    QTemporaryDir dir;
    const QString sheets = dir.filePath(u"Quillos"_qs);
    const QString references = dir.filePath(u"Benri"_qs);
    QVERIFY(QDir().mkpath(sheets) && QDir().mkpath(references));
    writeSheet(sheets + u"/Quillo_20261201_100000.pdb"_qs, CTavDbFreePdbObjectManager::TypeSheet,
               u"旅行の計画"_qs);
    writeSheet(references + u"/Train.pdb"_qs, CTavDbFreePdbObjectManager::TypeReference, u"旅行 ﾛｾﾝｽﾞ"_qs);
    // A memo sheet among the reference sheets and a broken file are passed over.
    writeSheet(references + u"/Stray.pdb"_qs, CTavDbFreePdbObjectManager::TypeSheet, u"旅行メモ"_qs);
    QFile broken(references + u"/Broken.pdb"_qs);
    QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("not a sheet") > 0);
    broken.close();

    CTavDbSearchIndex index;
    index.SetSheetFolders(sheets, references);
    CTavDbSearchResult result = index.Find(u"旅行"_qs, false);
    QCOMPARE(result.counts[TavSearchModule::FreeMemo], 1);
    QCOMPARE(result.counts[TavSearchModule::Reference], 1);
    QCOMPARE(result.hits.at(1).filePath, QFileInfo(references + u"/Train.pdb"_qs).absoluteFilePath());
    QCOMPARE(describe(index.Find(u"ろせんず"_qs, false)), QStringList{u"旅行 ﾛｾﾝｽﾞ@タイトル[ﾛｾﾝｽﾞ]"_qs});
    QVERIFY(!index.IsStale());

    // A renamed title (the file grows), a new sheet and a removed one are seen at the next search.
    writeSheet(sheets + u"/Quillo_20261201_100000.pdb"_qs, CTavDbFreePdbObjectManager::TypeSheet,
               u"出張の計画 大阪"_qs);
    writeSheet(sheets + u"/Quillo_20261202_100000.pdb"_qs, CTavDbFreePdbObjectManager::TypeSheet,
               u"旅行 2"_qs);
    QVERIFY(QFile::remove(references + u"/Train.pdb"_qs));
    QVERIFY(index.IsStale());
    result = index.Find(u"旅行"_qs, false);
    QCOMPARE(describe(result), QStringList{u"旅行 2@タイトル[旅行]"_qs});
    QCOMPARE(index.Find(u"出張"_qs, false).counts[TavSearchModule::FreeMemo], 1);

    // Another user's folders replace the old ones.
    index.SetSheetFolders(QString(), QString());
    QCOMPARE(index.Find(u"計画"_qs, false).Total(), 0);
}

QTEST_GUILESS_MAIN(TestSearch)
#include "tst_search.moc"
