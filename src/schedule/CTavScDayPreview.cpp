#include "CTavScDayPreview.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

#include "CTavDbDate.h"
#include "CTavScDayDoc.h"
#include "CTavScPeriodSheet.h"
#include "ScheduleState.h"
#include "sheet/CTavDbFreePdbObjectManager.h"

namespace {
// The handheld's screen is 160 x 160 dots; the preview draws it a little under twice that size,
// so that it fits the fixed width of the right pane, and scales it down to no less than the
// real size when the window is too narrow for that.
constexpr int kScreen = 300;
constexpr int kSmallestScreen = 160;
constexpr int kLine = 21;
constexpr int kMargin = 8;
} // namespace

CTavScDayPreview::CTavScDayPreview(CTavScDayDoc* document, QWidget* parent)
    : QWidget(parent), m_document(document), m_screen(new QWidget(this)), m_link(new QLabel(this)),
      m_overlay(new QPushButton(QStringLiteral("オーバーレイ表示"), this)),
      m_edit(new QPushButton(QStringLiteral("編集"), this))
{
    setObjectName(QStringLiteral("dayPreview"));
    auto* title = new QLabel(QStringLiteral("Kiro 画面プレビュー"), this);
    title->setStyleSheet(QStringLiteral("font-weight: bold;"));
    m_screen->setObjectName(QStringLiteral("previewScreen"));
    m_screen->setFixedSize(kScreen + 2, kScreen + 2);
    // Set rather than taken from the layout, so that the splitter may narrow the pane below the
    // full-size screen; resizeEvent then fits the screen in.
    setMinimumWidth(kSmallestScreen + 2 + 2 * kMargin);
    m_screen->installEventFilter(this);
    m_overlay->setCheckable(true);
    m_overlay->setChecked(true);
    m_edit->setObjectName(QStringLiteral("sheetEditButton"));
    connect(m_overlay, &QPushButton::toggled, m_screen, qOverload<>(&QWidget::update));
    connect(m_edit, &QPushButton::clicked, this, &CTavScDayPreview::EditSheet);

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
    connect(document, &CTavModuleDoc::viewsUpdated, this, &CTavScDayPreview::Refresh);
    Refresh();
}

void CTavScDayPreview::Refresh()
{
    ScheduleState& state = m_document->State();
    CTavDbDateDayRecord info;
    m_sheet.clear();
    if (state.Store().GetDayInfo(CTavDbTime::dayKey(state.CurrentDay()), info) == TavStatusCode::Ok)
        m_sheet = info.GetSheetName();
    m_overlaySheet = CTavScPeriodSheet::LoadOverlay(state.App(), m_sheet);
    m_link->setText(
        QStringLiteral("手書きメモ: %1").arg(m_sheet.isEmpty() ? QStringLiteral("(なし)") : m_sheet));
    m_screen->update();
}

bool CTavScDayPreview::LinkSheet(const QString& name)
{
    ScheduleState& state = m_document->State();
    const QDate day = state.CurrentDay();
    const bool done = state.Step(QStringLiteral("手書きメモのリンク"), [&] {
        CTavDbDate& store = state.Store();
        CTavDbDateDayRecord info(day);
        if (store.GetDayInfo(CTavDbTime::dayKey(day), info) == TavStatusCode::Ok) {
            info.SetSheetName(name);
            return store.UpdateDayInfo(info) == TavStatusCode::Ok;
        }
        info.SetSheetName(name);
        return store.AddDayInfo(info) == TavStatusCode::Ok;
    });
    Refresh();
    return done;
}

void CTavScDayPreview::EditSheet()
{
    CTavScPeriodSheet::EditOverlay(m_document->State(), this, m_sheet,
                                   [this](const QString& name) { return LinkSheet(name); });
    Refresh();
}

void CTavScDayPreview::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int side = std::clamp(width() - 2 * kMargin, kSmallestScreen + 2, kScreen + 2);
    m_screen->setFixedSize(side, side);
}

bool CTavScDayPreview::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_screen && event->type() == QEvent::Paint) {
        PaintScreen(m_screen);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CTavScDayPreview::PaintScreen(QWidget* screen)
{
    ScheduleState& state = m_document->State();
    QPainter p(screen);
    // Drawn at full size; the painter scales it to the room the pane has.
    p.scale(screen->width() / double(kScreen + 2), screen->height() / double(kScreen + 2));
    const QRect full(0, 0, kScreen + 2, kScreen + 2);
    p.fillRect(full, Qt::white);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.drawRect(full.adjusted(0, 0, -1, -1));
    const QDate day = state.CurrentDay();
    QFont font = p.font();
    font.setPixelSize(16);
    p.setFont(font);
    const QRect title(1, 1, kScreen, 26);
    p.fillRect(title, Qt::black);
    p.setPen(Qt::white);
    static const char16_t* const days[] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
    p.drawText(title.adjusted(6, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("%1/%2/%3 (%4)")
                   .arg(day.year())
                   .arg(day.month(), 2, 10, QLatin1Char('0'))
                   .arg(day.day(), 2, 10, QLatin1Char('0'))
                   .arg(QString::fromUtf16(days[day.dayOfWeek() % 7])));

    // The handheld lists the day's events from the start hour, one per line, with the empty
    // hours in between as blank lines.
    QList<CTavDbDateRecord*> records;
    const QString key = CTavDbTime::dayKey(day);
    state.Store().GetDayRecords(key, records);
    QList<QPair<QString, CTavDbDateRecord*>> lines;
    int hour = state.startTime;
    for (CTavDbDateRecord* r : std::as_const(records)) {
        if (r->IsRepeating() && !state.Store().IsRepeatTarget(*r, key))
            continue;
        if (r->GetIsUntimed()) {
            lines.append({QStringLiteral("◆"), r});
            continue;
        }
        const QTime start = CTavDbTime::toTime(r->GetStartTime());
        for (; hour < start.hour() && lines.size() < 12; ++hour)
            lines.append({QStringLiteral("%1:00").arg(hour), nullptr});
        lines.append({start.toString(QStringLiteral("H:mm")), r});
        hour = std::max(hour, start.hour() + 1);
    }
    for (; hour < 24 && lines.size() < 12; ++hour)
        lines.append({QStringLiteral("%1:00").arg(hour), nullptr});

    font.setPixelSize(15);
    p.setFont(font);
    int y = title.bottom() + 4;
    const bool masked = state.PrivateMode() == 1;
    for (const auto& [time, record] : std::as_const(lines)) {
        if (y + kLine > kScreen)
            break;
        p.setPen(Qt::black);
        p.drawText(QRect(6, y, 58, kLine), Qt::AlignRight | Qt::AlignVCenter, time);
        p.setPen(QPen(QColor(0xA0, 0xA0, 0xA0), 1, Qt::DotLine));
        p.drawLine(70, y + kLine - 2, kScreen - 6, y + kLine - 2);
        if (record) {
            const QRect text(74, y, kScreen - 82, kLine);
            if (masked && record->GetIsPrivate()) {
                p.fillRect(text.adjusted(0, 5, 0, -5), QBrush(Qt::black, Qt::Dense5Pattern));
            } else {
                p.setPen(Qt::black);
                p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                           p.fontMetrics().elidedText(record->GetDesc(), Qt::ElideRight, text.width()));
            }
        }
        y += kLine;
    }
    if (m_overlay->isChecked() && m_overlaySheet)
        CTavScPeriodSheet::DrawOverlay(p, *m_overlaySheet, full.adjusted(1, 1, -1, -1));
}
