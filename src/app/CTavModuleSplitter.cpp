#include "CTavModuleSplitter.h"

#include <QResizeEvent>

CTavModuleSplitter::CTavModuleSplitter(QWidget* parent) : QSplitter(Qt::Horizontal, parent)
{
    setChildrenCollapsible(false);
    setHandleWidth(4);
}

QList<int> CTavModuleSplitter::InitialWidths(int mdiWidth)
{
    const int t = std::max(0, (mdiWidth - 200) / 3);
    return {2 * t, t};
}

void CTavModuleSplitter::LayOutInitially(int mdiWidth)
{
    setSizes(InitialWidths(mdiWidth));
}

void CTavModuleSplitter::ApplyRightWidthRule()
{
    if (count() < 2 || !widget(1)->isVisibleTo(this))
        return;
    const int inner = width() - handleWidth();
    if (inner <= kFixedRightWidth)
        return;
    setSizes({inner - kFixedRightWidth, kFixedRightWidth});
}

void CTavModuleSplitter::resizeEvent(QResizeEvent* event)
{
    QSplitter::resizeEvent(event);
    if (m_keepRight)
        ApplyRightWidthRule();
}
