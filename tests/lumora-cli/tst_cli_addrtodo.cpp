#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include "CliRun.h"
#include "TestDataDir.h"

namespace {

QByteArray jsonLine(const QJsonObject& o)
{
    return QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n';
}

// Every field of a card, none at its default.
QJsonObject fullCard()
{
    QJsonObject o;
    const char* texts[] = {"last_name",  "last_name_reading",
                           "first_name", "first_name_reading",
                           "company",    "company_reading",
                           "title",      "address",
                           "city",       "state",
                           "zip",        "country",
                           "custom1",    "custom2",
                           "custom3",    "custom4"};
    for (const char* key : texts)
        o.insert(QLatin1String(key), QStringLiteral("値 %1 ﾃｽﾄ").arg(QLatin1String(key)));
    for (int slot = 1; slot <= 5; ++slot) {
        o.insert(QStringLiteral("phone%1").arg(slot), QStringLiteral("090-0000-000%1").arg(slot));
        o.insert(QStringLiteral("phone%1_label").arg(slot), 8 - slot);
    }
    o.insert(QStringLiteral("note"), QStringLiteral("一行目\n\"二行目\""));
    o.insert(QStringLiteral("display_phone"), 3);
    o.insert(QStringLiteral("thumb_name"), QStringLiteral("_tavAddrTemp.jpg"));
    o.insert(QStringLiteral("thumb_kind"), 1);
    o.insert(QStringLiteral("thumb_data"),
             QString::fromLatin1(QByteArray("\xFF\xD8\x00jpeg\xFF\xD9", 8).toBase64()));
    o.insert(QStringLiteral("memo_sheet"), QStringLiteral("Memo_0001.pdb"));
    o.insert(QStringLiteral("category"), QStringLiteral("取引先"));
    o.insert(QStringLiteral("private"), true);
    return o;
}

QJsonObject fullTask()
{
    return QJsonObject{{QStringLiteral("description"), QStringLiteral("見積もり\r\n再送")},
                       {QStringLiteral("note"), QStringLiteral("{メモ}\\")},
                       {QStringLiteral("priority"), 2},
                       {QStringLiteral("due"), QStringLiteral("2025-04-30")},
                       {QStringLiteral("start"), QStringLiteral("2025-04-01")},
                       {QStringLiteral("completed"), true},
                       {QStringLiteral("level"), 0},
                       {QStringLiteral("folded"), true},
                       {QStringLiteral("memo_sheet"), QStringLiteral("Memo_0002.pdb")},
                       {QStringLiteral("category"), QStringLiteral("仕事")},
                       {QStringLiteral("private"), false}};
}

QJsonObject with(QJsonObject o, const QString& key, const QJsonValue& value)
{
    o.insert(key, value);
    return o;
}
} // namespace

class CliAddrTodoTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void everyFieldRoundTrips_data();
    void everyFieldRoundTrips();
    void badRecordsWriteNothing_data();
    void badRecordsWriteNothing();
    void foldedTasksAreListed();
    void addressFilesGoInAndOut();

private:
    std::unique_ptr<TestDataDir> m_dir;
};

void CliAddrTodoTest::init()
{
    m_dir = std::make_unique<TestDataDir>();
    QCOMPARE(RunCli(*m_dir, {QStringLiteral("useradd"), QStringLiteral("taro")}).exitCode, 0);
}

void CliAddrTodoTest::everyFieldRoundTrips_data()
{
    QTest::addColumn<QString>("store");
    QTest::addColumn<QJsonObject>("record");
    QTest::newRow("address") << "address" << fullCard();
    QTest::newRow("address with defaults")
        << "address" << QJsonObject{{QStringLiteral("company"), QStringLiteral("山田商事")}};
    QTest::newRow("todo") << "todo" << fullTask();
    QTest::newRow("todo without dates") << "todo"
                                        << QJsonObject{{QStringLiteral("description"), QStringLiteral("x")},
                                                       {QStringLiteral("due"), QJsonValue()}};
}

