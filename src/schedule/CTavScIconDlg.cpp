#include "CTavScIconDlg.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "CTavDbDateRecord.h"
#include "CTavDbFreePalmBitmap.h"

namespace {
constexpr int kMargin = 4;
}

CTavScIconDlg::CTavScIconDlg(CTavDbFreePrcObjectManager& store, const QString& currentName, int currentId,
                             QWidget* parent)
    : CTavDialogBase(parent), m_grid(new QWidget(this)), m_page(new QSpinBox(this))
{
    setWindowTitle(QStringLiteral("アイコン指定"));
    for (const auto& ref : store.ListAllResources(CTavDbDateRecord::kIconType)) {
        QImage image;
        if (CTavDbFreePalmBitmap::CreateBitmap(store.FindResource(ref.database, ref.type, ref.id), &image) !=
                TavStatusCode::Ok ||
            image.isNull())
            continue;
        m_largest = m_largest.expandedTo(image.size());
        m_icons.append({ref, image});
        if (ref.id == currentId &&
            QFileInfo(ref.database).completeBaseName().compare(currentName, Qt::CaseInsensitive) == 0)
            m_initial = m_icons.size() - 1;
    }
    m_selected = m_initial;
    m_grid->setMinimumSize(8 * (m_largest.width() + 2) + 2 * kMargin,
                           5 * (m_largest.height() + 2) + 2 * kMargin);
    m_grid->installEventFilter(this);
    m_grid->setMouseTracking(false);

    auto* restore = new QPushButton(QStringLiteral("元に戻す(&R)"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->addButton(restore, QDialogButtonBox::ResetRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(restore, &QPushButton::clicked, this, [this] {
        m_selected = m_initial;
        reject();
    });
    m_page->setPrefix(QStringLiteral("ページ "));
    // Wide enough for any page count: the range is only known once the grid has its size, and
    // a box sized for "1" would cut off its own text.
    m_page->setRange(1, 999);
    m_page->setMinimumWidth(m_page->sizeHint().width());
    connect(m_page, &QSpinBox::valueChanged, m_grid, qOverload<>(&QWidget::update));
    auto* row = new QHBoxLayout;
    row->addWidget(m_page);
    row->addStretch();
    row->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    if (m_icons.isEmpty())
        layout->addWidget(
            new QLabel(QStringLiteral("アイコンが見つかりません。HotSync 機能を実行してください。"), this));
    layout->addWidget(m_grid, 1);
    layout->addLayout(row);
    m_page->setRange(1, 1);
}

QSize CTavScIconDlg::Cell() const
{
    return m_largest + QSize(2, 2);
}

int CTavScIconDlg::Columns() const
{
    return std::max(1, (m_grid->width() - 2 * kMargin) / Cell().width());
}

int CTavScIconDlg::PerPage() const
{
    const int rows = std::max(1, (m_grid->height() - 2 * kMargin) / Cell().height());
    return rows * Columns();
}

int CTavScIconDlg::IndexAt(const QPoint& point) const
{
    const int col = (point.x() - kMargin) / Cell().width();
    const int row = (point.y() - kMargin) / Cell().height();
    if (point.x() < kMargin || point.y() < kMargin || col >= Columns())
        return -1;
    const int index = (m_page->value() - 1) * PerPage() + row * Columns() + col;
    return row * Columns() + col < PerPage() && index < m_icons.size() ? index : -1;
}

void CTavScIconDlg::Select(int index)
{
    m_selected = index >= 0 && index < m_icons.size() ? index : m_selected;
    m_grid->update();
}

QString CTavScIconDlg::SelectedName() const
{
    return m_selected >= 0 ? QFileInfo(m_icons[m_selected].ref.database).completeBaseName() : QString();
}

int CTavScIconDlg::SelectedId() const
{
    return m_selected >= 0 ? m_icons[m_selected].ref.id : 0;
}

bool CTavScIconDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_grid)
        return CTavDialogBase::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Paint:
        PaintGrid();
        return true;
    case QEvent::Resize:
        m_page->setRange(1, std::max(1, static_cast<int>((m_icons.size() + PerPage() - 1) / PerPage())));
        return false;
    case QEvent::MouseButtonPress:
        Select(IndexAt(static_cast<QMouseEvent*>(event)->position().toPoint()));
        return true;
    case QEvent::MouseButtonDblClick: {
        const int index = IndexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        if (index >= 0) {
            Select(index);
            accept();
        }
        return true;
    }
    default:
        return false;
    }
}

void CTavScIconDlg::PaintGrid()
{
    QPainter p(m_grid);
    p.fillRect(m_grid->rect(), Qt::white);
    const int first = (m_page->value() - 1) * PerPage();
    const int last = std::min(static_cast<int>(m_icons.size()), first + PerPage());
    for (int i = first; i < last; ++i) {
        const int slot = i - first;
        const QRect cell(kMargin + slot % Columns() * Cell().width(),
                         kMargin + slot / Columns() * Cell().height(), Cell().width(), Cell().height());
        const QImage& image = m_icons[i].image;
        p.drawImage(cell.topLeft() +
                        QPoint((cell.width() - image.width()) / 2, (cell.height() - image.height()) / 2),
                    image);
        // The chosen icon is framed in the handheld's highlight colour 0xF4B50B.
        p.setPen(i == m_selected ? QPen(QColor(0x0B, 0xB5, 0xF4), 2) : QPen(QColor(0xD0, 0xD0, 0xD0)));
        p.drawRect(cell.adjusted(0, 0, -1, -1));
    }
}
