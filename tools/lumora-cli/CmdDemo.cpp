#include <QDate>

#include "CTavDbAddr.h"
#include "CTavDbClock.h"
#include "CTavDbDate.h"
#include "CTavDbMemo.h"
#include "CTavDbTodo.h"
#include "CliCommand.h"
#include "CliContext.h"

namespace {
// Demo data are laid around today, so every window has something to show at once.
struct DemoWriter
{
    CTavDbUser& users;
    QDate today = CTavDbClock::Today();

    TavTime at(int dayOffset, int hour, int minute = 0) const
    {
        return CTavDbTime::fromDateAndTime(today.addDays(dayOffset), QTime(hour, minute));
    }

    // The Monday of this week, so weekly rules start on a sensible day.
    QDate weekStart() const { return today.addDays(1 - today.dayOfWeek()); }

    uint32_t category(CTavDbStoreBase& store, const QString& name)
    {
        if (const CTavDbCategory* c = store.FindCategoryByName(name))
            return c->GetID();
        uint32_t id = 0;
        store.AddCategory(name, &id);
        return id;
    }

    void fillSchedule(CTavDbDate& store)
    {
        const uint32_t business = category(store, QStringLiteral("ビジネス"));
        const uint32_t personal = category(store, QStringLiteral("パーソナル"));
        auto add = [&](const QString& desc, TavTime start, TavTime end, uint32_t cat,
                       const std::function<void(CTavDbDateRecord&)>& more = {}) {
            CTavDbDateRecord r;
            r.SetDesc(desc);
            r.SetStartTime(start);
            r.SetEndTime(end);
            r.SetCategoryID(cat);
            if (more)
                more(r);
            store.AddRecord(r);
        };
        const int monday = static_cast<int>(today.daysTo(weekStart()));
        add(QStringLiteral("週次定例ミーティング"), at(monday - 7, 10), at(monday - 7, 11), business,
            [&](CTavDbDateRecord& r) {
                r.SetMyBrand(2);
                r.SetInterval(1);
                r.SetWeekDayMask(0x02 | 0x08); // Monday and Wednesday
                r.SetNote(QStringLiteral("議題は前日までに共有フォルダへ。"));
            });
        add(QStringLiteral("月末締め処理"), at(monday - 7, 15), at(monday - 7, 17), business, [&](CTavDbDateRecord& r) {
            r.SetMyBrand(4);
            r.SetInterval(1);
            r.SetDayNumber(25);
        });
        add(QStringLiteral("勉強会（第2火曜）"), at(monday - 7, 19), at(monday - 7, 21), personal,
            [&](CTavDbDateRecord& r) {
                r.SetMyBrand(3);
                r.SetInterval(1);
                r.SetDayIndex(2);
                r.SetWeekIndex(1);
            });
        add(QStringLiteral("朝のジョギング"), at(-3, 6, 30), at(-3, 7, 15), personal, [&](CTavDbDateRecord& r) {
            r.SetMyBrand(1);
            r.SetInterval(2);
            r.SetEndDate(CTavDbTime::fromDate(today.addDays(25)));
            r.AddException(today.addDays(3));
        });
        add(QStringLiteral("母の誕生日"), at(9, 0), at(9, 0), personal, [&](CTavDbDateRecord& r) {
            r.SetUntimed(true);
            r.SetMyBrand(5);
            r.SetInterval(1);
            r.SetMonthIndex(today.addDays(9).month() - 1);
            r.SetDayNumber(today.addDays(9).day());
        });
        add(QStringLiteral("歯医者（定期検診）"), at(2, 16), at(2, 16, 30), personal,
            [](CTavDbDateRecord& r) { r.SetAlarm(true), r.SetAlarmAdvance(30), r.SetAlarmUnit(0); });
        add(QStringLiteral("A社 打ち合わせ"), at(0, 13, 30), at(0, 15), business,
            [](CTavDbDateRecord& r) { r.SetNote(QStringLiteral("新製品の見積もりを持参。\n担当：田中様")); });
        add(QStringLiteral("企画書レビュー"), at(0, 14), at(0, 16), business);
        add(QStringLiteral("ランチ 佐藤さん"), at(0, 12), at(0, 13), personal);
        add(QStringLiteral("大阪出張"), at(6, 0), at(6, 0), business, [](CTavDbDateRecord& r) { r.SetUntimed(true); });
        add(QStringLiteral("新幹線 のぞみ 7:00 東京発"), at(6, 7), at(6, 9, 30), business);
        add(QStringLiteral("展示会 準備"), at(6, 13), at(6, 18), business);
        add(QStringLiteral("病院 付き添い"), at(4, 10), at(4, 11, 30), personal,
            [](CTavDbDateRecord& r) { r.SetPrivate(true); });
        add(QStringLiteral("燃えないゴミの日"), at(1, 0), at(1, 0), 0, [&](CTavDbDateRecord& r) {
            r.SetUntimed(true);
            r.SetMyBrand(2);
            r.SetInterval(2);
            r.SetWeekDayMask(static_cast<uint8_t>(1u << (today.addDays(1).dayOfWeek() % 7)));
        });
        add(QStringLiteral("四半期 決算説明会"), at(15, 9, 30), at(15, 12), business);
        add(QStringLiteral("美容院"), at(-5, 11), at(-5, 12), personal);
        add(QStringLiteral("プロジェクト キックオフ"), at(-2, 9), at(-2, 10, 30), business);
        add(QStringLiteral("家族で夕食"), at(11, 18, 30), at(11, 21), personal);
    }

