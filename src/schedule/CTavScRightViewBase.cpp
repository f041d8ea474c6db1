#include "CTavScRightViewBase.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "CTavApp.h"
#include "CTavScEventDoc.h"
#include "CTavScPeriodSheet.h"
#include "ScheduleState.h"
#include "sheet/CTavDbFreePdbObjectManager.h"

namespace {
constexpr int kSmallestScreen = 160;
} // namespace

CTavScRightViewBase::CTavScRightViewBase(CTavScEventDoc* document, QWidget* parent)
    : QWidget(parent), m_document(document), m_link(new QLabel(this)),
      m_overlay(new QPushButton(QStringLiteral("オーバーレイ表示"), this)),
      m_edit(new QPushButton(QStringLiteral("編集"), this))
{
    m_link->setObjectName(QStringLiteral("sheetLinkLabel"));
    m_overlay->setCheckable(true);
    m_overlay->setChecked(true);
    m_edit->setObjectName(QStringLiteral("sheetEditButton"));
    connect(m_overlay, &QPushButton::toggled, this, &CTavScRightViewBase::OverlayToggled);
    connect(m_edit, &QPushButton::clicked, this, &CTavScRightViewBase::EditSheet);
    connect(document, &CTavModuleDoc::viewsUpdated, this, [this] { Refresh(); });
}

ScheduleState& CTavScRightViewBase::State() const
{
    return m_document->State();
}

void CTavScRightViewBase::AddScreen(QVBoxLayout* layout)
{
    auto* title = new QLabel(QStringLiteral("Kiro 画面プレビュー"), this);
    title->setStyleSheet(QStringLiteral("font-weight: bold;"));
    m_screen = new QWidget(this);
    m_screen->setObjectName(QStringLiteral("previewScreen"));
    m_screen->setFixedSize(kScreen + 2, kScreen + 2);
    // Set rather than taken from the layout, so that the splitter may narrow the pane below the
    // full-size screen; resizeEvent then fits the screen in.
    setMinimumWidth(kSmallestScreen + 2 + 2 * kMargin);
    m_screen->installEventFilter(this);
    layout->addWidget(title);
    layout->addWidget(m_screen, 0, Qt::AlignHCenter);
}

void CTavScRightViewBase::AddSheetRows(QVBoxLayout* layout)
{
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_overlay);
    buttons->addWidget(m_edit);
    buttons->addStretch();
    layout->addWidget(m_link);
    layout->addLayout(buttons);
}

void CTavScRightViewBase::Refresh()
{
    m_sheet = ReadSheetName();
    m_link->setText(
        QStringLiteral("手書きメモ: %1").arg(m_sheet.isEmpty() ? QStringLiteral("(なし)") : m_sheet));
    if (m_screen) {
        m_overlaySheet = CTavScPeriodSheet::LoadOverlay(State().App(), m_sheet);
        m_screen->update();
    }
}

void CTavScRightViewBase::OverlayToggled()
{
    if (m_screen)
        m_screen->update();
}

bool CTavScRightViewBase::LinkSheet(const QString& name)
{
    ScheduleState& state = State();
    const bool done = state.Step(QStringLiteral("手書きメモのリンク"), [&] { return StoreSheetName(name); });
    emit state.changed();
    if (!done)
        state.App().ShowMessage(this,
                                QStringLiteral("手書きメモ \"%1\" をリンクできませんでした。").arg(name),
                                QString(), TavMsg::IconExclamation);
    return done;
}

void CTavScRightViewBase::EditSheet()
{
    CTavScPeriodSheet::EditOverlay(State(), this, m_sheet,
                                   [this](const QString& name) { return LinkSheet(name); });
    Refresh();
}

void CTavScRightViewBase::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!m_screen)
        return;
    const int side = std::clamp(width() - 2 * kMargin, kSmallestScreen + 2, kScreen + 2);
    m_screen->setFixedSize(side, side);
}

bool CTavScRightViewBase::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_screen && event->type() == QEvent::Paint) {
        PaintScreenFrame();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CTavScRightViewBase::PaintScreenFrame()
{
    QPainter p(m_screen);
    // Drawn at full size; the painter scales it to the room the pane has.
    p.scale(m_screen->width() / double(kScreen + 2), m_screen->height() / double(kScreen + 2));
    const QRect full(0, 0, kScreen + 2, kScreen + 2);
    p.fillRect(full, Qt::white);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.drawRect(full.adjusted(0, 0, -1, -1));
    QFont font = p.font();
    font.setPixelSize(16);
    p.setFont(font);
    const QRect title(1, 1, kScreen, kTitleBottom);
    p.fillRect(title, Qt::black);
    p.setPen(Qt::white);
    p.drawText(title.adjusted(6, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, ScreenTitle());
    p.save();
    PaintScreen(p);
    p.restore();
    if (m_overlay->isChecked() && m_overlaySheet)
        CTavScPeriodSheet::DrawOverlay(p, *m_overlaySheet, full.adjusted(1, 1, -1, -1));
}
