#include "CTavScMonthRightView.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

#include "CTavComUtil.h"
#include "CTavDbDate.h"
#include "CTavScMonthDoc.h"
#include "CTavScPeriodSheet.h"
#include "ScheduleState.h"
#include "sheet/CTavDbFreePdbObjectManager.h"

namespace {
// The handheld's 160 x 160 screen drawn at a little under twice its size, as in the day pane.
constexpr int kScreen = 300;
constexpr int kSmallestScreen = 160;
constexpr int kMargin = 8;
constexpr int kTitle = 26;
constexpr int kWeekdays = 20;

const char16_t* const kWeekdayNames[] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
} // namespace

CTavScMonthRightView::CTavScMonthRightView(CTavScMonthDoc* document, QWidget* parent)
    : QWidget(parent), m_document(document), m_screen(new QWidget(this)), m_link(new QLabel(this)),
      m_overlay(new QPushButton(QStringLiteral("オーバーレイ表示"), this)),
      m_edit(new QPushButton(QStringLiteral("編集"), this))
{
    setObjectName(QStringLiteral("monthPreview"));
    auto* title = new QLabel(QStringLiteral("Kiro 画面プレビュー"), this);
    title->setStyleSheet(QStringLiteral("font-weight: bold;"));
    m_screen->setObjectName(QStringLiteral("previewScreen"));
    m_screen->setFixedSize(kScreen + 2, kScreen + 2);
    setMinimumWidth(kSmallestScreen + 2 + 2 * kMargin);
    m_screen->installEventFilter(this);
    m_link->setObjectName(QStringLiteral("sheetLink"));
    m_overlay->setCheckable(true);
    m_overlay->setChecked(true);
    m_edit->setObjectName(QStringLiteral("sheetEditButton"));
    connect(m_overlay, &QPushButton::toggled, m_screen, qOverload<>(&QWidget::update));
    connect(m_edit, &QPushButton::clicked, this, &CTavScMonthRightView::EditSheet);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_overlay);
    buttons->addWidget(m_edit);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->addWidget(title);
    layout->addWidget(m_screen, 0, Qt::AlignHCenter);
    layout->addWidget(m_link);
    layout->addLayout(buttons);
    layout->addStretch();
    connect(document, &CTavModuleDoc::viewsUpdated, this, &CTavScMonthRightView::Refresh);
    Refresh();
}

void CTavScMonthRightView::Refresh()
{
    const CTavScCalendarGrid& grid = m_document->Grid();
    CTavDbDateMonthRecord info;
    m_sheet.clear();
    if (m_document->State().Store().GetMonthInfo(grid.GetYear(), grid.GetMonth(), info) == TavStatusCode::Ok)
        m_sheet = info.GetSheetName();
    m_overlaySheet = CTavScPeriodSheet::LoadOverlay(m_document->State().App(), m_sheet);
    m_link->setText(
        QStringLiteral("手書きメモ: %1").arg(m_sheet.isEmpty() ? QStringLiteral("(なし)") : m_sheet));
    m_screen->update();
}

bool CTavScMonthRightView::LinkSheet(const QString& name)
{
    ScheduleState& state = m_document->State();
    const int year = m_document->Grid().GetYear();
    const int month = m_document->Grid().GetMonth();
    const bool done = state.Step(QStringLiteral("手書きメモのリンク"), [&] {
        CTavDbDate& store = state.Store();
        CTavDbDateMonthRecord info(year, month);
        if (store.GetMonthInfo(year, month, info) == TavStatusCode::Ok) {
            info.SetSheetName(name);
            return store.UpdateMonthInfo(info) == TavStatusCode::Ok;
        }
        info.SetSheetName(name);
        return store.AddMonthInfo(info) == TavStatusCode::Ok;
    });
    Refresh();
    return done;
}

void CTavScMonthRightView::EditSheet()
{
    CTavScPeriodSheet::EditOverlay(m_document->State(), this, m_sheet,
                                   [this](const QString& name) { return LinkSheet(name); });
    Refresh();
}

