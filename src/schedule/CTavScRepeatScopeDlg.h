#pragma once

#include "CTavDialogBase.h"

class QPushButton;

// Asks whether a change of a repeating event applies to this occurrence, to this and the
// following ones, or to all. The result is a Scope (Cancel = 0).
class CTavScRepeatScopeDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    enum Scope : int
    {
        Cancel = 0,
        ThisOnly = 1,
        Future = 2,
        All = 3
    };

    explicit CTavScRepeatScopeDlg(QWidget* parent = nullptr);
    QPushButton* Button(Scope scope) const;

private:
    QPushButton* m_buttons[3];
};
