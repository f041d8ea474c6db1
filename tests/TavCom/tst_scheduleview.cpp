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

struct Event
{
    int day;
    int h0, m0, h1, m1; // h0 < 0: untimed
    const char* text;
    TavColorRef color = 0xFFFFFF;
    bool alarm = false;
    bool repeat = false;
    bool memo = false;
    bool note = false;
    bool priv = false;
};

const Event kWeek[] = {
    {1, 9, 0, 10, 0, "週次定例ミーティング", 0xFFFFFF, true, true},
    {1, 9, 30, 11, 0, "企画書レビュー（第2版）", TavRgb(255, 244, 204), false, false, false, true},
    {1, 10, 30, 11, 30, "来客対応：山田様", 0xFFFFFF, true},
    {1, 12, 0, 13, 0, "昼食　佐藤さんと"},
    {1, 14, 0, 15, 30, "プロジェクト進捗確認", TavRgb(214, 236, 255), false, false, true},
    {1, 14, 0, 14, 30, "電話：見積もりの件"},
    {1, 14, 15, 15, 0, "資料作成"},
    {1, -1, 0, 0, 0, "山田さん誕生日", TavRgb(255, 226, 236)},
    {2, 8, 30, 9, 0, "朝会", 0xFFFFFF, false, true},
    {2, 10, 0, 12, 0, "顧客訪問（大阪支店）", TavRgb(220, 244, 220), true, false, true, true},
    {2, 13, 0, 17, 0, "新人研修の講師"},
    {3, 15, 0, 16, 0, "設計レビュー"},
    {3, 15, 0, 17, 0, "開発定例"},
    {3, 15, 30, 16, 30, "面接（二次）", TavRgb(255, 226, 236)},
    {3, 16, 0, 16, 45, "品質会議"},
    {3, 16, 15, 18, 0, "リリース準備", TavRgb(255, 244, 204)},
    {3, -1, 0, 0, 0, "資源ごみの日", 0xFFFFFF, false, true},
    {4, 11, 0, 12, 30, "歯医者", 0xFFFFFF, true, false, false, false, true},
    {4, 9, 0, 9, 15, "メール確認"},
    {5, 18, 30, 21, 0, "歓迎会（駅前の居酒屋）", TavRgb(255, 226, 236), true},
    {5, 9, 0, 18, 0, "出張：名古屋", TavRgb(214, 236, 255)},
    {5, -1, 0, 0, 0, "給料日"},
    {5, -1, 0, 0, 0, "締切：経費精算", TavRgb(255, 244, 204), true},
    {6, 10, 0, 11, 30, "ジム", TavRgb(220, 244, 220), false, true},
    {0, 13, 0, 15, 0, "家族で買い物"},
};

const char* const kWeekday[] = {"日", "月", "火", "水", "木", "金", "土"};

CTavComScheduleBox* makeBox(const Event& e)
{
    auto* box = new CTavComScheduleBox;
    box->SetTimes(at(std::max(e.h0, 0), e.m0, e.day), at(std::max(e.h1, 0), e.m1, e.day));
    box->SetText(QString::fromUtf8(e.text));
    box->SetBackColor(e.color);
    box->SetAlarm(e.alarm);
    box->SetRepeat(e.repeat);
    box->SetFreeMemo(e.memo);
    box->SetNote(e.note ? QStringLiteral("持ち物：ノートPC、資料") : QString());
    box->SetPrivate(e.priv);
    box->SetMaskMode(e.priv);
    return box;
}

