#include <QAction>
#include <QComboBox>
#include <QTest>

#include "CTavApp.h"
#include "CTavDbMemo.h"
#include "CTavMemoDoc.h"
#include "CTavMemoFrame.h"
#include "CTavMemoHeaderBand.h"
#include "CTavMemoLeftView.h"
#include "CTavMemoRightView.h"
#include "CTavProfile.h"
#include "MemoFixture.h"
#include "TavCommandIds.h"
#include "TavMemoCommandIds.h"

namespace {
void chooseCategory(CTavMemoFrame& frame, const QString& name)
{
    QComboBox* box = frame.CategoryBox();
    const int index = box->findText(name);
    QVERIFY(index >= 0);
    box->setCurrentIndex(index);
    emit box->activated(index);
}
} // namespace

// The memo list: order, filter, selection by mouse and keys, the detail pane and the private modes.
class TestMemoList : public QObject
{
    Q_OBJECT
private slots:
    void init() { m_f.Start(); }
    void cleanup() { m_f.Stop(); }
    void listsInSyllabaryOrder();
    void filterByCategory();
    void detailShowsTheTextLiterally_data();
    void detailShowsTheTextLiterally();
    void mouseAndKeys();
    void privateModes_data();
    void privateModes();
    void switchingModulesKeepsTheState();
    void dateColumnsSwitchToTimes();

private:
    MemoFixture m_f;
};

void TestMemoList::listsInSyllabaryOrder()
{
    QCOMPARE(m_f.List().RowCount(), MemoFixture::kMemoCount);
    // Kana in syllabary order (the collator decides where kanji go).
    const QStringList listed = m_f.Listed();
    QVERIFY(listed.indexOf(QStringLiteral("アイデア: 新しい企画")) <
            listed.indexOf(QStringLiteral("さくらの開花予想")));
    QVERIFY(listed.indexOf(QStringLiteral("のびた用事")) < listed.indexOf(QStringLiteral("ワインの銘柄")));
    AppTestEnv::Screenshot(m_f.App().MainFrame(), QStringLiteral("memopad-show"));
    // The memo pad's own order, and back.
    QComboBox* sort = m_f.Frame().SortBox();
    sort->setCurrentIndex(1);
    emit sort->activated(1);
    QCOMPARE(m_f.Listed().first(), QStringLiteral("会議の議事録"));
    QCOMPARE(m_f.Listed().last(), QStringLiteral("暗証番号のメモ"));
    m_f.Frame().Trigger(TavMemoCmd::SortSyllabary);
    QCOMPARE(m_f.Listed(), listed);
    QCOMPARE(m_f.Doc().SetOrder(2), -1);
}

void TestMemoList::filterByCategory()
{
    chooseCategory(m_f.Frame(), QStringLiteral("ビジネス"));
    QCOMPARE(m_f.Doc().Count(), 5);
    for (const CTavMemoEntry& e : m_f.Doc().Entries())
        QCOMPARE(e.categoryId, m_f.CategoryId(QStringLiteral("ビジネス")));
    // The filter comes back with the program.
    m_f.Restart();
    QCOMPARE(m_f.Doc().Count(), 5);
    QCOMPARE(m_f.Frame().CategoryBox()->currentText(), QStringLiteral("ビジネス"));
    // A remembered category that is gone lists everything.
    CTavProfile::WriteProfileInt(QStringLiteral("memo"), QStringLiteral("dispCategory"), 42);
    m_f.Doc().Reload();
    QCOMPARE(m_f.Doc().Count(), MemoFixture::kMemoCount);
    QCOMPARE(m_f.Frame().CategoryBox()->currentIndex(), 0);
}

void TestMemoList::detailShowsTheTextLiterally_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("category");
    QTest::newRow("braces and a backslash") << "{括弧}"
                                            << "ビジネス";
    QTest::newRow("unfiled") << "English memo"
                             << "";
}

void TestMemoList::detailShowsTheTextLiterally()
{
    QFETCH(QString, prefix);
    QFETCH(QString, category);
    const int row = m_f.RowOf(prefix);
    m_f.ClickRow(row);
    QCOMPARE(m_f.Doc().Selected(), row);
    QCOMPARE(m_f.DetailText(), m_f.Doc().Entry(row)->text);
    QCOMPARE(m_f.Detail().Band()->PositionText(), QStringLiteral("%1/20").arg(row + 1));
    QCOMPARE(m_f.Detail().Band()->CategoryText(), category.isEmpty() ? QStringLiteral("未分類") : category);
}

