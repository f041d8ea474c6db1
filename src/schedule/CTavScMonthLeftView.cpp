#include "CTavScMonthLeftView.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include "CTavApp.h"
#include "CTavComUtil.h"
#include "CTavDbClock.h"
#include "CTavScMonthDoc.h"
#include "ScheduleState.h"
#include "TavCommandIds.h"

CTavScMonthLeftView::CTavScMonthLeftView(CTavScMonthDoc* document, QWidget* parent)
    : QWidget(parent), m_document(document)
{
    setObjectName(QStringLiteral("monthView"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Seven cells of a few characters and six weeks of at least three lines.
    setMinimumSize(7 * 48, 6 * 3 * CTavScMonthPainter::kMinLineHeight + 24);
    connect(document, &CTavModuleDoc::viewsUpdated, this, [this] {
        UpdateFont();
        update();
    });
    UpdateFont();
}

void CTavScMonthLeftView::UpdateFont()
{
    const int id = m_document->State().handheld.monthFontSize;
    if (id == m_fontId)
        return;
    m_fontId = id;
    m_painter.SetFont(CTavComUtil::InitLogFont(CTavScMonthPainter::FontFace(),
                                               CTavScMonthPainter::PointSize(id), id == 7 ? 700 : 400));
    m_painter.SetArea(rect());
}

CTavScMonthScene CTavScMonthLeftView::Scene() const
{
    ScheduleState& state = m_document->State();
    CTavScMonthScene scene;
    scene.grid = &m_document->Grid();
    scene.events = &m_document->Events();
    scene.store = &state.Store();
    scene.style = &state.DayStyle();
    scene.privateMode = state.PrivateMode();
    scene.selected = state.CurrentDay();
    scene.today = CTavDbClock::Today();
    scene.selectedEvent = state.selectedEvent;
    return scene;
}

void CTavScMonthLeftView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_painter.Paint(painter, Scene());
}

void CTavScMonthLeftView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_painter.SetArea(rect());
}

bool CTavScMonthLeftView::SelectAt(const QPoint& point)
{
    const int cell = m_painter.CellAt(point);
    const CTavScCalendarGrid& grid = m_document->Grid();
    CTavScCalendarGrid::Cell c;
    if (cell < 0 || grid.GetCell(cell, c) != CTavScCalendarGrid::Valid ||
        c.kind == CTavScCalendarGrid::OutOfRange)
        return false;
    ScheduleState& state = m_document->State();
    const auto& events = m_document->Events()[static_cast<size_t>(cell)];
    // An event is picked only in a cell of this month: other cells turn the calendar.
    const int line = c.kind == CTavScCalendarGrid::ThisMonth
                         ? m_painter.EventAt(cell, point, static_cast<int>(events.size()))
                         : -1;
    CTavDbDateRecord* event = line >= 0 ? events[line] : nullptr;
    m_pressedDay = grid.GetCellDate(cell);
    state.selectedEvent = nullptr;
    m_document->GoToDate(m_pressedDay);
    if (event) {
        state.SelectEvent(event);
        // Views follow the selection as they do a change of date.
        m_document->UpdateAllViews(0);
    }
    return true;
}

void CTavScMonthLeftView::mousePressEvent(QMouseEvent* event)
{
    setFocus();
    m_pressedDay = QDate(); // a press beside the days leaves a double click nothing to open
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        SelectAt(point);
        return;
    }
    if (event->button() != Qt::RightButton || !SelectAt(point))
        return;
    delete m_menu;
    m_menu = new QMenu(this);
    m_menu->setAttribute(Qt::WA_DeleteOnClose);
    m_menu->addAction(QStringLiteral("日表示(&D)"), this, [this] { OpenDay(TavModule::Day); });
    m_menu->addAction(QStringLiteral("週表示(&W)"), this, [this] { OpenDay(TavModule::Week); });
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("新規予定(&N)..."), this, [this] { m_document->NewEvent(this); });
    m_menu->popup(mapToGlobal(point));
}

void CTavScMonthLeftView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_pressedDay.isValid())
        return;
    m_document->GoToDate(m_pressedDay);
    OpenDay(TavModule::Day);
}

void CTavScMonthLeftView::OpenDay(int module)
{
    m_document->App().SwitchModule(module);
}

void CTavScMonthLeftView::keyPressEvent(QKeyEvent* event)
{
    const QDate day = m_document->State().CurrentDay();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Left:
        m_document->GoToDate(day.addDays(-1));
        break;
    case Qt::Key_Right:
        m_document->GoToDate(day.addDays(1));
        break;
    case Qt::Key_Up:
        m_document->GoToDate(day.addDays(-7));
        break;
    case Qt::Key_Down:
        m_document->GoToDate(day.addDays(7));
        break;
    case Qt::Key_PageUp:
        m_document->PreviousMonth();
        break;
    case Qt::Key_PageDown:
        m_document->NextMonth();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OpenDay(TavModule::Day);
        break;
    case Qt::Key_Delete:
        m_document->DeleteEvent(this);
        break;
    case Qt::Key_N:
        if (ctrl) {
            m_document->NewEvent(this);
            break;
        }
        [[fallthrough]];
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}
