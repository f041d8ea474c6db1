#include <QDir>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "CTavComScheduleBox.h"
#include "CTavComScheduleColum.h"
#include "CTavComScheduleView.h"
#include "GridTestData.h"

using GridTestData::at;
using GridTestData::sec;

namespace {
constexpr int Alarm = 1, Repeat = 2, Memo = 4, Note = 8, Private = 16;

struct Event
{
    int day;
    int h0, m0, h1, m1; // h0 < 0: untimed
    const char* text;
    TavColorRef color = 0xFFFFFF;
    int marks = 0;
};

const TavColorRef kYellow = TavRgb(255, 244, 204), kBlue = TavRgb(214, 236, 255),
                  kPink = TavRgb(255, 226, 236), kGreen = TavRgb(220, 244, 220);

// The week of 2025-02-23, a Sunday.
const Event kWeek[] = {
    {1, 9, 0, 10, 0, "週次定例ミーティング", 0xFFFFFF, Alarm | Repeat},
    {1, 9, 30, 11, 0, "企画書レビュー（第2版）", kYellow, Note},
    {1, 10, 30, 11, 30, "来客対応：山田様", 0xFFFFFF, Alarm},
    {1, 14, 0, 15, 30, "プロジェクト進捗確認", kBlue, Memo},
    {1, 14, 0, 14, 30, "電話：見積もりの件"},
    {1, 14, 15, 15, 0, "資料作成"},
    {1, -1, 0, 0, 0, "山田さん誕生日", kPink},
    {2, 8, 30, 9, 0, "朝会", 0xFFFFFF, Repeat},
    {2, 10, 0, 12, 0, "顧客訪問（大阪支店）", kGreen, Alarm | Memo | Note},
    {3, 15, 0, 16, 0, "設計レビュー"},
    {3, 15, 0, 17, 0, "開発定例"},
    {3, 15, 30, 16, 30, "面接（二次）", kPink},
    {3, 16, 15, 18, 0, "リリース準備", kYellow},
    {3, -1, 0, 0, 0, "資源ごみの日", 0xFFFFFF, Repeat},
    {4, 11, 0, 12, 30, "歯医者", 0xFFFFFF, Alarm | Private},
    {5, 18, 30, 21, 0, "歓迎会（駅前の居酒屋）", kPink, Alarm},
    {5, 9, 0, 18, 0, "出張：名古屋", kBlue},
    {5, -1, 0, 0, 0, "給料日"},
    {5, -1, 0, 0, 0, "締切：経費精算", kYellow, Alarm},
    {6, 10, 0, 11, 30, "ジム", kGreen, Repeat},
};

// The week with its events; with one column, only Monday.
void fill(CTavComScheduleView& view, int columns)
{
    view.ClearBoxList();
    for (int c = 0; c < columns; ++c) {
        const int day = columns == 1 ? 1 : c;
        const QDate date = QDate(2025, 2, 23).addDays(day);
        auto* column = new CTavComScheduleColum(QLocale(QLocale::Japanese).toString(date, u"M/d (ddd)"_qs));
        if (day % 6 == 0)
            column->SetTitleBackColor(day ? 0xFFCC99 : 0xCCCCFF); // Saturday blue, Sunday red
        for (const Event& e : kWeek) {
            if (e.day != day)
                continue;
            auto* box = new CTavComScheduleBox;
            box->SetTimes(at(std::max(e.h0, 0), e.m0, e.day), at(std::max(e.h1, 0), e.m1, e.day));
            box->SetText(QString::fromUtf8(e.text));
            box->SetBackColor(e.color);
            box->SetAlarm(e.marks & Alarm);
            box->SetRepeat(e.marks & Repeat);
            box->SetFreeMemo(e.marks & Memo);
            box->SetNote(e.marks & Note ? QStringLiteral("持ち物：ノートPC、資料") : QString());
            box->SetPrivate(e.marks & Private);
            box->SetMaskMode(e.marks & Private);
            e.h0 < 0 ? column->AddNoTimeBox(box) : column->AddBox(box);
        }
        view.AddColum(column);
    }
    view.EndSettingData();
}

CTavComScheduleBox* findBox(const CTavComScheduleView& view, const QString& text)
{
    for (int c = 0; c < view.GetColumCount(); ++c)
        for (const auto* list : {&view.GetColum(c)->GetBoxes(), &view.GetColum(c)->GetNoTimeBoxes()})
            for (const auto& box : *list)
                if (box->GetText() == text)
                    return box.get();
    return nullptr;
}

// Where a box is on the screen now.
QRect onScreen(const CTavComScheduleView& view, const CTavComScheduleBox* box)
{
    const CTavComGridGeometry& geo = view.Geometry();
    const QPoint topLeft = box->IsNoTime() ? geo.NoTimeToView(box->GetRect().topLeft())
                                           : geo.TimedToView(box->GetRect().topLeft());
    return QRect(topLeft, box->GetRect().size());
}

void saveShot(QWidget& widget, const QString& name)
{
    const QString dir = qEnvironmentVariable("LUMORA_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        QVERIFY(QDir().mkpath(dir) && widget.grab().save(QDir(dir).filePath(name)));
}

CTavComDragResult dragged(CTavComScheduleView& view, QPoint from, QPoint to)
{
    QSignalSpy dropped(&view, &CTavComScheduleView::boxDropped);
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(view.viewport(), (from + to) / 2);
    QTest::mouseMove(view.viewport(), to);
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, to);
    [&] { QCOMPARE(dropped.count(), 1); }();
    return dropped.isEmpty() ? CTavComDragResult{} : dropped.at(0).at(0).value<CTavComDragResult>();
}

} // namespace