void TestMemoList::mouseAndKeys()
{
    CTavMemoLeftView& list = m_f.List();
    m_f.ClickRow(2);
    list.setFocus();
    QTest::keyClick(&list, Qt::Key_Down);
    QTest::keyClick(&list, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(list.Selection().SelectedRows(), (QList<int>{3, 4}));
    QCOMPARE(m_f.Doc().Selected(), 4); // the current row is the one shown
    m_f.ClickRow(0, Qt::ControlModifier);
    m_f.ClickRow(0, Qt::ControlModifier); // off again: the first selected row is shown
    QCOMPARE(m_f.Doc().Selected(), 3);
    // Enter edits only one selected memo; a double click edits the row under it.
    QTest::keyClick(&list, Qt::Key_Return);
    QVERIFY(m_f.Env().DialogTitles().isEmpty());
    m_f.ClickRow(5);
    m_f.Env().AnswerDialog(AppTestEnv::PressCancel());
    QTest::keyClick(&list, Qt::Key_Return);
    QCOMPARE(m_f.Env().DialogTitles().size(), 1);
    m_f.Env().AnswerDialog(AppTestEnv::PressCancel());
    const int y = CTavListView::kHeaderHeight + (7 - list.TopRow()) * list.RowHeight() + 3;
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(40, y));
    QCOMPARE(m_f.Env().DialogTitles().size(), 2);
    QCOMPARE(m_f.Doc().Selected(), 7);
    QVERIFY(m_f.Env().AllAnswersUsed());
}

void TestMemoList::privateModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("shown");
    QTest::newRow("show") << 0 << 20 << MemoFixture::kPrivateText;
    QTest::newRow("mask") << 1 << 20 << "Private Data.";
    QTest::newRow("hide") << 2 << 19 << "";
}

void TestMemoList::privateModes()
{
    QFETCH(int, mode);
    QFETCH(int, count);
    QFETCH(QString, shown);
    m_f.SetPrivateMode(mode);
    QCOMPARE(m_f.Doc().Count(), count);
    const int row = m_f.RowOf(QStringLiteral("暗証番号"));
    QCOMPARE(row >= 0, mode != 2);
    if (row >= 0) {
        m_f.ClickRow(row);
        QCOMPARE(m_f.DetailText(), shown);
        QCOMPARE(m_f.Detail().Band()->CategoryText().isEmpty(), mode == 1);
    }
    const char* names[] = {"memopad-private-show", "memopad-private-mask", "memopad-private-hide"};
    AppTestEnv::Screenshot(m_f.App().MainFrame(), QLatin1String(names[mode]));
    // An ordinary memo reads the same in every mode.
    m_f.ClickRow(m_f.RowOf(QStringLiteral("週報")));
    QCOMPARE(m_f.DetailText(), QStringLiteral("週報の下書き"));
}

void TestMemoList::switchingModulesKeepsTheState()
{
    chooseCategory(m_f.Frame(), QStringLiteral("パーソナル"));
    m_f.ClickRow(2);
    const QString text = m_f.DetailText();
    m_f.App().SwitchModule(TavModule::Address);
    m_f.App().SwitchModule(TavModule::MemoPad);
    QCOMPARE(m_f.Frame().CategoryBox()->currentText(), QStringLiteral("パーソナル"));
    QCOMPARE(m_f.List().Selection().SelectedRows(), QList<int>{2});
    QCOMPARE(m_f.DetailText(), text);
}

void TestMemoList::dateColumnsSwitchToTimes()
{
    CTavMemoLeftView& list = m_f.List();
    const int column = list.Columns().IndexOfKind(CTavMemoLeftView::KindCreated);
    QCOMPARE(CTavMemoLeftView::DateText(MemoFixture::Created(1), true), QStringLiteral("2024/1/4 9:01"));
    QCOMPARE(CTavMemoLeftView::DateText(0, true), QString());

    const int x = list.Columns().ColumnLeft(column, 0, 0) + 10;
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(x, 10));
    QCOMPARE(list.Columns().At(column).option, 1);
    m_f.Restart();
    QCOMPARE(m_f.List().Columns().At(column).option, 1);
}

QTEST_MAIN(TestMemoList)
#include "tst_memolist.moc"
