#pragma once

#include <QList>

#include "CTavDialogBase.h"

class QPushButton;
class QToolButton;

// Picks a colour from a palette (by default the soft background shades of events), or no
// colour at all.
class CTavScColorDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    // color: a Windows colour value.
    CTavScColorDlg(bool set, uint32_t color, QWidget* parent = nullptr,
                   const QList<uint32_t>& palette = Palette());
    bool IsSet() const { return m_set; }
    uint32_t Color() const { return m_color; }
    QList<QToolButton*> Swatches() const { return m_swatches; }
    QPushButton* NoColorButton() const { return m_none; }
    static const QList<uint32_t>& Palette();
    // Strong colours that stay readable as text on white.
    static const QList<uint32_t>& TextPalette();

private:
    void Choose(uint32_t color);

    bool m_set;
    uint32_t m_color;
    QList<uint32_t> m_palette;
    QList<QToolButton*> m_swatches;
    QPushButton* m_none;
};
