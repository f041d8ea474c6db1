#include <QTest>

#include "CTavDbText.h"

class TestText : public QObject
{
    Q_OBJECT

private slots:
    void byteCountsFollowCodePage932_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("bytes");
        QTest::newRow("ascii") << QStringLiteral("Lumora 1.0") << 10;
        QTest::newRow("hiragana and kanji") << QStringLiteral("予定表です") << 10;
        QTest::newRow("half-width katakana") << QStringLiteral("ｶﾀｶﾅ") << 4;
        QTest::newRow("wave dash and numbered circle") << QStringLiteral("～①") << 4;
        QTest::newRow("yen and backslash") << QStringLiteral("\\") << 1;
        QTest::newRow("emoji has no code") << QStringLiteral("a😀b") << 3;
        QTest::newRow("empty") << QString() << 0;
    }

    void byteCountsFollowCodePage932()
    {
        QFETCH(QString, text);
        QFETCH(int, bytes);
        QCOMPARE(CTavDbText::mbLength(text), bytes);
        QCOMPARE(CTavDbText::toCp932(text).size(), bytes);
    }

    void roundTripsAndRejectsBrokenBytes()
    {
        const QString text = QStringLiteral("東京都千代田区 ｱｲｳ ～ ① Ⅲ");
        bool ok = false;
        QCOMPARE(CTavDbText::fromCp932(CTavDbText::toCp932(text), &ok), text);
        QVERIFY(ok);
        // A lone lead byte and an undefined lead byte.
        CTavDbText::fromCp932(QByteArray("ab\x82", 3), &ok);
        QVERIFY(!ok);
        const QString mixed = CTavDbText::fromCp932(QByteArray("x\xA0y\x82\xA0z"), &ok);
        QVERIFY(!ok);
        QVERIFY(mixed.startsWith(u'x') && mixed.endsWith(u'z'));
        QVERIFY(CTavDbText::isValidUtf8("日本語"));
        QVERIFY(!CTavDbText::isValidUtf8(QByteArray("\x93\xfa\x96\x7b")));
    }

    void truncationNeverSplitsACharacter()
    {
        const QString text = QStringLiteral("aあ😀い");
        QCOMPARE(CTavDbText::truncateToBytes(text, 2), QStringLiteral("a"));
        QCOMPARE(CTavDbText::truncateToBytes(text, 3), QStringLiteral("aあ"));
        QCOMPARE(CTavDbText::truncateToBytes(text, 4), QStringLiteral("aあ😀"));
        QCOMPARE(CTavDbText::truncateToBytes(text, 100), text);
    }
};

QTEST_GUILESS_MAIN(TestText)
#include "tst_text.moc"
