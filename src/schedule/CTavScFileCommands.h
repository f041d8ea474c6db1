#pragma once

#include <QObject>

#include "CTavModuleFrame.h"

class CTavScFrameBase;
class QMenu;

// The schedule's exchange commands: import and export of its backup files (.dbc) and of
// vCalendar and iCalendar files; every import is one undo step.
class CTavScFileCommands final : public QObject
{
    Q_OBJECT
public:
    explicit CTavScFileCommands(CTavScFrameBase& frame);

    void FillMenu(CTavModuleFrame::MenuKind menu, QMenu* target);
    void UpdateCommandUI();

private:
    CTavScFrameBase& m_frame;
};
