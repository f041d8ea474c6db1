#pragma once

#include <QWidget>

class CTavAddrDoc;
class CTavDetailTextEdit;

// The selected card's fields as rich text; empty when no card is selected.
class CTavAddrRightView final : public QWidget
{
    Q_OBJECT
public:
    explicit CTavAddrRightView(CTavAddrDoc* document, QWidget* parent = nullptr);

    // Shows the card of a row of the document (-1 for none) as the document masks it.
    void ShowRow(int index);
    int Index() const { return m_index; }
    CTavDetailTextEdit* TextEdit() const { return m_text; }

private:
    CTavAddrDoc* m_doc;
    CTavDetailTextEdit* m_text;
    int m_index = -1;
};
