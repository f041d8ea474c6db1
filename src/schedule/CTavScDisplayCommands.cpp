#include "CTavScDisplayCommands.h"

#include "CTavScFrameBase.h"

CTavScDisplayCommands::CTavScDisplayCommands(CTavScFrameBase& frame) : QObject(&frame), m_frame(frame) {}

void CTavScDisplayCommands::FillMenu(CTavModuleFrame::MenuKind menu, QMenu* target)
{
    Q_UNUSED(menu);
    Q_UNUSED(target);
}

void CTavScDisplayCommands::UpdateCommandUI() {}