// The week of 2025-02-23 (a Sunday) with its events; with one column, only Monday.
void fill(CTavComScheduleView& view, int columns)
{
    view.ClearBoxList();
    const QDate sunday(2025, 2, 23);
    for (int c = 0; c < columns; ++c) {
        const int day = columns == 1 ? 1 : c;
        const QDate date = sunday.addDays(day);
        auto* column = new CTavComScheduleColum(QStringLiteral("%1/%2 (%3)")
                                                    .arg(date.month())
                                                    .arg(date.day())
                                                    .arg(QString::fromUtf8(kWeekday[day])));
        if (day == 0) {
            column->SetTitleColor(TavRgb(0xC6, 0x28, 0x28));
            column->SetTitleBackColor(0xCCCCFF);
        } else if (day == 6) {
            column->SetTitleColor(TavRgb(0x15, 0x65, 0xC0));
            column->SetTitleBackColor(0xFFCC99);
        }
        for (const Event& e : kWeek) {
            if (e.day != day)
                continue;
            if (e.h0 < 0)
                column->AddNoTimeBox(makeBox(e));
            else
                column->AddBox(makeBox(e));
        }
        view.AddColum(column);
    }
    view.EndSettingData();
}

CTavComScheduleBox* findBox(const CTavComScheduleView& view, const QString& text)
{
    for (int c = 0; c < view.GetColumCount(); ++c) {
        for (const auto* list : {&view.GetColum(c)->GetBoxes(), &view.GetColum(c)->GetNoTimeBoxes()}) {
            for (const auto& box : *list) {
                if (box->GetText() == text)
                    return box.get();
            }
        }
    }
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
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    QVERIFY(widget.grab().save(QDir(dir).filePath(name)));
}

// A view as the program derives it: the selection lives outside the boxes.
class SelectionBox final : public CTavComScheduleBox
{
public:
    SelectionBox(const void* const* selected, const void* record, qint64 start, qint64 end)
        : m_selected(selected), m_record(record), m_start(start), m_end(end)
    {
    }
    bool IsSelected() const override { return *m_selected == m_record; }
    qint64 GetStartTime() const override { return m_start; }
    qint64 GetEndTime() const override { return m_end; }
    void OnSelect() override { *const_cast<const void**>(m_selected) = m_record; }

private:
    const void* const* m_selected;
    const void* m_record;
    qint64 m_start;
    qint64 m_end;
};

class DerivedView final : public CTavComScheduleView
{
public:
    DerivedView() : CTavComScheduleView(false) {}
    QList<CTavComDragResult> drops;
    int presses = 0;

protected:
    void OnBoxDropped(const CTavComDragResult& result) override
    {
        drops.append(result);
        CTavComScheduleView::OnBoxDropped(result);
    }
    void OnLButtonDown(Qt::KeyboardModifiers modifiers, const QPoint& point) override
    {
        CTavComScheduleView::OnLButtonDown(modifiers, point);
        ++presses;
    }
};

} // namespace

class TestScheduleView : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void screenshots();
    void clickSelectsAndEmptyClickClears();
    void dragMovesBoxToAnotherDay();
    void bottomEdgeResizes();
    void escapeOrRefreshEndsDrag();
    void doubleClicks();
    void rightClickGivesHourOrBand();
    void untimedBandOnOff();
    void hourAtTopSurvivesRefillAndResize();
    void keysScroll();
    void derivedViewAndBoxes();

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

