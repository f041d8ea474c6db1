#include <QFile>
#include <QFileDialog>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavColumnDlg.h"
#include "CTavExportFileDlg.h"
#include "CTavImportFileDlg.h"
#include "TavCommandIds.h"

// The import and export file dialogs and the column dialog.
class TestFileDlg : public QObject
{
    Q_OBJECT
private slots:
    void filtersConverted_data();
    void filtersConverted();
    void openDialogChoosesAFile();
    void saveAsksBeforeOverwriting();
    void exportRange();
    void columnDialogKeepsTheFirstColumn();
};

void TestFileDlg::filtersConverted_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("filters");
    QTest::newRow("two entries") << "バックアップ(*.mpc)|*.mpc|テキスト(*.csv)|*.csv||"
                                 << QStringList{"バックアップ(*.mpc)", "テキスト(*.csv)"};
    QTest::newRow("description without its pattern")
        << "To Do のバックアップファイル|*.tda||" << QStringList{"To Do のバックアップファイル (*.tda)"};
    QTest::newRow("several patterns") << "画像|*.jpg;*.png||" << QStringList{"画像 (*.jpg *.png)"};
    QTest::newRow("no closing bars") << "テキスト (*.txt)|*.txt" << QStringList{"テキスト (*.txt)"};
}

void TestFileDlg::filtersConverted()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, filters);
    QCOMPARE(CTavFileDlg::ConvertFilter(filter), filters);
    CTavImportFileDlg dlg(true, filter);
    QCOMPARE(dlg.FileDialog()->nameFilters(), filters);
}

void TestFileDlg::openDialogChoosesAFile()
{
    AppTestEnv env;
    auto app = std::make_unique<CTavApp>();
    const QString path = env.Dir().filePath(QStringLiteral("memo.csv"));
    QFile(path).open(QIODevice::WriteOnly);
    CTavImportFileDlg dlg(true, QStringLiteral("コンマ区切りテキスト(*.csv)|*.csv||"));
    int readyWhileOpen = -1;
    env.AnswerDialog([&](CTavDialogBase& d) {
        readyWhileOpen = app->readyForSync();
        auto& file = static_cast<CTavImportFileDlg&>(d);
        file.FileDialog()->setDirectory(env.Dir().path());
        file.FileDialog()->selectFile(QStringLiteral("memo.csv"));
        AppTestEnv::Screenshot(&d, QStringLiteral("dialog-import"));
        QMetaObject::invokeMethod(file.FileDialog(), "accept");
        return d.result();
    });
    QCOMPARE(dlg.exec(), int(QDialog::Accepted));
    QCOMPARE(readyWhileOpen, 0);
    QCOMPARE(app->readyForSync(), 1);
    QCOMPARE(dlg.PathName(), path);
    // A file that does not exist cannot be opened.
    CTavImportFileDlg missing(true, QString());
    missing.show();
    missing.FileDialog()->setDirectory(env.Dir().path());
    missing.FileDialog()->selectFile(QStringLiteral("nothing.csv"));
    QMetaObject::invokeMethod(missing.FileDialog(), "accept");
    QVERIFY(missing.isVisible());
    QCOMPARE(env.Messages().size(), 1);
    QVERIFY(env.Messages().first().startsWith(QStringLiteral("nothing.csv\n")));
}

void TestFileDlg::saveAsksBeforeOverwriting()
{
    AppTestEnv env;
    const QString path = env.Dir().filePath(QStringLiteral("old.csv"));
    QFile(path).open(QIODevice::WriteOnly);
    CTavExportFileDlg dlg(QStringLiteral("コンマ区切りテキスト(*.csv)|*.csv||"));
    dlg.show();
    dlg.FileDialog()->setDirectory(env.Dir().path());
    dlg.FileDialog()->selectFile(QStringLiteral("old.csv"));
    env.AnswerMessage(TavMsg::IdNo);
    QMetaObject::invokeMethod(dlg.FileDialog(), "accept");
    QCOMPARE(env.Messages().size(), 1);
    QVERIFY(dlg.isVisible());
    env.AnswerMessage(TavMsg::IdYes);
    QMetaObject::invokeMethod(dlg.FileDialog(), "accept");
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.PathName(), path);
}

void TestFileDlg::exportRange()
{
    AppTestEnv env;
    for (bool enabled : {false, true}) {
        CTavExportFileDlg dlg(QStringLiteral("コンマ区切りテキスト(*.csv)|*.csv||"));
        dlg.selectedEnabled = enabled;
        env.AnswerDialog([&](CTavDialogBase&) {
            if (enabled)
                AppTestEnv::Screenshot(&dlg, QStringLiteral("dialog-export"));
            dlg.SelectedButton()->click(); // does nothing while disabled
            return int(QDialog::Accepted);
        });

        dlg.exec();
        QCOMPARE(dlg.rangeSelected, enabled);
        QCOMPARE(dlg.rangeAll, !enabled);
    }
}

void TestFileDlg::columnDialogKeepsTheFirstColumn()
{
    AppTestEnv env;
    const CTavListColumnTable table({{1, 100, 0, true, QStringLiteral("内容")},
                                     {2, 60, 0, true, QStringLiteral("カテゴリ")},
                                     {3, 20, 0, false, QStringLiteral("プライベート")},
                                     {4, 90, 1, true, QStringLiteral("作成日")}});
    CTavColumnDlg dlg(table);
    dlg.show();
    AppTestEnv::Screenshot(&dlg, QStringLiteral("dialog-columns"));
    QListWidget* list = dlg.List();
    QVERIFY(!(list->item(0)->flags() & Qt::ItemIsUserCheckable));
    list->setCurrentRow(1);
    QVERIFY(!dlg.UpButton()->isEnabled()); // row 1 cannot pass the first column
    dlg.MoveUp();
    QCOMPARE(list->item(1)->text(), QStringLiteral("カテゴリ"));
    list->setCurrentRow(3);
    QVERIFY(!dlg.DownButton()->isEnabled());
    dlg.MoveUp();
    dlg.MoveUp();
    list->item(2)->setCheckState(Qt::Unchecked); // カテゴリ, now third
    list->item(3)->setCheckState(Qt::Checked);   // プライベート
    const CTavListColumnTable result = dlg.Result();
    QCOMPARE(result.At(0), table.At(0));
    QCOMPARE(result.At(1), table.At(3)); // moved with its width and option
    QCOMPARE(result.At(2).kind, 2);
    QVERIFY(!result.At(2).shown);
    QVERIFY(result.At(3).shown);
}

QTEST_MAIN(TestFileDlg)
#include "tst_filedlg.moc"
