#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeView>

#include "AppTestEnv.h"
#include "CTavCategoryDeleteDlg.h"
#include "CTavCategoryDlg.h"
#include "CTavCategoryNameDlg.h"
#include "CTavColumnDlg.h"
#include "CTavDbClock.h"
#include "CTavDbMemo.h"
#include "CTavExportFileDlg.h"
#include "CTavImportFileDlg.h"
#include "CTavStoreCategorySource.h"
#include "TavCommandIds.h"

Q_DECLARE_METATYPE(CTavFileDlg::DesktopFacts)

namespace {
// Answers a dialog of the given kind: fills it in and presses OK; any other dialog is cancelled.
template <class Dialog> AppTestEnv::DialogAnswer filledIn(std::function<void(Dialog&)> fill)
{
    return [fill](CTavDialogBase& dialog) {
        auto* dlg = qobject_cast<Dialog*>(&dialog);
        if (!dlg)
            return int(QDialog::Rejected);
        fill(*dlg);
        dlg->accept();
        return dlg->result();
    };
}

AppTestEnv::DialogAnswer typeName(const QString& name)
{
    return filledIn<CTavCategoryNameDlg>([name](CTavCategoryNameDlg& dlg) {
        AppTestEnv::Screenshot(&dlg, QStringLiteral("dialog-category-name"));
        dlg.Edit()->setText(name);
    });
}

QStringList listed(const CTavCategoryDlg& dlg)
{
    QStringList names;
    for (int i = 0; i < dlg.List()->count(); ++i)
        names << dlg.List()->item(i)->text();
    return names;
}

} // namespace

// The category editor and its name and delete dialogs, on a real memo store and its file; the
// import and export file dialogs and the column dialog.
class TestDialogs : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void categoryEditorAndNameDialog();
    void deleteMovesOrDeletesTheRecords_data();
    void deleteMovesOrDeletesTheRecords();
    void filtersConverted_data();
    void filtersConverted();
    void openDialogChoosesAFile();
    void saveDialogInJapaneseAsksBeforeOverwriting();
    void desktopOrQtDialog_data();
    void desktopOrQtDialog();
    void columnDialogKeepsTheFirstColumn();

private:
    std::unique_ptr<CTavDbMemo> reopened() const;

    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavDbMemo> m_store;
    QString m_path;
    uint32_t m_work = 0;
};

void TestDialogs::init()
{
    CTavDbClock::SetFixed(QDateTime(QDate(2024, 5, 1), QTime(9, 0)));
    m_env = std::make_unique<AppTestEnv>();
    m_store = std::make_unique<CTavDbMemo>();
    QCOMPARE(m_store->AddCategory(QStringLiteral("仕事"), &m_work), TavStatusCode::Ok);
    for (const char16_t* text : {u"議事録", u"日報", u"買い物"}) {
        CTavDbMemoRecord r;
        r.SetMemo(QString::fromUtf16(text));
        r.SetCategoryID(text[0] == u'買' ? 0 : m_work);
        QCOMPARE(m_store->AddRecord(r), TavStatusCode::Ok);
    }
    m_path = m_env->Dir().filePath(QStringLiteral("memo.ldb"));
    QCOMPARE(m_store->WriteToFile(m_path), TavStatusCode::Ok);
    QCOMPARE(m_store->LoadFromFile(m_path), TavStatusCode::Ok);
}

void TestDialogs::cleanup()
{
    QVERIFY(m_env->AllAnswersUsed());
    m_store.reset();
    m_env.reset();
    CTavDbClock::Release();
}

std::unique_ptr<CTavDbMemo> TestDialogs::reopened() const
{
    auto fresh = std::make_unique<CTavDbMemo>();
    if (fresh->LoadFromFile(m_path) != TavStatusCode::Ok)
        qWarning("the store file does not load");
    return fresh;
}