void CTavScMonthRightView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int side = std::clamp(width() - 2 * kMargin, kSmallestScreen + 2, kScreen + 2);
    m_screen->setFixedSize(side, side);
}

bool CTavScMonthRightView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_screen && event->type() == QEvent::Paint) {
        PaintScreen(m_screen);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CTavScMonthRightView::PaintScreen(QWidget* screen)
{
    ScheduleState& state = m_document->State();
    const CTavScCalendarGrid& grid = state.handheld.calendar;
    const CTavScMonthDoc::Cells& events = m_document->HandheldEvents();
    QPainter p(screen);
    p.scale(screen->width() / double(kScreen + 2), screen->height() / double(kScreen + 2));
    const QRect full(0, 0, kScreen + 2, kScreen + 2);
    p.fillRect(full, Qt::white);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.drawRect(full.adjusted(0, 0, -1, -1));
    QFont font = p.font();
    font.setPixelSize(16);
    p.setFont(font);
    const QRect title(1, 1, kScreen, kTitle);
    p.fillRect(title, Qt::black);
    p.setPen(Qt::white);
    p.drawText(title.adjusted(6, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("%1/%2").arg(grid.GetYear()).arg(grid.GetMonth(), 2, 10, QLatin1Char('0')));

    // Weekday names, then six weeks: the day number and a bar for each of the first events.
    const int cellW = kScreen / 7;
    const int top = title.bottom() + 1 + kWeekdays;
    const int cellH = (kScreen - top) / 6;
    const int left = 1 + (kScreen - 7 * cellW) / 2;
    font.setPixelSize(13);
    p.setFont(font);
    const auto& weekOn = state.handheld.weekColorOn;
    const auto& weekColor = state.handheld.weekColor;
    for (int col = 0; col < 7; ++col) {
        const int weekday = (grid.GetFirstDayOfWeek() + col) % 7;
        const QRect r(left + col * cellW, title.bottom() + 1, cellW, kWeekdays);
        if (weekOn[static_cast<size_t>(weekday)])
            p.fillRect(r.adjusted(1, 1, -1, -1),
                       CTavComUtil::ToQColor(weekColor[static_cast<size_t>(weekday)]));
        p.setPen(Qt::black);
        p.drawText(r, Qt::AlignCenter, QString::fromUtf16(kWeekdayNames[weekday]));
    }
    const QDate selected = state.CurrentDay();
    for (int i = 0; i < CTavScCalendarGrid::kCells; ++i) {
        CTavScCalendarGrid::Cell c;
        grid.GetCell(i, c);
        const QRect r(left + (i % 7) * cellW, top + (i / 7) * cellH, cellW, cellH);
        p.setPen(QColor(0xB0, 0xB0, 0xB0));
        p.drawRect(r);
        if (c.kind == CTavScCalendarGrid::OutOfRange)
            continue;
        const bool inMonth = c.kind == CTavScCalendarGrid::ThisMonth;
        if (grid.GetCellDate(i) == selected)
            p.fillRect(r.adjusted(1, 1, 0, 0), QColor(0xD8, 0xD8, 0xD8));
        p.setPen(inMonth ? Qt::black : QColor(0xA0, 0xA0, 0xA0));
        p.drawText(r.adjusted(3, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop, QString::number(c.day));
        const int count = std::min<int>(3, static_cast<int>(events[static_cast<size_t>(i)].size()));
        for (int e = 0; e < count; ++e)
            p.fillRect(QRect(r.left() + 4, r.bottom() - 5 - 4 * e, r.width() - 8, 2),
                       inMonth ? Qt::black : QColor(0xA0, 0xA0, 0xA0));
    }
    if (m_overlay->isChecked() && m_overlaySheet)
        CTavScPeriodSheet::DrawOverlay(p, *m_overlaySheet, full.adjusted(1, 1, -1, -1));
}
