#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "CTavFreeSheetManager.h"

namespace {
QStringList names(const CTavFreeSheetManager& sheets)
{
    QStringList n;
    for (const CTavDbCategory& c : sheets.Categories())
        n << QStringLiteral("%1:%2").arg(c.GetID()).arg(c.GetName());
    return n;
}
} // namespace

// The memo sheets' category database: made when missing, edited within the handheld's limits,
// and never written over when it could not be read.
class TestSheetManager : public QObject
{
    Q_OBJECT

private slots:
    void createEditAndReload()
    {
        QTemporaryDir dir;
        const QString user = dir.path() + u'/';
        CTavFreeSheetManager sheets;
        QCOMPARE(sheets.Load(user), TavStatusCode::Ok);
        QVERIFY(QFile::exists(user + QStringLiteral("Quillos/Quillo_Category.pdb")));
        QCOMPARE(names(sheets), QStringList({QStringLiteral("0:未分類"), QStringLiteral("1:ビジネス"),
                                             QStringLiteral("2:パーソナル")}));

        QCOMPARE(sheets.Add(QStringLiteral("ビジネス")), TavStatusCode::Duplicate);
        for (int n = 0; n < 12; ++n)
            QCOMPARE(sheets.Add(QStringLiteral("分類%1").arg(n)), TavStatusCode::Ok);
        QCOMPARE(sheets.Categories().size(), 15);
        QCOMPARE(sheets.Add(QStringLiteral("もう一つ")), TavStatusCode::CategoryLimit);
        // New ids come from the PC's range; a rename keeps the id the sheets carry.
        const uint32_t added = sheets.Categories().last().GetID();
        QVERIFY(added >= 128);
        QCOMPARE(sheets.Rename(1, QStringLiteral("仕事")), TavStatusCode::Ok);
        QCOMPARE(sheets.Rename(1, QStringLiteral("パーソナル")), TavStatusCode::Duplicate);
        QCOMPARE(sheets.Remove(0), TavStatusCode::NotFound);
        QCOMPARE(sheets.Remove(2), TavStatusCode::Ok);
        QCOMPARE(sheets.CategoryName(2), QString());
        QCOMPARE(sheets.Add(QStringLiteral("旅行")), TavStatusCode::Ok);
        QCOMPARE(sheets.Save(), TavStatusCode::Ok);

        CTavFreeSheetManager reread;
        QCOMPARE(reread.Load(user), TavStatusCode::Ok);
        QCOMPARE(names(reread), names(sheets));
        QCOMPARE(reread.CategoryName(1), QStringLiteral("仕事"));
        QCOMPARE(reread.CategoryName(added), QStringLiteral("分類11"));
    }

    void unreadableFileIsKept()
    {
        QTemporaryDir dir;
        const QString user = dir.path() + u'/';
        QDir().mkpath(user + QStringLiteral("Quillos"));
        const QString path = CTavFreeSheetManager::CategoryPath(user);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(40, '\x07'));
        file.close();

        CTavFreeSheetManager sheets;
        QVERIFY(sheets.Load(user) != TavStatusCode::Ok);
        QVERIFY(sheets.LoadProblem().contains(QStringLiteral("Quillo_Category.pdb")));
        QCOMPARE(sheets.Categories().size(), 3);
        QCOMPARE(sheets.Save(), TavStatusCode::Ok);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray(40, '\x07'));
        file.close();

        // Once the user edits the categories they are written.
        QCOMPARE(sheets.Add(QStringLiteral("旅行")), TavStatusCode::Ok);
        QCOMPARE(sheets.Save(), TavStatusCode::Ok);
        CTavFreeSheetManager reread;
        QCOMPARE(reread.Load(user), TavStatusCode::Ok);
        QCOMPARE(reread.Categories().size(), 4);
    }
};

QTEST_GUILESS_MAIN(TestSheetManager)
#include "tst_sheetmanager.moc"