void CliAddrTodoTest::everyFieldRoundTrips()
{
    QFETCH(QString, store);
    QFETCH(QJsonObject, record);
    const CliResult added = RunCli(*m_dir, {QStringLiteral("add"), store}, jsonLine(record));
    QCOMPARE(added.exitCode, 0);
    QCOMPARE(added.lines.size(), 1);
    const CliResult listed = RunCli(*m_dir, {QStringLiteral("list"), store, QStringLiteral("--private")});
    QCOMPARE(listed.exitCode, 0);
    QCOMPARE(listed.lines.size(), 1);
    const QJsonObject back = listed.lines.first();
    QCOMPARE(back.value(QStringLiteral("id")), added.lines.first().value(QStringLiteral("id")));
    for (auto it = record.begin(); it != record.end(); ++it)
        QVERIFY2(back.value(it.key()) == it.value(), qPrintable(it.key()));
    // What list prints, add takes back unchanged.
    const CliResult again = RunCli(*m_dir, {QStringLiteral("add"), store}, jsonLine(back));
    QCOMPARE(again.exitCode, 0);
    const CliResult twice = RunCli(*m_dir, {QStringLiteral("list"), store, QStringLiteral("--private")});
    QJsonObject copy = twice.lines.value(1);
    copy.insert(QStringLiteral("id"), back.value(QStringLiteral("id")));
    QCOMPARE(copy, back);
}

void CliAddrTodoTest::badRecordsWriteNothing_data()
{
    QTest::addColumn<QString>("store");
    QTest::addColumn<QJsonObject>("record");
    QTest::addColumn<QString>("message");

    const QJsonObject card{{QStringLiteral("last_name"), QStringLiteral("田中")}};
    QTest::newRow("unknown field") << "address" << with(card, QStringLiteral("email"), QStringLiteral("a@b"))
                                   << "unknown field \"email\"";
    QTest::newRow("label as text, as cards.jsonl writes it")
        << "address" << with(card, QStringLiteral("phone1_label"), QStringLiteral("3")) << "\"phone1_label\"";
    QTest::newRow("label out of range") << "address" << with(card, QStringLiteral("phone2_label"), 8)
                                        << "\"phone2_label\" must be a whole number from 0 to 7";
    QTest::newRow("usual contact out of range")
        << "address" << with(card, QStringLiteral("display_phone"), 6) << "\"display_phone\"";
    QTest::newRow("257-byte last name")
        << "address" << with(card, QStringLiteral("last_name"), QString(128, QChar(0x7530)) + u'x')
        << "\"last_name\" is longer than 256 bytes";
    QTest::newRow("4097-byte note") << "address" << with(card, QStringLiteral("note"), QString(4097, u'n'))
                                    << "\"note\" is longer than 4096 bytes";
    QTest::newRow("thumbnail not base64")
        << "address" << with(card, QStringLiteral("thumb_data"), QStringLiteral("@@"))
        << "\"thumb_data\" must be base64";
    QTest::newRow("private as text") << "address"
                                     << with(card, QStringLiteral("private"), QStringLiteral("1"))
                                     << "\"private\" must be true or false";

    const QJsonObject task{{QStringLiteral("description"), QStringLiteral("t")}};
    QTest::newRow("priority 0") << "todo" << with(task, QStringLiteral("priority"), 0) << "\"priority\"";
    QTest::newRow("level 3") << "todo" << with(task, QStringLiteral("level"), 3) << "\"level\"";
    QTest::newRow("no such date") << "todo" << with(task, QStringLiteral("due"), QStringLiteral("2025-02-30"))
                                  << "\"due\" must be a date";
    QTest::newRow("257-byte title") << "todo" << with(task, QStringLiteral("description"), QString(257, u'a'))
                                    << "\"description\" is longer than 256 bytes";
    QTest::newRow("completed as number")
        << "todo" << with(task, QStringLiteral("completed"), 1) << "\"completed\"";
}

void CliAddrTodoTest::badRecordsWriteNothing()
{
    QFETCH(QString, store);
    QFETCH(QJsonObject, record);
    QFETCH(QString, message);
    const QJsonObject good = store == QLatin1String("todo") ? fullTask() : fullCard();
    const CliResult r = RunCli(*m_dir, {QStringLiteral("add"), store}, jsonLine(good) + jsonLine(record));
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.error.contains(QStringLiteral("line 2: ")) && r.error.contains(message), qPrintable(r.error));
    QVERIFY(r.lines.isEmpty());
    QCOMPARE(RunCli(*m_dir, {QStringLiteral("list"), store, QStringLiteral("--private")}).lines.size(), 0);
}

