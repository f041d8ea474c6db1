#include "CTavFreePage.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "sheet/CTavDbFreePdbObjectManager.h"
#include "sheet/CTavDbFreeRecord.h"
#include "sheet/CTavDbTextObject.h"

CTavFreePage::CTavFreePage(QSize pageSize, QSize canvasSize, QWidget* parent)
    : QWidget(parent), m_geometry(pageSize, canvasSize)
{
    setFixedSize(pageSize);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_tools.SetPage(m_geometry.VisibleRect());
}

CTavFreePage::~CTavFreePage() = default;

void CTavFreePage::SetResources(std::shared_ptr<CTavDbFreePrcObjectManager> resources)
{
    m_resources = std::move(resources);
    if (m_sheet)
        m_sheet->SetResources(m_resources);
}

void CTavFreePage::adopt(std::unique_ptr<CTavDbFreePdbObjectManager> sheet)
{
    m_sheet = std::move(sheet);
    if (m_sheet && m_resources)
        m_sheet->SetResources(m_resources);
    m_undo.Clear();
    m_tools.SetSheet(m_sheet.get());
    update();
}

TavStatus CTavFreePage::New(const QString& path, uint32_t type)
{
    auto sheet = std::make_unique<CTavDbFreePdbObjectManager>();
    const TavStatus status = sheet->Create(path, type);
    adopt(std::move(sheet));
    return status;
}

TavStatus CTavFreePage::Open(const QString& path)
{
    auto sheet = std::make_unique<CTavDbFreePdbObjectManager>();
    if (!m_resources)
        sheet->CreateResources();
    TavStatus status = sheet->LoadFromFile(path);
    if (status == TavStatusCode::Ok)
        sheet->CreateObjects();
    adopt(std::move(sheet));
    return status;
}

void CTavFreePage::Discard()
{
    adopt(nullptr);
}

void CTavFreePage::ScrollBy(int delta)
{
    const int before = m_geometry.Scroll();
    m_geometry.ScrollBy(delta);
    m_tools.SetPage(m_geometry.VisibleRect());
    if (before != m_geometry.Scroll()) {
        update();
        emit scrolled(m_geometry.Scroll());
    }
}

QImage CTavFreePage::PageImage() const
{
    if (!m_sheet)
        return QImage();
    return m_sheet->CreateThumbnailBitmap(QRect(QPoint(0, 0), m_geometry.PageSize()), m_geometry.PageSize());
}

void CTavFreePage::UndoStroke()
{
    QRect changed;
    if (m_tools.Undo(&changed))
        update();
}

void CTavFreePage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_sheet)
        return;
    painter.translate(0, -m_geometry.Scroll());
    painter.setRenderHint(QPainter::Antialiasing);
    m_sheet->Draw(painter, m_geometry.VisibleRect());
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (m_tools.State() == CTavFreeEditTools::TextBox && !m_tools.DraggedBox().isNull()) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(m_tools.DraggedBox());
    }
    if (m_tools.State() == CTavFreeEditTools::Erasing) {
        // What the eraser would take is tinted, the path a thin grey line.
        for (const CTavDbFreeRecord* hit : m_tools.EraseHits())
            painter.fillRect(hit->GetRect(), QColor(255, 0, 0, 40));
        painter.setPen(QPen(QColor(0x90, 0x90, 0x90), 1, Qt::DashLine));
        painter.drawPolyline(m_tools.ErasePath());
    }
}

void CTavFreePage::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_tools.Press(ToCanvas(event->position().toPoint()));
    if (m_tools.State() == CTavFreeEditTools::Resizing)
        setCursor(Qt::SizeFDiagCursor);
    update();
}

void CTavFreePage::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = ToCanvas(event->position().toPoint());
    setCursor(m_tools.OverHandle(p) ? Qt::SizeFDiagCursor : Qt::ArrowCursor);
    if (m_tools.State() > CTavFreeEditTools::Text) {
        m_tools.Move(p);
        update();
    }
}

void CTavFreePage::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int before = m_tools.Tool();
    CTavDbTextObject* box = m_tools.Release(ToCanvas(event->position().toPoint()));
    update();
    if (m_tools.Tool() != before)
        emit toolChanged(m_tools.Tool());
    if (box)
        emit textBoxPlaced(box);
}

void CTavFreePage::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_sheet || m_tools.Tool() == CTavFreeEditTools::Text)
        return;
    const QList<CTavDbFreeRecord*> hits = m_sheet->IsForcus(ToCanvas(event->position().toPoint()));
    if (!hits.isEmpty())
        emit objectDoubleClicked(hits.first());
}

void CTavFreePage::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && m_tools.Selection()) {
        emit deletePressed();
        return;
    }
    QWidget::keyPressEvent(event);
}