class TestScheduleView : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void clicksSelect();
    void dragMovesOrResizes();
    void escapeOrRefreshEndsDrag();
    void doubleAndRightClicks();
    void untimedBandOnOff();
    void hourAtTopSurvivesRefillAndResize();

private:
    std::unique_ptr<CTavComScheduleView> m_view;
};

void TestScheduleView::init()
{
    m_view = std::make_unique<CTavComScheduleView>(true);
    m_view->resize(1100, 760);
    fill(*m_view, 7);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    m_view->SetTime(8);
}

void TestScheduleView::cleanup()
{
    m_view.reset();
}

void TestScheduleView::clicksSelect()
{
    QSignalSpy selection(m_view.get(), &CTavComScheduleView::selectionChanged);
    CTavComScheduleBox* box = findBox(*m_view, QStringLiteral("企画書レビュー（第2版）"));
    const QRect r = onScreen(*m_view, box);
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(m_view->GetSelectedBox(), box);
    QCOMPARE(selection.last().at(0).value<CTavComScheduleBox*>(), box);
    QCOMPARE(box->GetStartSec(), sec(9, 30)); // a click does not move it

    const CTavComScheduleBox* other = findBox(*m_view, QStringLiteral("週次定例ミーティング"));
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, onScreen(*m_view, other).center());
    QVERIFY(!m_view->IsSelectedBox(box));
    QVERIFY(m_view->IsSelectedBox(other));

    // Monday 20:00 is empty.
    const QPoint empty(r.center().x(), m_view->Geometry().TimedToView(QPoint(0, 20 * 44)).y() + 5);
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, empty);
    QCOMPARE(m_view->GetSelectedBox(), nullptr);
    QCOMPARE(selection.count(), 3);
}

