#include "CTavScColorDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "TavColorRef.h"

namespace {
QString swatchStyle(uint32_t color, bool chosen)
{
    const QColor c(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
    return QStringLiteral("QToolButton { background: %1; border: %2; }")
        .arg(c.name(), chosen ? QStringLiteral("3px solid #0B5FD6") : QStringLiteral("1px solid #808080"));
}
} // namespace

const QList<uint32_t>& CTavScColorDlg::Palette()
{
    // Soft shades that keep black text readable, as the handheld's colour boxes use them.
    static const QList<uint32_t> palette = {
        0xFFFFFF, 0xC0C0C0, 0xCCCCFF, 0x99CCFF, 0x99FFFF, 0xCCFFCC, 0xFFFFCC, 0xFFCC99,
        0xFFCCCC, 0xFF99CC, 0xCC99FF, 0xE0E0E0, 0x9999FF, 0x66CCFF, 0x66FFFF, 0x99FF99,
        0xCCFF99, 0xFFCC66, 0xFF9999, 0xFF66CC, 0xCC66FF, 0xA0A0A0, 0x6666FF, 0x3399FF,
        0x33CCCC, 0x66CC66, 0x66CC99, 0xCC9966, 0xCC6666, 0xCC3399, 0x9933CC, 0x808080};
    return palette;
}

const QList<uint32_t>& CTavScColorDlg::TextPalette()
{
    // Windows colour values: red in the low byte.
    static const QList<uint32_t> palette = {0x000000, 0x404040, 0x808080, 0x0000FF, 0x000080, 0x0060C0,
                                            0x008000, 0x004000, 0x808000, 0xFF0000, 0x800000, 0xC04000,
                                            0x800080, 0xC000C0, 0x4000C0, 0x006080};
    return palette;
}

CTavScColorDlg::CTavScColorDlg(bool set, uint32_t color, QWidget* parent, const QList<uint32_t>& palette)
    : CTavDialogBase(parent), m_set(set), m_color(set ? color : 0xFFFFFF), m_palette(palette),
      m_none(new QPushButton(QStringLiteral("未設定(&N)"), this))
{
    setWindowTitle(QStringLiteral("色の選択"));
    auto* grid = new QGridLayout;
    grid->setSpacing(4);
    for (int i = 0; i < palette.size(); ++i) {
        auto* swatch = new QToolButton(this);
        swatch->setFixedSize(28, 22);
        swatch->setStyleSheet(swatchStyle(palette[i], m_set && palette[i] == m_color));
        grid->addWidget(swatch, i / 8, i % 8);
        m_swatches.append(swatch);
        connect(swatch, &QToolButton::clicked, this, [this, c = palette[i]] { Choose(c); });
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->addButton(m_none, QDialogButtonBox::ResetRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_none, &QPushButton::clicked, this, [this] {
        m_set = false;
        m_color = 0xFFFFFF;
        accept();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

void CTavScColorDlg::Choose(uint32_t color)
{
    m_set = true;
    m_color = color;
    for (int i = 0; i < m_swatches.size(); ++i)
        m_swatches[i]->setStyleSheet(swatchStyle(m_palette[i], m_palette[i] == color));
}
