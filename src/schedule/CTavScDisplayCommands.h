#pragma once

#include <QObject>

#include "CTavModuleFrame.h"

class CTavScFrameBase;
class QMenu;

// The display commands every schedule window has: the holiday and six-day label toggles (with
// their check marks), the holiday list, the day and weekday colours and the preferences.
class CTavScDisplayCommands final : public QObject
{
    Q_OBJECT
public:
    explicit CTavScDisplayCommands(CTavScFrameBase& frame);

    void FillMenu(CTavModuleFrame::MenuKind menu, QMenu* target);
    void UpdateCommandUI();

private:
    CTavScFrameBase& m_frame;
};