void TestScheduleView::screenshots()
{
    saveShot(*m_view, QStringLiteral("schedulegrid-week.png"));

    m_view->SelectBox(findBox(*m_view, QStringLiteral("顧客訪問（大阪支店）")));
    CTavComScheduleBox* box = findBox(*m_view, QStringLiteral("設計レビュー"));
    const QRect r = onScreen(*m_view, box);
    QTest::mousePress(m_view->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseMove(m_view->viewport(),
                     r.center() + QPoint(r.width() + 20, 3 * m_view->Geometry().Scale().RowHeight()));
    QVERIFY(m_view->DragTracker().IsDragging());
    saveShot(*m_view, QStringLiteral("schedulegrid-week-drag.png"));
    QTest::keyClick(m_view.get(), Qt::Key_Escape);

    CTavComScheduleView day(false);
    day.resize(560, 760);
    fill(day, 1);
    day.show();
    QVERIFY(QTest::qWaitForWindowExposed(&day));
    day.SetTime(8);
    day.SelectBox(findBox(day, QStringLiteral("プロジェクト進捗確認")));
    saveShot(day, QStringLiteral("schedulegrid-day.png"));
}

void TestScheduleView::clickSelectsAndEmptyClickClears()
{
    QSignalSpy selection(m_view.get(), &CTavComScheduleView::selectionChanged);
    CTavComScheduleBox* box = findBox(*m_view, QStringLiteral("企画書レビュー（第2版）"));
    const QRect r = onScreen(*m_view, box);
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(m_view->GetSelectedBox(), box);
    QVERIFY(m_view->IsSelectedBox(box));
    QCOMPARE(selection.count(), 1);
    QCOMPARE(selection.last().at(0).value<CTavComScheduleBox*>(), box);
    QCOMPARE(box->GetStartSec(), sec(9, 30)); // a click does not move it

    const CTavComScheduleBox* other = findBox(*m_view, QStringLiteral("週次定例ミーティング"));
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, onScreen(*m_view, other).center());
    QVERIFY(!m_view->IsSelectedBox(box));
    QVERIFY(m_view->IsSelectedBox(other));

    // Monday 20:00 is empty.
    const QPoint empty(r.center().x(), m_view->Geometry().TimedToView(QPoint(0, 20 * 44)).y() + 5);
    QVERIFY(!m_view->IsBoxHit(empty));
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, empty);
    QCOMPARE(m_view->GetSelectedBox(), nullptr);
    QCOMPARE(selection.count(), 3);
}

void TestScheduleView::dragMovesBoxToAnotherDay()
{
    QSignalSpy dropped(m_view.get(), &CTavComScheduleView::boxDropped);
    CTavComScheduleBox* box = findBox(*m_view, QStringLiteral("朝会")); // Tuesday 8:30-9:00
    const QRect r = onScreen(*m_view, box);
    const int hour = m_view->Geometry().Scale().HourHeight();
    const int columnWidth = m_view->GetColum(2)->GetWidth();
    QTest::mousePress(m_view->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(m_view->viewport()->cursor().shape(), Qt::SizeAllCursor);
    QTest::mouseMove(m_view->viewport(), r.center() + QPoint(columnWidth / 2, hour));
    QTest::mouseMove(m_view->viewport(), r.center() + QPoint(columnWidth, 2 * hour));
    QTest::mouseRelease(m_view->viewport(), Qt::LeftButton, {}, r.center() + QPoint(columnWidth, 2 * hour));
    QCOMPARE(dropped.count(), 1);
    const auto result = dropped.at(0).at(0).value<CTavComDragResult>();
    QCOMPARE(result.box, box);
    QVERIFY(!result.resize);
    QCOMPARE(result.fromColumn, 2);
    QCOMPARE(result.toColumn, 3);
    QCOMPARE(result.startSec, sec(10, 30));
    QCOMPARE(result.endSec, sec(11, 0));
    QVERIFY(!m_view->DragTracker().IsActive());
    // The grid only reports; the box stays until the program refills the grid.
    QCOMPARE(box->GetStartSec(), sec(8, 30));
}

void TestScheduleView::bottomEdgeResizes()
{
    QSignalSpy dropped(m_view.get(), &CTavComScheduleView::boxDropped);
    CTavComScheduleBox* box = findBox(*m_view, QStringLiteral("ジム")); // Saturday 10:00-11:30
    const QRect r = onScreen(*m_view, box);
    const QPoint edge(r.center().x(), r.bottom());
    QCOMPARE(m_view->IsBoxBottomHit(edge), box);
    QCOMPARE(m_view->IsBoxBottomHit(r.center()), nullptr);
    QTest::mousePress(m_view->viewport(), Qt::LeftButton, {}, edge);
    QCOMPARE(m_view->viewport()->cursor().shape(), Qt::SizeVerCursor);
    const int hour = m_view->Geometry().Scale().HourHeight();
    QTest::mouseMove(m_view->viewport(), edge + QPoint(30, hour)); // sideways movement is ignored
    QTest::mouseRelease(m_view->viewport(), Qt::LeftButton, {}, edge + QPoint(30, hour));
    QCOMPARE(dropped.count(), 1);
    const auto result = dropped.at(0).at(0).value<CTavComDragResult>();
    QVERIFY(result.resize);
    QCOMPARE(result.toColumn, 6);
    QCOMPARE(result.startSec, sec(10, 0));
    QCOMPARE(result.endSec, sec(12, 30));
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

void TestScheduleView::doubleClicks()
{
    QSignalSpy clicks(m_view.get(), &CTavComScheduleView::doubleClicked);
    CTavComScheduleBox* visit = findBox(*m_view, QStringLiteral("顧客訪問（大阪支店）"));
    const QRect r = onScreen(*m_view, visit);
    const QRect icon = visit->FreeMemoIconRect(m_view->GetSize().markSize)
                           .translated(r.topLeft() - visit->GetRect().topLeft());
    QVERIFY(!icon.isEmpty());
    QCOMPARE(m_view->IsFreeMemoIconHit(icon.center()), visit);
    QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, {}, icon.center());
    QCOMPARE(clicks.count(), 1);
    auto hit = clicks.last().at(0).value<CTavComHit>();
    QVERIFY(hit.onMemoIcon);
    QCOMPARE(hit.box, visit);
    QCOMPARE(m_view->GetSelectedBox(), visit);

    QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, {}, r.center() + QPoint(-20, 10));
    hit = clicks.last().at(0).value<CTavComHit>();
    QVERIFY(!hit.onMemoIcon);
    QCOMPARE(hit.box, visit);

    // On an empty slot: nothing selected, the hour for a new event.
    const QPoint empty(r.center().x(), m_view->Geometry().TimedToView(QPoint(0, 19 * 44 + 10)).y());
    QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, {}, empty);
    hit = clicks.last().at(0).value<CTavComHit>();
    QCOMPARE(hit.box, nullptr);
    QCOMPARE(hit.hour, 19);
    QCOMPARE(m_view->GetSelectedBox(), nullptr);

    // The column titles are not part of the grid's double clicks.
    QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, {}, QPoint(r.center().x(), 5));
    QCOMPARE(clicks.count(), 3);
}

