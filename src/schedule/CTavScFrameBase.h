#pragma once

#include <QList>

#include "CTavModuleFrame.h"

class CTavScDisplayCommands;
class CTavScFileCommands;
class QToolButton;

// What the four schedule windows share: the buttons that switch between the day, week, month
// and year windows, with the window's own button pressed, and the file commands (the backup
// file ones in the day, week and month windows only).
class CTavScFrameBase : public CTavModuleFrame
{
    Q_OBJECT
public:
    // view: TavModule::Day .. TavModule::Year.
    CTavScFrameBase(CTavModuleDoc* document, int slot, int view, const QString& title,
                    QWidget* parent = nullptr);

    int View() const { return m_view; }
    QList<QToolButton*> ViewButtons() const { return m_buttons; }
    QString HelpPage() const override;
    CTavScDisplayCommands* DisplayCommands() const { return m_display; }
    CTavScFileCommands* FileCommands() const { return m_files; }

    // The commands of every schedule window; a window's own come after them.
    void FillMenu(MenuKind menu, QMenu* target) override;
    void UpdateCommandUI() override;
    // Hint 2 (the shell closed the backup file) also forgets the file and the titles.
    void Update(int hint) override;

private:
    int m_view;
    QList<QToolButton*> m_buttons;
    CTavScDisplayCommands* m_display;
    CTavScFileCommands* m_files;
};
