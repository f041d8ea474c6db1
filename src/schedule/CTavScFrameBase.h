#pragma once

#include <QList>

#include "CTavModuleFrame.h"

class QToolButton;

// What the four schedule windows share: the buttons that switch between the day, week, month
// and year windows, with the window's own button pressed.
class CTavScFrameBase : public CTavModuleFrame
{
    Q_OBJECT
public:
    // view: TavModule::Day .. TavModule::Year.
    CTavScFrameBase(CTavModuleDoc* document, int slot, int view, const QString& title, QWidget* parent = nullptr);

    int View() const { return m_view; }
    QList<QToolButton*> ViewButtons() const { return m_buttons; }
    QString HelpPage() const override { return QStringLiteral("schedule.html"); }

private:
    int m_view;
    QList<QToolButton*> m_buttons;
};