void TestScheduleView::rightClickGivesHourOrBand()
{
    QSignalSpy menus(m_view.get(), &CTavComScheduleView::contextMenuRequested);
    const CTavComGridGeometry& geo = m_view->Geometry();
    m_view->SelectBox(findBox(*m_view, QStringLiteral("朝会")));
    const int x = geo.TimedToView(QPoint(m_view->GetColum(4)->GetX() + 40, 0)).x();
    QTest::mouseClick(m_view->viewport(), Qt::RightButton, {},
                      QPoint(x, geo.TimedToView(QPoint(0, 14 * 44 + 30)).y()));
    QCOMPARE(menus.count(), 1);
    auto hit = menus.last().at(0).value<CTavComHit>();
    QCOMPARE(hit.hour, 14);
    QCOMPARE(hit.column, 4);
    QVERIFY(!hit.IsNoTime());
    QCOMPARE(m_view->GetSelectedBox(), nullptr);

    QTest::mouseClick(m_view->viewport(), Qt::RightButton, {},
                      QPoint(x, geo.HeaderHeight() + geo.NoTimeHeight() - 3));
    hit = menus.last().at(0).value<CTavComHit>();
    QVERIFY(hit.IsNoTime());

    CTavComScheduleBox* dentist = findBox(*m_view, QStringLiteral("歯医者"));
    QTest::mouseClick(m_view->viewport(), Qt::RightButton, {}, onScreen(*m_view, dentist).center());
    QCOMPARE(menus.last().at(0).value<CTavComHit>().box, dentist);
    QCOMPARE(m_view->GetSelectedBox(), dentist);
}