void TestDialogs::categoryEditorAndNameDialog()
{
    CTavStoreCategorySource source(*m_store, CTavCategorySource::MemoPad);
    CTavCategoryDlg dlg(source);
    QCOMPARE(listed(dlg), (QStringList{"ビジネス", "パーソナル", "仕事"})); // Unfiled is not listed
    dlg.show();
    AppTestEnv::Screenshot(&dlg, QStringLiteral("dialog-category-editor"));
    dlg.OnRename(); // nothing selected: a message only
    QCOMPARE(m_env->Messages().size(), 1);
    m_env->AnswerDialog(typeName(QStringLiteral("旅行")));
    dlg.OnNew();
    QCOMPARE(dlg.List()->currentItem()->text(), QStringLiteral("旅行"));
    QVERIFY(reopened()->FindCategoryByName(QStringLiteral("旅行")));
    // A name the list already holds is refused with a message.
    m_env->AnswerDialog(typeName(QStringLiteral("仕事")));
    dlg.OnNew();
    QCOMPARE(m_env->Messages().size(), 2);
    QCOMPARE(listed(dlg).count(QStringLiteral("仕事")), 1);
    dlg.List()->setCurrentItem(dlg.List()->findItems(QStringLiteral("仕事"), Qt::MatchExactly).value(0));
    m_env->AnswerDialog([](CTavDialogBase& d) { // offered the old name
        auto* name = qobject_cast<CTavCategoryNameDlg*>(&d);
        return name && name->Name() == QStringLiteral("仕事") ? typeName(QStringLiteral("業務"))(d) : 0;
    });
    dlg.OnRename();
    QCOMPARE(listed(dlg), (QStringList{"ビジネス", "パーソナル", "業務", "旅行"}));
    QCOMPARE(reopened()->FindCategoryById(m_work)->GetName(), QStringLiteral("業務"));

    // The name dialog asks for a name and keeps 14 bytes of what is typed.
    CTavCategoryNameDlg name(CTavCategoryNameDlg::New, QString());
    name.show();
    name.accept();
    QCOMPARE(m_env->Messages().size(), 3);
    QVERIFY(name.isVisible());
    name.Edit()->setFocus();
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                    QStringLiteral("あいうえおかきくけこ"));
    QApplication::sendEvent(name.Edit(), &typed);
    QCOMPARE(name.Name(), QStringLiteral("あいうえおかき"));
    name.accept();
    QCOMPARE(name.result(), int(QDialog::Accepted));
}

void TestDialogs::deleteMovesOrDeletesTheRecords_data()
{
    QTest::addColumn<bool>("all");
    QTest::addColumn<QStringList>("unfiled");
    QTest::newRow("move to unfiled") << false << QStringList{"議事録", "日報", "買い物"};
    QTest::newRow("delete all") << true << QStringList{"買い物"};
}

void TestDialogs::deleteMovesOrDeletesTheRecords()
{
    QFETCH(bool, all);
    QFETCH(QStringList, unfiled);
    CTavStoreCategorySource source(*m_store, CTavCategorySource::MemoPad);
    CTavCategoryDlg dlg(source);
    dlg.List()->setCurrentItem(dlg.List()->findItems(QStringLiteral("仕事"), Qt::MatchExactly).value(0));
    m_env->AnswerDialog(AppTestEnv::PressCancel());
    dlg.OnDelete();
    QCOMPARE(reopened()->GetCategoryCount(), 4);
    m_env->AnswerDialog(filledIn<CTavCategoryDeleteDlg>([all](CTavCategoryDeleteDlg& dlg) {
        AppTestEnv::Screenshot(&dlg, QStringLiteral("dialog-category-delete"));
        (all ? dlg.DeleteChoice() : dlg.MoveChoice())->click();
    }));
    dlg.OnDelete();
    QVERIFY(!listed(dlg).contains(QStringLiteral("仕事")));

    const auto fresh = reopened();
    QVERIFY(!fresh->FindCategoryById(m_work));
    QStringList texts;
    for (const auto& rec : fresh->AllRecords()) {
        QCOMPARE(rec->GetCategoryID(), CTavDbPcRecord::kUnfiled);
        texts << static_cast<const CTavDbMemoRecord&>(*rec).GetMemo();
    }
    QCOMPARE(texts, unfiled);
}

void TestDialogs::filtersConverted_data()
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

void TestDialogs::filtersConverted()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, filters);
    QCOMPARE(CTavFileDlg::ConvertFilter(filter), filters);
    CTavImportFileDlg dlg(true, filter);
    QCOMPARE(dlg.FileDialog()->nameFilters(), filters);
}

void TestDialogs::openDialogChoosesAFile()
{
    const QString path = m_env->Dir().filePath(QStringLiteral("memo.csv"));
    QFile(path).open(QIODevice::WriteOnly);
    CTavImportFileDlg dlg(true, QStringLiteral("コンマ区切りテキスト(*.csv)|*.csv||"));
    m_env->AnswerDialog([&](CTavDialogBase& d) {
        auto& file = static_cast<CTavImportFileDlg&>(d);
        file.FileDialog()->setDirectory(m_env->Dir().path());
        file.FileDialog()->selectFile(QStringLiteral("memo.csv"));
        AppTestEnv::Screenshot(&d, QStringLiteral("dialog-import"));
        QMetaObject::invokeMethod(file.FileDialog(), "accept");
        return d.result();
    });
    QCOMPARE(dlg.exec(), int(QDialog::Accepted));
    QCOMPARE(dlg.PathName(), path);
    // A file that does not exist cannot be opened.
    CTavImportFileDlg missing(true, QString());
    missing.show();
    missing.FileDialog()->setDirectory(m_env->Dir().path());
    missing.FileDialog()->selectFile(QStringLiteral("nothing.csv"));
    QMetaObject::invokeMethod(missing.FileDialog(), "accept");
    QVERIFY(missing.isVisible());
    QCOMPARE(m_env->Messages().size(), 1);
}

