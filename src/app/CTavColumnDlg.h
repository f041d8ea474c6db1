#pragma once

#include "CTavDialogBase.h"
#include "CTavListColumnTable.h"

class QListWidget;
class QPushButton;

// "項目の表示": which columns a list shows, and in which order. The first column can be
// neither hidden nor moved.
class CTavColumnDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    explicit CTavColumnDlg(const CTavListColumnTable& columns, QWidget* parent = nullptr);

    // The table as the dialog leaves it (read after OK).
    CTavListColumnTable Result() const;
    QListWidget* List() const { return m_list; }
    QPushButton* UpButton() const { return m_up; }
    QPushButton* DownButton() const { return m_down; }

    void MoveUp();
    void MoveDown();

private:
    void updateButtons();
    void move(int from, int to);

    CTavListColumnTable m_columns;
    QListWidget* m_list;
    QPushButton* m_up;
    QPushButton* m_down;
};