void TestScheduleView::untimedBandOnOff()
{
    m_view->resize(1100, 520);
    CTavComScheduleBox* payday = findBox(*m_view, QStringLiteral("給料日"));
    const QPoint inBand = onScreen(*m_view, payday).center();
    QCOMPARE(m_view->IsNoTimeBoxHit(inBand), payday);
    QCOMPARE(m_view->IsBoxHit(inBand), nullptr);
    // Friday has two untimed boxes: the band holds both rows.
    QCOMPARE(m_view->Geometry().NoTimeHeight(), 2 * m_view->GetSize().noTimeRowHeight + 4);
    const int hourAtTop = m_view->GetTime();

    m_view->SetNoTime(false);
    QVERIFY(!m_view->IsNoTimeShown());
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
    QCOMPARE(v->value(), 9 * hour);
    QCOMPARE(m_view->GetTime(), 9);
    m_view->resize(1100, 480);
    QCOMPARE(v->value(), 9 * hour);

    v->setValue(5 * hour + 7); // the user scrolls
    fill(*m_view, 7);
    QCOMPARE(v->value(), 5 * hour + 7);
    m_view->resize(1100, 520);
    QCOMPARE(v->value(), 5 * hour + 7);
    // Anchored to an hour it cannot reach, the grid comes closer to it when a lower window lets it scroll
    // further.
    m_view->SetTime(20);
    const int capped = v->value();
    QCOMPARE(capped, v->maximum());
    m_view->resize(1100, 400);
    QVERIFY(v->value() > capped);

    m_view->SetTime(23);
    QCOMPARE(v->value(), v->maximum());
    QVERIFY(v->maximum() < 23 * hour);
}

void TestScheduleView::keysScroll()
{
    m_view->resize(1100, 520);
    QScrollBar* v = m_view->verticalScrollBar();
    m_view->setFocus();
    QTest::keyClick(m_view.get(), Qt::Key_Home);
    QCOMPARE(v->value(), 0);
    QTest::keyClick(m_view.get(), Qt::Key_Down);
    QCOMPARE(v->value(), m_view->GetSize().rowHeight);
    QTest::keyClick(m_view.get(), Qt::Key_PageDown);
    QCOMPARE(v->value(), m_view->GetSize().rowHeight + v->pageStep());
    QTest::keyClick(m_view.get(), Qt::Key_End);
    QCOMPARE(v->value(), v->maximum());
    QTest::keyClick(m_view.get(), Qt::Key_Up);
    QCOMPARE(v->value(), v->maximum() - m_view->GetSize().rowHeight);
}

void TestScheduleView::derivedViewAndBoxes()
{
    DerivedView view;
    view.resize(500, 700);
    const void* selected = nullptr;
    const int records[3] = {};
    auto refill = [&]() {
        view.ClearBoxList();
        auto* column = new CTavComScheduleColum(QStringLiteral("2/24 (月)"));
        column->AddBox(new SelectionBox(&selected, &records[0], at(9, 0, -30), at(10, 0, -30)));
        column->AddBox(new SelectionBox(&selected, &records[1], at(11, 0), at(12, 0)));
        view.AddColum(column);
        view.EndSettingData();
    };
    refill();
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.SetTime(8);

    // The times come from the derived box: only the time of day of a month-old record counts.
    const auto& boxes = view.GetColum(0)->GetBoxes();
    QCOMPARE(boxes[0]->GetStartSec(), sec(9, 0));
    const QPoint second = onScreen(view, boxes[1].get()).center();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, second);
    QCOMPARE(view.presses, 1);
    QCOMPARE(selected, &records[1]);

    // After a refill the new boxes find the selection in the program's own state.
    refill();
    QCOMPARE(view.GetSelectedBox(), view.GetColum(0)->GetBoxes()[1].get());

    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, second);
    QTest::mouseMove(view.viewport(), second + QPoint(0, 44));
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, second + QPoint(0, 44));
    QCOMPARE(view.drops.size(), 1);
    QCOMPARE(view.drops[0].startSec, sec(12, 0));
    QCOMPARE(view.drops[0].endSec, sec(13, 0));
}

QTEST_MAIN(TestScheduleView)
#include "tst_scheduleview.moc"