void TestDialogs::saveDialogInJapaneseAsksBeforeOverwriting()
{
    const QString path = m_env->Dir().filePath(QStringLiteral("old.csv"));
    QFile(path).open(QIODevice::WriteOnly);
    CTavExportFileDlg dlg(QStringLiteral("コンマ区切りテキスト(*.csv)|*.csv||"));
    dlg.selectedEnabled = true;
    dlg.show();
    AppTestEnv::Screenshot(&dlg, QStringLiteral("dialog-export"));
    dlg.FileDialog()->setDirectory(m_env->Dir().path());
    // Typed without its extension, the name still meets the file of the chosen type.
    dlg.FileDialog()->selectFile(QStringLiteral("old"));
    m_env->AnswerMessage(TavMsg::IdNo);
    QMetaObject::invokeMethod(dlg.FileDialog(), "accept");
    QCOMPARE(m_env->Messages().size(), 1);
    QVERIFY(dlg.isVisible());
    for (const QLabel* label : dlg.findChildren<QLabel*>())
        QVERIFY2(!label->text().contains(u'&') || label->buddy(), qPrintable(label->text()));
    QCOMPARE(dlg.FileDialog()->locale(), QLocale(QLocale::Japanese, QLocale::Japan));
    // The detail view shows the date in Japanese, in a column wide enough for it.
    auto* view = dlg.FileDialog()->findChild<QTreeView*>(QStringLiteral("treeView"));
    QVERIFY(view);
    const auto cell = [view](int column) {
        return view->model()->index(0, column, view->rootIndex()).data();
    };
    QTRY_VERIFY_WITH_TIMEOUT(!cell(3).toString().isEmpty(), 20000);
    const QString date = cell(3).toString();
    QCOMPARE(date, QLocale(QLocale::Japanese, QLocale::Japan)
                       .toString(QFileInfo(m_env->Dir().filePath(cell(0).toString())).lastModified(),
                                 QLocale::ShortFormat));
    QVERIFY(view->header()->sectionSize(3) > view->fontMetrics().horizontalAdvance(date));
    AppTestEnv::Screenshot(&dlg, QStringLiteral("dialog-export-details"));

    m_env->AnswerMessage(TavMsg::IdYes);
    QMetaObject::invokeMethod(dlg.FileDialog(), "accept");
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.PathName(), path);
}

void TestDialogs::desktopOrQtDialog_data()
{
    using Facts = CTavFileDlg::DesktopFacts; // platform, themes, native dialogs off, answered by tests
    QTest::addColumn<Facts>("facts");
    QTest::addColumn<bool>("desktop");
    const QStringList gtk{"libqgtk3.so"};
    QTest::newRow("GTK theme on X11") << Facts{"xcb", gtk, false, false} << true;
    QTest::newRow("portal on Wayland") << Facts{"wayland", {"libqxdgdesktopportal.so"}, false, false} << true;
    QTest::newRow("Plasma") << Facts{"xcb", {"KDEPlasmaPlatformTheme6.so"}, false, false} << true;
    QTest::newRow("theme without dialogs") << Facts{"xcb", {"libqt6ct.so"}, false, false} << false;
    QTest::newRow("no theme") << Facts{"wayland", {}, false, false} << false;
    QTest::newRow("offscreen") << Facts{"offscreen", gtk, false, false} << false;
    QTest::newRow("switched off") << Facts{"xcb", gtk, true, false} << false;
    QTest::newRow("answered by tests") << Facts{"xcb", gtk, false, true} << false;
}

void TestDialogs::desktopOrQtDialog()
{
    QFETCH(CTavFileDlg::DesktopFacts, facts);
    QTEST(CTavFileDlg::UseDesktopDialog(facts), "desktop");
    // Here (offscreen, answered by a hook) it is always Qt's dialog.
    QVERIFY(!CTavFileDlg::UseDesktopDialog(CTavFileDlg::CurrentDesktop()));
}

void TestDialogs::columnDialogKeepsTheFirstColumn()
{
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
    list->setCurrentRow(3);
    QVERIFY(!dlg.DownButton()->isEnabled());
    dlg.MoveUp();
    dlg.MoveUp();
    list->item(2)->setCheckState(Qt::Unchecked); // カテゴリ, now third
    list->item(3)->setCheckState(Qt::Checked);   // プライベート
    const CTavListColumnTable result = dlg.Result();
    QCOMPARE(result.At(0), table.At(0));
    QCOMPARE(result.At(1), table.At(3)); // moved with its width and option
    QVERIFY(result.At(2).kind == 2 && !result.At(2).shown && result.At(3).shown);
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
