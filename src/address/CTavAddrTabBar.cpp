#include "CTavAddrTabBar.h"

#include <QButtonGroup>
#include <QToolButton>
#include <QVBoxLayout>

#include "CTavAddrDoc.h"
#include "TavAddrCommandIds.h"

CTavAddrTabBar::CTavAddrTabBar(QWidget* parent) : QWidget(parent), m_group(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("addressTabs"));
    setFixedWidth(kWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 0, 1, 0);
    layout->setSpacing(1);
    for (int t = 0; t < CTavAddrDoc::kTabCount; ++t) {
        auto* button = new QToolButton(this);
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setProperty("controlId", TavAddrCmd::FirstTab + t);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        button->setMinimumHeight(18);
        button->setMaximumHeight(40);
        m_group->addButton(button, t);
        layout->addWidget(button);
    }
    layout->addStretch();
    // The pressed tab stands out as the list's selection does.
    setStyleSheet(QStringLiteral(
        "QToolButton { background: #F6F6F6; border: 1px solid #BDBDBD; border-radius: 3px; color: #202020; }"
        "QToolButton:hover { background: #E8EEF8; }"
        "QToolButton:checked { background: #5674B9; border-color: #3E5A98; color: white; font-weight: bold; "
        "}"));
    connect(m_group, &QButtonGroup::idClicked, this, &CTavAddrTabBar::tabPressed);
}

void CTavAddrTabBar::SetLabels(const QStringList& labels)
{
    for (int t = 0; t < CTavAddrDoc::kTabCount; ++t)
        Button(t)->setText(labels.value(t));
}

void CTavAddrTabBar::SetPressed(int tab)
{
    if (QToolButton* button = Button(tab))
        button->setChecked(true);
}

int CTavAddrTabBar::Pressed() const
{
    return m_group->checkedId();
}

QToolButton* CTavAddrTabBar::Button(int tab) const
{
    return static_cast<QToolButton*>(m_group->button(tab));
}
