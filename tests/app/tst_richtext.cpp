#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include "CTavRichText.h"
#include "CTavRichTextReader.h"

// The detail panes' rich text: the exact document the program writes, and our reader of it.
class TestRichText : public QObject
{
    Q_OBJECT
private slots:
    void headerIsExact();
    void escaping_data();
    void escaping();
    void textSurvivesTheRoundTrip_data();
    void textSurvivesTheRoundTrip();
    void formats();
    void hostileInputStaysBounded_data();
    void hostileInputStaysBounded();
    void randomBytesNeverCrash();
};

void TestRichText::headerIsExact()
{
    const QByteArray expected = "{\\rtf1\\ansi\\ansicpg932\\deff0\\deflang1033\\deflangfe1041{\\fonttbl{"
                                "\\f0\\froman\\fprq1\\fcharset128 "
                                "\\'82\\'6c\\'82\\'72 \\'82\\'6f\\'83\\'53\\'83\\'56\\'83\\'62\\'83\\'4e;}}\n"
                                "{\\colortbl\\red0\\green0\\blue0;}\n"
                                "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\n"
                                "\\deflang1033\\pard\\tx240\\tx720\\tx1080\\tx1440\\tx1800\\tx2160\\tx2520\\t"
                                "x2880\\tx3240\\tx2400\\tx3960"
                                "\\tx4320\\tx4680\\tx5040\\tx5400\\tx5760\\tx6120\\tx6480\\plain\\f3\\fs20";
    QCOMPARE(CTavRichText::Header(), expected);
    QCOMPARE(CTavRichText::EmptyDocument(), expected + '}');
    QCOMPARE(CTavRichText::Document(QStringLiteral("a"), false, false), expected + "\\deff\\fs28 a}");
}

void TestRichText::escaping_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("escaped");
    QTest::newRow("CRLF once, not twice") << "a\r\nb" << QByteArray("a\\par b");
    QTest::newRow("escaped line break is not re-escaped") << "\\\n{" << QByteArray("\\\\\\par \\{");
    // Trail byte 0x5C of "表" and "ソ" stays as it is: the text is escaped by character.
    QTest::newRow("double-byte trail 0x5C") << QStringLiteral("表ソ") << QByteArray("\x95\x5C\x83\x5C");
    QTest::newRow("outside code page 932")
        << QStringLiteral("あ😀") << QByteArray("\x82\xA0\\u-10179?\\u-8704?");
}

void TestRichText::escaping()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, escaped);
    QCOMPARE(CTavRichText::Escape(text), escaped);
}

void TestRichText::textSurvivesTheRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("control words typed by the user") << QStringLiteral("{a} \\par \\b bold? \\'82 \\u123?");
    QTest::newRow("line breaks, leading spaces, tabs") << QStringLiteral("一行目\n  二行目\r\n\n四\t行目\n");
    QTest::newRow("trail bytes that look like syntax") << QStringLiteral("表示ソフト予定表\\ポ{");
    QTest::newRow("half-width kana and symbols") << QStringLiteral("ｱｲｳ①～－");
    QTest::newRow("outside code page 932") << QStringLiteral("😀 ∑ 한국어");
}

void TestRichText::textSurvivesTheRoundTrip()
{
    QFETCH(QString, text);
    QString expected = text;
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QCOMPARE(CTavRichTextReader::PlainText(CTavRichText::Document(text, false, false)), expected);
    QTextDocument doc;
    CTavRichTextReader::Fill(doc, CTavRichText::Document(text, false, false));
    QCOMPARE(doc.toPlainText(), expected);
}

void TestRichText::formats()
{
    using Run = CTavRichTextReader::Run;
    QCOMPARE(CTavRichTextReader::Parse(
                 "{\\rtf1{\\fonttbl{\\f0 X;}}\\fs20 small\\b bold\\b0\\fs28  big\\par{\\b in}out}"),
             (QList<Run>{{QStringLiteral("small"), false, 20, false},
                         {QStringLiteral("bold"), true, 20, false},
                         {QStringLiteral(" big"), false, 28, true},
                         {QStringLiteral("in"), true, 28, false},
                         {QStringLiteral("out"), false, 28, false}})); // the group ended
    QTextDocument doc;
    CTavRichTextReader::Fill(doc, CTavRichText::Document(QStringLiteral("本文"), false, false));
    const QTextCharFormat format = doc.firstBlock().begin().fragment().charFormat();
    QCOMPARE(format.fontPointSize(), 14.0);
}

void TestRichText::hostileInputStaysBounded_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("unbalanced closing braces") << QByteArray("}}}a}b") << "ab";
    QTest::newRow("deep nesting") << QByteArray(100000, '{') + "x" + QByteArray(100000, '}') << "x";
    QTest::newRow("cut escape") << QByteArray("a\\'8") << "a8";
    QTest::newRow("bad hex") << QByteArray("a\\'zzb") << "azzb";

    QTest::newRow("lead byte at the end") << QByteArray("a\x82") << "a?";
    QTest::newRow("huge parameters") << QByteArray("\\fs99999999999999999999 a\\u99999999999 ?b") << "ab";
    QTest::newRow("ignorable destination") << QByteArray("{\\*\\generator x;}y") << "y";
    QTest::newRow("backslash at the end") << QByteArray("a\\") << "a";
}

void TestRichText::hostileInputStaysBounded()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QString plain = CTavRichTextReader::PlainText(rtf);
    if (QTest::currentDataTag() == QLatin1String("huge parameters"))
        plain.remove(1, 1); // whatever character the clamped escape gave
    QCOMPARE(plain, text);
}

void TestRichText::randomBytesNeverCrash()
{
    QRandomGenerator random(932);
    const QByteArray alphabet("{}\\'*abfsuparc0123456789- \x82\x95\x5C\n");
    for (int round = 0; round < 2000; ++round) {
        QByteArray rtf(random.bounded(1, 300), Qt::Uninitialized);
        for (char& c : rtf)
            c = random.bounded(4) == 0 ? static_cast<char>(random.bounded(256))
                                       : alphabet.at(random.bounded(alphabet.size()));
        const QString text = CTavRichTextReader::PlainText(rtf);
        QVERIFY(text.size() <= rtf.size());
    }
}

QTEST_MAIN(TestRichText)
#include "tst_richtext.moc"
