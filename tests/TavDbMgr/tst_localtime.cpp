#include <QTest>

#include "CTavDbTime.h"

// The stored-time conversions take a fast path around the C library; it must give what Qt's
// local time gives, in zones with every kind of offset change, across the whole calendar range.
class TestLocalTime : public QObject
{
    Q_OBJECT

private slots:
    void cleanupTestCase() { qunsetenv("TZ"); }

    void fastPathEqualsQt_data()
    {
        QTest::addColumn<QByteArray>("zone");
        // Spring and autumn changes at 2:00, a half-hour change, changes at midnight, a skipped
        // calendar day, a zone whose rules changed over the years, and no changes at all.
        for (const char* zone : {"Europe/Berlin", "Australia/Lord_Howe", "America/Sao_Paulo", "Pacific/Apia",
                                 "America/New_York", "Asia/Tokyo", "UTC"})
            QTest::newRow(zone) << QByteArray(zone);
    }

    void fastPathEqualsQt()
    {
        QFETCH(QByteArray, zone);
        qputenv("TZ", zone);
        // Every 7 hours 13 minutes from 1970 to 2032 meets each change's hours sooner or later.
        for (qint64 t = 0; t < 1956528000; t += 7 * 3600 + 13 * 60) {
            const QDateTime qt = QDateTime::fromSecsSinceEpoch(t);
            const TavTime stored = static_cast<TavTime>(t);
            QCOMPARE(CTavDbTime::toDate(stored), qt.date());
            QCOMPARE(CTavDbTime::toTime(stored), qt.time());
            const QDate day = qt.date();
            QCOMPARE(CTavDbTime::fromDate(day), static_cast<TavTime>(day.startOfDay().toSecsSinceEpoch()));
            const QTime wall(int(t / 3600 % 24), int(t / 60 % 60));
            QCOMPARE(CTavDbTime::fromDateAndTime(day, wall),
                     static_cast<TavTime>(QDateTime(day, wall).toSecsSinceEpoch()));
        }
    }

    // A change of TZ while running is followed at once.
    void followsZoneChanges()
    {
        const QDate day(2024, 7, 1);
        qputenv("TZ", "Asia/Tokyo");
        const TavTime tokyo = CTavDbTime::fromDate(day);
        qputenv("TZ", "UTC");
        QCOMPARE(CTavDbTime::fromDate(day) - tokyo, 9 * 3600);
        QCOMPARE(CTavDbTime::toTime(tokyo), QTime(15, 0));
    }
};

QTEST_APPLESS_MAIN(TestLocalTime)
#include "tst_localtime.moc"