    void fillAddresses(CTavDbAddr& store)
    {
        struct Card
        {
            const char16_t *last, *lastYomi, *first, *firstYomi, *company, *companyYomi, *title, *phone, *mail,
                *zip, *state, *city, *address;
            int category; // 0 unfiled, 1 business, 2 personal
            bool isPrivate;
        };
        const Card cards[] = {
            {u"田中", u"たなか", u"一郎", u"いちろう", u"株式会社エーシステム", u"えーしすてむ", u"営業部長",
             u"03-1234-5678", u"tanaka@a-system.example.jp", u"100-0005", u"東京都", u"千代田区",
             u"丸の内1-1-1", 1, false},
            {u"佐藤", u"さとう", u"花子", u"はなこ", u"", u"", u"", u"090-1111-2222", u"hanako@example.jp",
             u"150-0001", u"東京都", u"渋谷区", u"神宮前3-2-1", 2, false},
            {u"鈴木", u"すずき", u"健太", u"けんた", u"鈴木設計事務所", u"すずきせっけいじむしょ", u"代表",
             u"06-6543-2100", u"suzuki@sekkei.example.jp", u"530-0001", u"大阪府", u"大阪市北区",
             u"梅田2-4-9", 1, false},
            {u"高橋", u"たかはし", u"美咲", u"みさき", u"", u"", u"", u"080-3333-4444", u"", u"220-0012",
             u"神奈川県", u"横浜市西区", u"みなとみらい4-5", 2, false},
            {u"伊藤", u"いとう", u"直樹", u"なおき", u"ビー商事株式会社", u"びーしょうじ", u"購買課",
             u"052-222-3333", u"ito@b-shoji.example.jp", u"460-0008", u"愛知県", u"名古屋市中区",
             u"栄3-15-33", 1, false},
            {u"渡辺", u"わたなべ", u"由美", u"ゆみ", u"", u"", u"", u"070-5555-6666", u"yumi.w@example.jp",
             u"812-0011", u"福岡県", u"福岡市博多区", u"博多駅前2-1-1", 2, true},
            {u"山本", u"やまもと", u"大輔", u"だいすけ", u"シー電機", u"しーでんき", u"技術部 主任",
             u"075-123-4567", u"yamamoto@c-denki.example.jp", u"600-8216", u"京都府", u"京都市下京区",
             u"東塩小路町721-1", 1, false},
            {u"中村", u"なかむら", u"愛", u"あい", u"", u"", u"", u"090-7777-8888", u"", u"980-0021",
             u"宮城県", u"仙台市青葉区", u"中央1-1-1", 2, false},
            {u"小林", u"こばやし", u"誠", u"まこと", u"小林歯科クリニック", u"こばやししかくりにっく", u"院長",
             u"03-9876-5432", u"", u"160-0022", u"東京都", u"新宿区", u"新宿3-38-1", 0, false},
            {u"加藤", u"かとう", u"翔", u"しょう", u"ディー出版", u"でぃーしゅっぱん", u"編集部",
             u"03-5555-0101", u"kato@d-pub.example.jp", u"101-0051", u"東京都", u"千代田区",
             u"神田神保町1-101", 1, false},
            {u"Smith", u"", u"John", u"", u"Example Trading Ltd.", u"", u"Manager", u"+44 20 7946 0000",
             u"john.smith@example.com", u"SW1A 1AA", u"", u"London", u"10 Downing Street", 1, false},
            {u"吉田", u"よしだ", u"さくら", u"さくら", u"", u"", u"", u"080-2468-1357", u"sakura@example.jp",
             u"060-0005", u"北海道", u"札幌市中央区", u"北5条西2-5", 2, false},
        };
        const uint32_t ids[] = {0, category(store, QStringLiteral("ビジネス")),
                                category(store, QStringLiteral("パーソナル"))};
        for (const Card& c : cards) {
            CTavDbAddrRecord r;
            r.SetLastName(QString::fromUtf16(c.last));
            r.SetLastNameYomi(QString::fromUtf16(c.lastYomi));
            r.SetFirstName(QString::fromUtf16(c.first));
            r.SetFirstNameYomi(QString::fromUtf16(c.firstYomi));
            r.SetCompany(QString::fromUtf16(c.company));
            r.SetCompanyYomi(QString::fromUtf16(c.companyYomi));
            r.SetTitle(QString::fromUtf16(c.title));
            const QString phone = QString::fromUtf16(c.phone);
            r.SetPhone(0, phone);
            r.SetPhoneLabelID(0, phone.startsWith(u"0") && phone.mid(1, 2).toInt() >= 70 ? CTavDbAddrRecord::kLabelMobile
                                                                                          : CTavDbAddrRecord::kLabelWork);
            r.SetPhone(1, QString::fromUtf16(c.mail));
            r.SetPhoneLabelID(1, CTavDbAddrRecord::kLabelEmail);
            r.SetDisplayPhone(1);
            r.SetZipCode(QString::fromUtf16(c.zip));
            r.SetState(QString::fromUtf16(c.state));
            r.SetCity(QString::fromUtf16(c.city));
            r.SetAddress(QString::fromUtf16(c.address));
            r.SetCategoryID(ids[c.category]);
            r.SetPrivate(c.isPrivate);
            store.AddRecord(r);
        }
    }

