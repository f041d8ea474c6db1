#pragma once

#include <QColor>
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

private:
    QColor m_color;
    QList<QToolButton*> m_swatches;
};
