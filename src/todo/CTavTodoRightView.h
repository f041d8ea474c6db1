#pragma once

#include <QWidget>

class CTavTodoDoc;
class CTavDetailTextEdit;

// The selected task's detail as read-only rich text; an empty page when no task is selected.
class CTavTodoRightView final : public QWidget
{
    Q_OBJECT
public:
    explicit CTavTodoRightView(CTavTodoDoc* document, QWidget* parent = nullptr);

    // Shows the task of a row of the document (-1 for none), masked as the document says.
    void ShowRow(int index);
    int Index() const { return m_index; }
    CTavDetailTextEdit* TextEdit() const { return m_text; }

private:
    CTavTodoDoc* m_doc;
    CTavDetailTextEdit* m_text;
    int m_index = -1;
};