void TestScheduleView::dragMovesOrResizes()
{
    CTavComScheduleBox* box = findBox(*m_view, QStringLiteral("朝会")); // Tuesday 8:30-9:00
    QRect r = onScreen(*m_view, box);
    const int hour = m_view->Geometry().Scale().HourHeight();
    const int columnWidth = m_view->GetColum(2)->GetWidth();
    QTest::mousePress(m_view->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(m_view->viewport()->cursor().shape(), Qt::SizeAllCursor);
    QTest::mouseRelease(m_view->viewport(), Qt::LeftButton, {}, r.center());
    CTavComDragResult result = dragged(*m_view, r.center(), r.center() + QPoint(columnWidth, 2 * hour));
    QCOMPARE(result.box, box);
    QVERIFY(!result.resize);
    QCOMPARE(QList<int>({result.fromColumn, result.toColumn, result.startSec, result.endSec}),
             QList<int>({2, 3, sec(10, 30), sec(11, 0)}));
    QVERIFY(!m_view->DragTracker().IsActive());
    // The grid only reports; the box stays until the program refills the grid.
    QCOMPARE(box->GetStartSec(), sec(8, 30));

    box = findBox(*m_view, QStringLiteral("ジム")); // Saturday 10:00-11:30
    r = onScreen(*m_view, box);
    const QPoint edge(r.center().x(), r.bottom());
    QCOMPARE(m_view->IsBoxBottomHit(edge), box);
    QCOMPARE(m_view->IsBoxBottomHit(r.center()), nullptr);
    result = dragged(*m_view, edge, edge + QPoint(30, hour)); // sideways movement is ignored
    QVERIFY(result.resize);
    QCOMPARE(QList<int>({result.toColumn, result.startSec, result.endSec}),
             QList<int>({6, sec(10, 0), sec(12, 30)}));
}

void TestScheduleView::escapeOrRefreshEndsDrag()
{
    QSignalSpy dropped(m_view.get(), &CTavComScheduleView::boxDropped);
    const QRect r = onScreen(*m_view, findBox(*m_view, QStringLiteral("朝会")));
    for (const bool refresh : {false, true}) {
        QTest::mousePress(m_view->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseMove(m_view->viewport(), r.center() + QPoint(0, 100));
        QVERIFY(m_view->DragTracker().IsDragging());
        if (refresh)
            fill(*m_view, 7); // the program refreshes: the dragged box is gone
        else
            QTest::keyClick(m_view.get(), Qt::Key_Escape);
        QVERIFY(!m_view->DragTracker().IsActive());
        if (refresh) // after Escape the pointer may rest on a box and show its own cursor
            QCOMPARE(m_view->viewport()->cursor().shape(), Qt::ArrowCursor);
        QTest::mouseMove(m_view->viewport(), r.center() + QPoint(0, 120));
        QTest::mouseRelease(m_view->viewport(), Qt::LeftButton, {}, r.center() + QPoint(0, 120));
    }
    QCOMPARE(dropped.count(), 0);
}

void TestScheduleView::doubleAndRightClicks()
{
    QSignalSpy clicks(m_view.get(), &CTavComScheduleView::doubleClicked);
    QSignalSpy menus(m_view.get(), &CTavComScheduleView::contextMenuRequested);
    const auto last = [](const QSignalSpy& spy) { return spy.last().at(0).value<CTavComHit>(); };
    CTavComScheduleBox* visit = findBox(*m_view, QStringLiteral("顧客訪問（大阪支店）"));
    const QRect r = onScreen(*m_view, visit);
    const QRect icon = visit->FreeMemoIconRect(m_view->GetSize().markSize)
                           .translated(r.topLeft() - visit->GetRect().topLeft());
    QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, {}, icon.center());
    QVERIFY(last(clicks).onMemoIcon && last(clicks).box == visit);
    QCOMPARE(m_view->GetSelectedBox(), visit);
    QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, {}, r.center() + QPoint(-20, 10));
    QVERIFY(!last(clicks).onMemoIcon && last(clicks).box == visit);

    // On an empty slot: nothing selected, the hour for a new event.
    const QPoint empty(r.center().x(), m_view->Geometry().TimedToView(QPoint(0, 19 * 44 + 10)).y());
    QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, {}, empty);
    QVERIFY(last(clicks).box == nullptr && last(clicks).hour == 19);
    QCOMPARE(m_view->GetSelectedBox(), nullptr);
    // The column titles are not part of the grid's double clicks.
    QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, {}, QPoint(r.center().x(), 5));
    QCOMPARE(clicks.count(), 3);

    // The right button gives the hour, the band or the box under it, and selects what it hits.
    const CTavComGridGeometry& geo = m_view->Geometry();
    m_view->SelectBox(visit);
    const int x = geo.TimedToView(QPoint(m_view->GetColum(4)->GetX() + 40, 0)).x();
    QTest::mouseClick(m_view->viewport(), Qt::RightButton, {},
                      QPoint(x, geo.TimedToView(QPoint(0, 14 * 44 + 30)).y()));
    QVERIFY(last(menus).hour == 14 && last(menus).column == 4 && !last(menus).IsNoTime());
    QCOMPARE(m_view->GetSelectedBox(), nullptr);
    QTest::mouseClick(m_view->viewport(), Qt::RightButton, {},
                      QPoint(x, geo.HeaderHeight() + geo.NoTimeHeight() - 3));
    QVERIFY(last(menus).IsNoTime());
    CTavComScheduleBox* dentist = findBox(*m_view, QStringLiteral("歯医者"));
    QTest::mouseClick(m_view->viewport(), Qt::RightButton, {}, onScreen(*m_view, dentist).center());
    QCOMPARE(last(menus).box, dentist);
    QCOMPARE(m_view->GetSelectedBox(), dentist);
}

void TestScheduleView::untimedBandOnOff()
{
    m_view->resize(1100, 520);
    CTavComScheduleBox* payday = findBox(*m_view, QStringLiteral("給料日"));
    const QPoint inBand = onScreen(*m_view, payday).center();
    QCOMPARE(m_view->IsNoTimeBoxHit(inBand), payday);
    // Friday has two untimed boxes: the band holds both rows.
    QCOMPARE(m_view->Geometry().NoTimeHeight(), 2 * m_view->GetSize().noTimeRowHeight + 4);
    const int hourAtTop = m_view->GetTime();

    m_view->SetNoTime(false);
    QCOMPARE(m_view->Geometry().TimedTop(), m_view->GetSize().headerHeight);
    QCOMPARE(m_view->IsNoTimeBoxHit(inBand), nullptr);
    QCOMPARE(m_view->HitTest(inBand).area, CTavComHit::Area::Timed);
    QCOMPARE(m_view->GetTime(), hourAtTop);
    saveShot(*m_view, QStringLiteral("schedulegrid-week-noband.png"));
    m_view->SetNoTime(true);
    QCOMPARE(m_view->IsNoTimeBoxHit(inBand), payday);
}

void TestScheduleView::hourAtTopSurvivesRefillAndResize()
{
    m_view->resize(1100, 520);
    QScrollBar* v = m_view->verticalScrollBar();
    const int hour = m_view->Geometry().Scale().HourHeight();
    m_view->SetTime(9);
    m_view->resize(1100, 480);
    QCOMPARE(v->value(), 9 * hour);

    v->setValue(5 * hour + 7); // the user scrolls
    fill(*m_view, 7);
    m_view->resize(1100, 520);
    QCOMPARE(v->value(), 5 * hour + 7);
    // Anchored to an hour it cannot reach, the grid comes closer to it when a lower window lets it
    // scroll further.
    m_view->SetTime(20);
    const int capped = v->value();
    QCOMPARE(capped, v->maximum());
    m_view->resize(1100, 400);
    QVERIFY(v->value() > capped);
}

QTEST_MAIN(TestScheduleView)
#include "tst_scheduleview.moc"
