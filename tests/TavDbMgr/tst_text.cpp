#include <QTest>

#include "CTavDbText.h"

class TestText : public QObject
{
    Q_OBJECT

private slots:
    void byteCountsFollowCodePage932()
    {
        const QList<std::pair<QString, int>> cases{{"Lumora 1.0", 10}, {"予定表です", 10}, {"ｶﾀｶﾅ", 4},
                                                   {"～①", 4},         {"\\", 1},          {"a😀b", 3}};
        for (const auto& [text, bytes] : cases) {
            QCOMPARE(CTavDbText::mbLength(text), bytes);
            QCOMPARE(CTavDbText::toCp932(text).size(), bytes);
        }
    }

    void roundTripsAndRejectsBrokenBytes()
    {
        const QString text = QStringLiteral("東京都千代田区 ｱｲｳ ～ ① Ⅲ");
        bool ok = false;
        QCOMPARE(CTavDbText::fromCp932(CTavDbText::toCp932(text), &ok), text);
        QVERIFY(ok);
        // A lone lead byte at the end, an undefined lead byte in the middle.
        CTavDbText::fromCp932(QByteArray("ab\x82", 3), &ok);
        QVERIFY(!ok);
        const QString mixed = CTavDbText::fromCp932(QByteArray("x\xA0y\x82\xA0z"), &ok);
        QVERIFY(!ok && mixed.startsWith(u'x') && mixed.endsWith(u'z'));
        QVERIFY(!CTavDbText::isValidUtf8(QByteArray("\x93\xfa\x96\x7b")));
        // Truncation never splits a character.
        QCOMPARE(CTavDbText::truncateToBytes(QStringLiteral("aあ😀い"), 2), QStringLiteral("a"));
        QCOMPARE(CTavDbText::truncateToBytes(QStringLiteral("aあ😀い"), 4), QStringLiteral("aあ😀"));
    }
};

QTEST_GUILESS_MAIN(TestText)
#include "tst_text.moc"
