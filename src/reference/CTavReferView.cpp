#include "CTavReferView.h"

#include <QMouseEvent>
#include <QPainter>

#include "sheet/CTavDbFreePdbObjectManager.h"

namespace {
constexpr int kMargin = 4;
} // namespace

CTavReferView::CTavReferView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("referSheet"));
}

void CTavReferView::SetSheet(std::shared_ptr<CTavDbFreePdbObjectManager> sheet)
{
    SelectObject(nullptr);
    m_sheet = std::move(sheet);
    updateGeometry();
    update();
}

void CTavReferView::SetScale(double scale)
{
    m_scale = scale;
    updateGeometry();
    update();
}

double CTavReferView::EffectiveScale() const
{
    if (m_scale > 0)
        return m_scale;
    const QRect canvas = CTavDbFreePdbObjectManager::PageRect;
    const double sx = (width() - 2.0 * kMargin) / std::max(1, canvas.width());
    const double sy = (height() - 2.0 * kMargin) / std::max(1, canvas.height());
    return std::max(0.05, std::min(sx, sy));
}

QRect CTavReferView::PageRect() const
{
    const QRect canvas = CTavDbFreePdbObjectManager::PageRect;
    const double scale = EffectiveScale();
    const QSize size(qRound(canvas.width() * scale), qRound(canvas.height() * scale));
    // Fitted pages sit centred at the top; fixed ones at the margin.
    const int x = m_scale > 0 ? kMargin : std::max(kMargin, (width() - size.width()) / 2);
    return QRect(QPoint(x, kMargin), size);
}

QSize CTavReferView::sizeHint() const
{
    if (m_scale <= 0)
        return QSize(200, 260);
    const QRect canvas = CTavDbFreePdbObjectManager::PageRect;
    return QSize(qRound(canvas.width() * m_scale) + 2 * kMargin,
                 qRound(canvas.height() * m_scale) + 2 * kMargin);
}

CTavDbFreeRecord* CTavReferView::ObjectAt(const QPoint& widgetPos) const
{
    if (!m_sheet)
        return nullptr;
    const QRect page = PageRect();
    const double scale = EffectiveScale();
    const QPoint canvasPos(int((widgetPos.x() - page.left()) / scale),
                           int((widgetPos.y() - page.top()) / scale));
    const QList<CTavDbFreeRecord*> hits = m_sheet->IsForcus(canvasPos);
    return hits.isEmpty() ? nullptr : hits.first();
}

void CTavReferView::SelectObject(CTavDbFreeRecord* object)
{
    // The moving flag marks the viewer's choice: the editor's selection would bring its resize
    // handle, and nothing here can be resized.
    if (m_selected)
        m_selected->DeleteRecordFlag(CTavDbFreeRecord::FlagMoving);
    m_selected = object;
    if (m_selected)
        m_selected->AddRecordFlag(CTavDbFreeRecord::FlagMoving);
    update();
}

void CTavReferView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    const QRect page = PageRect();
    p.fillRect(page, Qt::white);
    if (m_sheet) {
        p.save();
        p.setClipRect(page);
        p.translate(page.topLeft());
        p.scale(EffectiveScale(), EffectiveScale());
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        m_sheet->Draw(p, CTavDbFreePdbObjectManager::PageRect);
        if (m_selected) {
            p.setPen(QPen(QColor(0, 0, 255), 0, Qt::DotLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(m_selected->GetRect()).adjusted(-1, -1, 0, 0));
        }
        p.restore();
    }
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(page.adjusted(-1, -1, 0, 0));
}

void CTavReferView::mousePressEvent(QMouseEvent* event)
{
    if (m_interactive && event->button() == Qt::LeftButton)
        SelectObject(ObjectAt(event->position().toPoint()));
    QWidget::mousePressEvent(event);
}

void CTavReferView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!m_interactive || event->button() != Qt::LeftButton)
        return;
    CTavDbFreeRecord* object = ObjectAt(event->position().toPoint());
    SelectObject(object);
    if (object && object->GetKind() == CTavDbFreeRecord::KindContents)
        emit contentActivated(object);
}
