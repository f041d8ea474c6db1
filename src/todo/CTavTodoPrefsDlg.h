#pragma once

#include "CTavDialogBase.h"
#include "CTavTodoDoc.h"

class QCheckBox;
class QPushButton;

// "To Do リストの表示設定": shows completed tasks or not, records completion dates or not, and
// the colours of the three date states. On OK the document takes the settings.
class CTavTodoPrefsDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    explicit CTavTodoPrefsDlg(CTavTodoDoc& doc, QWidget* parent = nullptr);

    const CTavTodoDoc::Settings& Chosen() const { return m_chosen; }
    QCheckBox* ShowCompletedBox() const;
    QCheckBox* RegistDateBox() const;
    // 0 before, 1 active, 2 delayed.
    QPushButton* ColorButton(int state) const;

protected:
    void accept() override;

private:
    CTavTodoDoc& m_doc;
    CTavTodoDoc::Settings m_chosen;
};
