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

int CTavModuleSplitter::RightWidthFor(int inner)
{
    // The previews (a memo sheet page, the day's screen) need their full width; only a window
    // too small for both panes shares the splitter in halves.
    return std::min(kFixedRightWidth, inner / 2);
}

void CTavModuleSplitter::ApplyRightWidthRule()
{
    if (count() < 2 || !widget(1)->isVisibleTo(this))
        return;
    const int inner = width() - handleWidth();
    const int right = RightWidthFor(inner);
    if (right <= 0)
        return;
    setSizes({inner - right, right});
}

void CTavModuleSplitter::resizeEvent(QResizeEvent* event)
{
    QSplitter::resizeEvent(event);
    if (m_keepRight)
        ApplyRightWidthRule();
}
