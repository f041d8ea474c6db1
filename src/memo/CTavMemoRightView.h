#pragma once

#include <QByteArray>
#include <QWidget>

#include "CTavMemoEntry.h"

class CTavDetailTextEdit;
class CTavMemoDoc;
class CTavMemoHeaderBand;

// The selected memo: the header band and the memo's text as rich text. A private memo in a
// masked pane shows "Private Data." under an empty band.
class CTavMemoRightView final : public QWidget
{
    Q_OBJECT
public:
    explicit CTavMemoRightView(CTavMemoDoc* document, QWidget* parent = nullptr);

    // Shows the document's entry (-1 for none), masked or not.
    void ShowEntry(int index);
    void Rebuild(bool masked);

    int Index() const { return m_index; }
    bool Masked() const { return m_masked; }
    CTavMemoHeaderBand* Band() const { return m_band; }
    CTavDetailTextEdit* TextEdit() const { return m_text; }

private:
    CTavMemoDoc* m_doc;
    CTavMemoHeaderBand* m_band;
    CTavDetailTextEdit* m_text;
    CTavMemoEntry m_entry;
    QString m_categoryName;
    int m_index = -1;
    int m_count = 0;
    bool m_masked = false;
};
