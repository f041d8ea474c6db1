#pragma once

#include <QColor>
#include <QIcon>
#include <QList>

#include "CTavDialogBase.h"

class QToolButton;

// Picks a colour for the pen, the text or the background from the colours the handheld shows
// well.
class CTavFreeEditColorDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    CTavFreeEditColorDlg(const QColor& color, QWidget* parent = nullptr);
    QColor Color() const { return m_color; }
    QList<QToolButton*> Swatches() const { return m_swatches; }
    static const QList<QColor>& Palette();
    // A square of the colour with a grey border, for buttons that show a chosen colour.
    static QIcon SwatchIcon(const QColor& color, int side = 22);

private:
    QColor m_color;
    QList<QToolButton*> m_swatches;
};
