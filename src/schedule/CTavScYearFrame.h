#pragma once

#include "CTavScFrameBase.h"

class CTavScYearDoc;
class QAction;

// The year window: one view, no side panes. Its own commands are the schedule preferences and
// the discard of old events.
class CTavScYearFrame final : public CTavScFrameBase
{
    Q_OBJECT
public:
    explicit CTavScYearFrame(CTavScYearDoc* document, QWidget* parent = nullptr);

    void FillMenu(MenuKind menu, QMenu* target) override;

private:
    QAction* m_preferences;
    QAction* m_discard;
};
