#pragma once

#include <QList>

#include "CTavDialogBase.h"

class QPushButton;

// The pen width ("ペンの太さ設定"): three buttons showing a line of each width; a press
// chooses it and closes the dialog.
class CTavFreeEditPenDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    explicit CTavFreeEditPenDlg(int width, QWidget* parent = nullptr);
    int Width() const { return m_width; }
    QList<QPushButton*> WidthButtons() const { return m_buttons; }

private:
    int m_width;
    QList<QPushButton*> m_buttons;
};