    void fillTodos(CTavDbTodo& store)
    {
        const uint32_t business = category(store, QStringLiteral("ビジネス"));
        const uint32_t personal = category(store, QStringLiteral("パーソナル"));
        struct Task
        {
            const char16_t* desc;
            int level, priority, dueOffset; // dueOffset 999: no due date
            bool completed;
            uint32_t category;
        };
        const Task tasks[] = {
            {u"新製品の見積書を作成", 0, 1, 1, false, business},
            {u"原価を経理に確認", 1, 2, 0, true, business},
            {u"A社向け値引き案をまとめる", 1, 2, 1, false, business},
            {u"上長の承認をもらう", 2, 3, 1, false, business},
            {u"大阪出張の準備", 0, 2, 5, false, business},
            {u"新幹線の切符を予約", 1, 1, 2, true, business},
            {u"ホテルを予約", 1, 1, 3, false, business},
            {u"展示会の資料を印刷", 1, 3, 5, false, business},
            {u"経費精算（先月分）", 0, 3, -2, false, business},
            {u"母の誕生日プレゼントを買う", 0, 2, 8, false, personal},
            {u"車検の予約", 0, 4, 14, false, personal},
            {u"年賀状の準備", 0, 5, 999, false, personal},
            {u"住所録を整理する", 1, 5, 999, false, personal},
            {u"英会話の教材を注文", 0, 4, 999, true, personal},
        };
        uint32_t previous = 0;
        for (const Task& t : tasks) {
            CTavDbTodoRecord r;
            r.SetDesc(QString::fromUtf16(t.desc));
            r.SetIndentLevel(t.level);
            r.SetPriority(t.priority);
            r.SetDueDate(t.dueOffset == 999 ? maxDateTime : CTavDbTime::fromDate(today.addDays(t.dueOffset)));
            r.SetCompleted(t.completed);
            r.SetCategoryID(t.category);
            if (previous ? store.AddRecordAfter(r, previous) == TavStatusCode::Ok
                         : store.AddRecord(r) == TavStatusCode::Ok)
                previous = r.GetUniqueId();
        }
    }

