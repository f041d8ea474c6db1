#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "AppTestEnv.h"
#include "CTavCategoryDeleteDlg.h"
#include "CTavCategoryDlg.h"
#include "CTavCategoryNameDlg.h"
#include "CTavDbClock.h"
#include "CTavDbMemo.h"
#include "CTavStoreCategorySource.h"

namespace {
AppTestEnv::DialogAnswer typeName(const QString& name)
{
    return [name](CTavDialogBase& dialog) {
        auto* dlg = qobject_cast<CTavCategoryNameDlg*>(&dialog);
        if (!dlg)
            return int(QDialog::Rejected);
        dlg->Edit()->setText(name);
        dlg->accept();
        return dlg->result();
    };
}

AppTestEnv::DialogAnswer chooseDelete(bool all)
{
    return [all](CTavDialogBase& dialog) {
        auto* dlg = qobject_cast<CTavCategoryDeleteDlg*>(&dialog);
        if (!dlg)
            return int(QDialog::Rejected);
        AppTestEnv::Screenshot(dlg, QStringLiteral("dialog-category-delete"));
        (all ? dlg->DeleteChoice() : dlg->MoveChoice())->click();
        dlg->accept();
        return dlg->result();
    };
}

QStringList listed(const CTavCategoryDlg& dlg)
{
    QStringList names;
    for (int i = 0; i < dlg.List()->count(); ++i)
        names << dlg.List()->item(i)->text();
    return names;
}

void select(CTavCategoryDlg& dlg, const QString& name)
{
    const QList<QListWidgetItem*> items = dlg.List()->findItems(name, Qt::MatchExactly);
    QVERIFY(!items.isEmpty());
    dlg.List()->setCurrentItem(items.first());
}
} // namespace

// The category editor and its name and delete dialogs, on a real memo store and its file.
class TestCategoryDlg : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void newCategoryIsWrittenBack();
    void fifteenCategoriesAtMost();
    void emptyAndOverlongNames();
    void renameNeedsASelectionAndADifferentName();
    void deleteMovesOrDeletesTheRecords_data();
    void deleteMovesOrDeletesTheRecords();

private:
    std::unique_ptr<CTavDbMemo> reopened() const;

    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavDbMemo> m_store;
    QString m_path;
    uint32_t m_work = 0;
};

void TestCategoryDlg::init()
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

void TestCategoryDlg::cleanup()
{
    QVERIFY(m_env->AllAnswersUsed());
    m_store.reset();
    m_env.reset();
    CTavDbClock::Release();
}

std::unique_ptr<CTavDbMemo> TestCategoryDlg::reopened() const
{
    auto fresh = std::make_unique<CTavDbMemo>();
    if (fresh->LoadFromFile(m_path) != TavStatusCode::Ok)
        qWarning("the store file does not load");
    return fresh;
}

void TestCategoryDlg::newCategoryIsWrittenBack()
{
    CTavStoreCategorySource source(*m_store, CTavCategorySource::MemoPad);
    CTavCategoryDlg dlg(source);
    // Unfiled is not listed.
    QCOMPARE(listed(dlg), (QStringList{"ビジネス", "パーソナル", "仕事"}));
    dlg.show();
    AppTestEnv::Screenshot(&dlg, QStringLiteral("dialog-category-editor"));
    m_env->AnswerDialog([](CTavDialogBase& d) {
        AppTestEnv::Screenshot(&d, QStringLiteral("dialog-category-name"));
        return typeName(QStringLiteral("旅行"))(d);
    });
    dlg.OnNew();
    QCOMPARE(dlg.List()->currentItem()->text(), QStringLiteral("旅行"));
    QVERIFY(reopened()->FindCategoryByName(QStringLiteral("旅行")));
    // A name the list already holds is refused with a message.
    m_env->AnswerDialog(typeName(QStringLiteral("仕事")));
    dlg.OnNew();
    QCOMPARE(m_env->Messages().size(), 1);
    QCOMPARE(listed(dlg).count(QStringLiteral("仕事")), 1);
}

void TestCategoryDlg::fifteenCategoriesAtMost()
{
    for (int i = m_store->GetCategoryCount(); i < 15; ++i)
        QCOMPARE(m_store->AddCategory(QStringLiteral("c%1").arg(i)), TavStatusCode::Ok);
    CTavStoreCategorySource source(*m_store, CTavCategorySource::MemoPad);
    CTavCategoryDlg dlg(source);
    QCOMPARE(dlg.List()->count(), 14);
    dlg.OnNew(); // refused before the name dialog opens
    QCOMPARE(m_env->Messages().size(), 1);
    QVERIFY(m_env->DialogTitles().isEmpty());
    QCOMPARE(m_store->GetCategoryCount(), 15);
}

void TestCategoryDlg::emptyAndOverlongNames()
{
    CTavCategoryNameDlg dlg(CTavCategoryNameDlg::New, QString());
    dlg.show();
    dlg.accept();
    QCOMPARE(m_env->Messages().size(), 1);
    QVERIFY(dlg.isVisible()); // stays open for a name
    dlg.Edit()->setFocus();
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                    QStringLiteral("あいうえおかきくけこ"));
    QApplication::sendEvent(dlg.Edit(), &typed);            // 20 bytes typed
    QCOMPARE(dlg.Name(), QStringLiteral("あいうえおかき")); // 14 bytes kept
    dlg.accept();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
}

void TestCategoryDlg::renameNeedsASelectionAndADifferentName()
{
    CTavStoreCategorySource source(*m_store, CTavCategorySource::MemoPad);
    CTavCategoryDlg dlg(source);
    dlg.OnRename(); // nothing selected: a message only
    QCOMPARE(m_env->Messages().size(), 1);
    select(dlg, QStringLiteral("仕事"));
    m_env->AnswerDialog([](CTavDialogBase& d) {
        auto* name = qobject_cast<CTavCategoryNameDlg*>(&d);
        return name && name->Name() == QStringLiteral("仕事") ? typeName(QStringLiteral("業務"))(d) : 0;
    });
    dlg.OnRename();
    QCOMPARE(reopened()->FindCategoryById(m_work)->GetName(), QStringLiteral("業務"));
    QCOMPARE(listed(dlg).last(), QStringLiteral("業務"));
}

void TestCategoryDlg::deleteMovesOrDeletesTheRecords_data()
{
    QTest::addColumn<bool>("all");
    QTest::addColumn<QStringList>("unfiled");
    QTest::newRow("move to unfiled") << false << QStringList{"議事録", "日報", "買い物"};
    QTest::newRow("delete all") << true << QStringList{"買い物"};
}

void TestCategoryDlg::deleteMovesOrDeletesTheRecords()
{
    QFETCH(bool, all);
    QFETCH(QStringList, unfiled);
    CTavStoreCategorySource source(*m_store, CTavCategorySource::MemoPad);
    CTavCategoryDlg dlg(source);
    select(dlg, QStringLiteral("仕事"));
    m_env->AnswerDialog(AppTestEnv::PressCancel());
    dlg.OnDelete();
    QCOMPARE(reopened()->GetCategoryCount(), 4);
    m_env->AnswerDialog(chooseDelete(all));
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

QTEST_MAIN(TestCategoryDlg)
#include "tst_categorydlg.moc"