void CliAddrTodoTest::foldedTasksAreListed()
{
    // The outline's folding is a view setting; a script must still see every task.
    QByteArray input;
    input += jsonLine(with(fullTask(), QStringLiteral("completed"), false));
    input +=
        jsonLine({{QStringLiteral("description"), QStringLiteral("child")}, {QStringLiteral("level"), 1}});
    input += jsonLine(
        {{QStringLiteral("description"), QStringLiteral("grandchild")}, {QStringLiteral("level"), 2}});
    QCOMPARE(RunCli(*m_dir, {QStringLiteral("add"), QStringLiteral("todo")}, input).exitCode, 0);
    const CliResult listed = RunCli(*m_dir, {QStringLiteral("list"), QStringLiteral("todo")});
    QCOMPARE(listed.lines.size(), 3);
    QCOMPARE(listed.lines[1].value(QStringLiteral("description")).toString(), QStringLiteral("child"));
    QCOMPARE(listed.lines[2].value(QStringLiteral("level")).toInt(), 2);
}

void CliAddrTodoTest::addressFilesGoInAndOut()
{
    const auto cli = [this](const QStringList& args) { return RunCli(*m_dir, args); };
    const QString data = QStringLiteral(LUMORA_TEST_DATA_DIR);
    const QString imp = QStringLiteral("import"), exp = QStringLiteral("export"),
                  addr = QStringLiteral("address");
    CliResult r = cli({imp, addr, data + QStringLiteral("/cards/cards.csv")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.lines.value(0).value(QStringLiteral("imported")).toInt(), 40);
    r = cli({QStringLiteral("list"), addr});
    QVERIFY(std::any_of(r.lines.begin(), r.lines.end(), [](const QJsonObject& card) {
        return card.value(QStringLiteral("last_name_reading")).toString() == QStringLiteral("ハセガワ");
    }));

    // Every kind written comes back whole for another user; private cards only when asked for.
    QCOMPARE(cli({QStringLiteral("useradd"), QStringLiteral("jiro")}).exitCode, 0);
    for (const char* name : {"out.csv", "out.abc", "out.vcf"}) {
        const QString path = m_dir->filePath(QLatin1String(name));
        QCOMPARE(cli({exp, addr, path, QStringLiteral("--private")})
                     .lines.value(0)
                     .value(QStringLiteral("exported"))
                     .toInt(),
                 40);
        r = cli({QStringLiteral("--user"), QStringLiteral("jiro"), imp, addr, path});
        QCOMPARE(r.lines.value(0).value(QStringLiteral("imported")).toInt(), 40);
    }
    QCOMPARE(cli({QStringLiteral("--user"), QStringLiteral("jiro"), QStringLiteral("list"), addr,
                  QStringLiteral("--private")})
                 .lines.size(),
             120);
    QVERIFY(cli({exp, addr, m_dir->filePath(QStringLiteral("public.csv"))})
                .lines.value(0)
                .value(QStringLiteral("exported"))
                .toInt() < 40);

    // Options, refused cards with their lines, and files of no known kind.
    r = cli({imp, addr, data + QStringLiteral("/addrcsv/sjis_semicolon.csv"), QStringLiteral("--encoding"),
             QStringLiteral("cp932"), QStringLiteral("--mapping"), QStringLiteral("own")});
    QCOMPARE(r.lines.value(0).value(QStringLiteral("imported")).toInt(), 2);
    const QString bad = m_dir->filePath(QStringLiteral("bad.csv"));
    QFile f(bad);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("last_name,phone1_label\n甲,9\n乙,1\n");
    f.close();
    r = cli({imp, addr, bad});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.lines.value(0).value(QStringLiteral("imported")).toInt(), 1);
    QVERIFY2(r.error.contains(QStringLiteral("2行目")), qPrintable(r.error));
    QCOMPARE(cli({imp, addr, m_dir->filePath(QStringLiteral("cards.txt"))}).exitCode, 2);
    QCOMPARE(cli({imp, addr, bad, QStringLiteral("--mapping"), QStringLiteral("other")}).exitCode, 2);
    QCOMPARE(cli({exp, addr, m_dir->filePath(QStringLiteral("x.abc")), QStringLiteral("--encoding"),
                  QStringLiteral("cp932")})
                 .exitCode,
             2);
}

QTEST_GUILESS_MAIN(CliAddrTodoTest)
#include "tst_cli_addrtodo.moc"
