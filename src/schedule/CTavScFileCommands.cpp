#include "CTavScFileCommands.h"

#include "CTavScFrameBase.h"

CTavScFileCommands::CTavScFileCommands(CTavScFrameBase& frame) : QObject(&frame), m_frame(frame) {}

void CTavScFileCommands::FillMenu(CTavModuleFrame::MenuKind menu, QMenu* target)
{
    Q_UNUSED(menu);
    Q_UNUSED(target);
}

void CTavScFileCommands::UpdateCommandUI() {}
