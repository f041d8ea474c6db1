#pragma once

#include "CTavDialogBase.h"

class CTavApp;

// The address preferences ("環境設定"): the default phone labels and usual contact of new
// cards, and the four custom field labels. OK stores them (the labels as one undoable step).
class CTavAddrPrefsDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    explicit CTavAddrPrefsDlg(CTavApp& app, QWidget* parent = nullptr);

private:
    CTavApp& m_app;
};
