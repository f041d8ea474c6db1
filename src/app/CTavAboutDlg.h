#pragma once

#include "CTavDialogBase.h"

// Product name, version and maker.
class CTavAboutDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    explicit CTavAboutDlg(QWidget* parent = nullptr);
};