    void fillMemos(CTavDbMemo& store)
    {
        const uint32_t business = category(store, QStringLiteral("ビジネス"));
        const uint32_t personal = category(store, QStringLiteral("パーソナル"));
        const std::pair<const char16_t*, uint32_t> memos[] = {
            {u"買い物リスト\n牛乳\n卵\n食パン\nトマト", personal},
            {u"会議メモ 企画書レビュー\n・スケジュールを2週間前倒し\n・予算は据え置き\n・次回は来週水曜", business},
            {u"Wi-Fi 設定\nSSID: home-net\n※パスワードは手帳に記載", personal},
            {u"おすすめの本\n「坊っちゃん」夏目漱石\n「銀河鉄道の夜」宮沢賢治", personal},
            {u"出張チェックリスト\n名刺\nノートPC と充電器\n展示会パス", business},
            {u"レシピ：肉じゃが\nじゃがいも 3個\n牛肉 200g\n玉ねぎ 1個\nしょうゆ・みりん 各大さじ3", personal},
            {u"電話メモ {田中様}\n折り返し 14:00 以降\n件名: 見積もり \\ 値引きの件", business},
            {u"旅行の候補\n京都（紅葉）\n金沢（兼六園）\n函館（夜景）", personal},
        };
        for (const auto& [text, cat] : memos) {
            CTavDbMemoRecord r;
            r.SetMemo(QString::fromUtf16(text));
            r.SetCategoryID(cat);
            store.AddRecord(r);
        }
        CTavDbMemoRecord secret;
        secret.SetMemo(QStringLiteral("暗証番号のヒント\n最初の家の番地"));
        secret.SetPrivate(true);
        store.AddRecord(secret);
    }
};

int runDemo(CliContext& ctx, const QStringList& args)
{
    if (args.size() > 1)
        return CliContext::fail(CliExit::UsageError, QStringLiteral("usage: demo [NAME]"));
    if (const int rc = ctx.beginWrite())
        return rc;
    const QString name = args.value(0, QStringLiteral("デモ"));
    CTavDbUser& users = ctx.users();
    if (users.GetUserID(name) == 0) {
        const TavStatus status = users.AddUser(name);
        if (status != TavStatusCode::Ok)
            return CliContext::fail(CliExit::DataError, QStringLiteral("cannot add the demo user \"%1\": %2")
                                                            .arg(name, CliContext::statusText(status)));
    }
    users.SetCurrUserName(name);
    users.AddUserDirectory(name);
    DemoWriter writer{users};
    CTavDbDate date;
    CTavDbAddr addr;
    CTavDbTodo todo;
    CTavDbMemo memo;
    const std::pair<CTavDbStoreBase*, std::function<void()>> stores[] = {
        {&date, [&] { writer.fillSchedule(date); }},
        {&addr, [&] { writer.fillAddresses(addr); }},
        {&todo, [&] { writer.fillTodos(todo); }},
        {&memo, [&] { writer.fillMemos(memo); }},
    };
    // The demo user's stores are filled anew, so running the command twice gives the same data.
    for (const auto& [store, fill] : stores) {
        store->AttachUsers(&users);
        store->Clear();
        fill();
        const TavStatus status = store->WriteToFile(store->StoreFilePath(users.GetCurrUserPath()));
        if (status != TavStatusCode::Ok)
            return CliContext::fail(CliExit::DataError,
                                    QStringLiteral("cannot write the demo data: %1").arg(CliContext::statusText(status)));
    }
    CliContext::printJson({{QStringLiteral("user"), name},
                           {QStringLiteral("schedule"), date.GetRecordCount()},
                           {QStringLiteral("address"), addr.GetRecordCount()},
                           {QStringLiteral("todo"), todo.GetRecordCount()},
                           {QStringLiteral("memo"), memo.GetRecordCount()}});
    return CliExit::Ok;
}
} // namespace

LUMORA_CLI_COMMAND({"demo", "demo [NAME]", "fills the user NAME (default \"デモ\", added when missing) with a few weeks "
                                           "of demo data around today in every store", &runDemo})
