#include "CTavFreeEditColorDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

QIcon CTavFreeEditColorDlg::SwatchIcon(const QColor& color, int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(color);
    QPainter painter(&pixmap);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(0, 0, side - 1, side - 1);
    return QIcon(pixmap);
}

const QList<QColor>& CTavFreeEditColorDlg::Palette()
{
    static const QList<QColor> palette = {
        QColor(0, 0, 0),       QColor(0x80, 0x80, 0x80), QColor(0xC0, 0xC0, 0xC0), QColor(255, 255, 255),
        QColor(0x80, 0, 0),    QColor(255, 0, 0),        QColor(255, 0x99, 0x99),  QColor(255, 0x80, 0),
        QColor(0x80, 0x80, 0), QColor(255, 255, 0),      QColor(255, 255, 0xCC),   QColor(0, 0x80, 0),
        QColor(0, 0xC0, 0),    QColor(0xCC, 255, 0xCC),  QColor(0, 0x80, 0x80),    QColor(0, 0xCC, 0xCC),
        QColor(0, 0, 0x80),    QColor(0, 0, 255),        QColor(0xCC, 0xE0, 255),  QColor(0x80, 0, 0x80),
        QColor(255, 0, 255),   QColor(255, 0xCC, 255),   QColor(0x99, 0x66, 0x33), QColor(0xFF, 0xE4, 0xC4),
    };
    return palette;
}

CTavFreeEditColorDlg::CTavFreeEditColorDlg(const QColor& color, QWidget* parent)
    : CTavDialogBase(parent), m_color(color)
{
    setWindowTitle(QStringLiteral("色の設定"));
    auto* grid = new QGridLayout;
    grid->setSpacing(4);
    const QList<QColor>& palette = Palette();
    for (int i = 0; i < palette.size(); ++i) {
        auto* swatch = new QToolButton(this);
        swatch->setIcon(SwatchIcon(palette[i]));
        swatch->setIconSize(QSize(22, 22));
        swatch->setCheckable(true);
        swatch->setAutoExclusive(true);
        swatch->setChecked(palette[i] == color);
        swatch->setToolTip(palette[i].name());
        connect(swatch, &QToolButton::clicked, this, [this, c = palette[i]] { m_color = c; });
        grid->addWidget(swatch, i / 8, i % 8);
        m_swatches << swatch;
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}
