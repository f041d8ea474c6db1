#include "CTavModuleBar.h"

#include <QPainter>

#include "CTavModuleButton.h"
#include "TavCommandIds.h"

namespace {
// The index of SetCurrent for each position on the bar.
constexpr int kIndexAtPosition[] = {CTavModuleBar::Schedule, CTavModuleBar::Address,
                                    CTavModuleBar::Todo,     CTavModuleBar::FreeMemo,
                                    CTavModuleBar::MemoPad,  CTavModuleBar::Reference};
} // namespace

CTavModuleBar::CTavModuleBar(int borders, QWidget* parent) : QWidget(parent), m_borders(borders)
{
    setFixedWidth(kWidth);
    setMinimumHeight(2 + 6 * 80);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xC1, 0xC1, 0xC1));
    setPalette(pal);

    struct Spec
    {
        CTavModuleButton::Picture picture;
        const char16_t* label;
        int command;
    };
    const Spec specs[] = {{CTavModuleButton::Schedule, u"予定表", TavCmd::ViewSchedule},
                          {CTavModuleButton::Address, u"アドレス", TavCmd::ViewAddress},
                          {CTavModuleButton::Todo, u"To Do", TavCmd::ViewTodo},
                          {CTavModuleButton::FreeMemo, u"手書きメモ", TavCmd::ViewFreeMemo},
                          {CTavModuleButton::MemoPad, u"メモ帳", TavCmd::ViewMemoPad},
                          {CTavModuleButton::Reference, u"便利情報", TavCmd::ViewReference}};
    int y = 2;
    for (const Spec& s : specs) {
        auto* button = new CTavModuleButton(s.picture, QString::fromUtf16(s.label), s.command, this);
        button->move(12, y);
        y += 80;
        connect(button, &CTavModuleButton::clicked, this,
                [this, button] { emit commandRequested(button->Command()); });
        m_buttons.append(button);
    }
}

CTavModuleButton* CTavModuleBar::ButtonOfIndex(int index) const
{
    for (int pos = 0; pos < m_buttons.size(); ++pos)
        if (kIndexAtPosition[pos] == index)
            return m_buttons.at(pos);
    return nullptr;
}

void CTavModuleBar::SetCurrent(int index)
{
    for (CTavModuleButton* b : m_buttons)
        b->SetCurrent(b == ButtonOfIndex(index));
}

int CTavModuleBar::Current() const
{
    for (int pos = 0; pos < m_buttons.size(); ++pos)
        if (m_buttons.at(pos)->IsCurrent())
            return kIndexAtPosition[pos];
    return -1;
}

void CTavModuleBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int w = width();
    const int h = height();
    p.fillRect(rect(), QColor(0xC6, 0xC3, 0xC6));
    p.fillRect(QRect(0, 0, 2, h), Qt::black);
    p.fillRect(QRect(90, 0, 2, h), Qt::black);
    p.fillRect(QRect(92, 0, w - 92, h), Qt::white);
    if (m_borders & BorderLeft)
        p.fillRect(QRect(0, 0, 2, h), Qt::black);
    if (m_borders & BorderRight)
        p.fillRect(QRect(w - 2, 0, 2, h), Qt::black);
    if (m_borders & BorderTop)
        p.fillRect(QRect(0, 0, w, 2), Qt::black);
    if (m_borders & BorderBottom)
        p.fillRect(QRect(0, h - 2, w, 2), Qt::black);
}
