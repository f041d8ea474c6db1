#pragma once

#include <QWidget>

class CTavScWeekDoc;
class CTavScWeekEventList;
class QLabel;
class QPushButton;
class QScrollArea;

// The week window's right pane: the week's events day by day, and the memo sheet linked to the
// week (by the year and week number of the current date).
class CTavScWeekRightView final : public QWidget
{
    Q_OBJECT
public:
    explicit CTavScWeekRightView(CTavScWeekDoc* document, QWidget* parent = nullptr);

    CTavScWeekEventList* List() const { return m_list; }
    QPushButton* OverlayButton() const { return m_overlay; }
    QPushButton* EditButton() const { return m_edit; }
    QString SheetName() const { return m_sheet; }
    // Links a memo sheet to the shown week as one undo step; an empty name removes the link.
    bool LinkSheet(const QString& name);
    // The edit button: the week's overlay in the editor, made and linked when there is none.
    void EditSheet();
    void Refresh();

private:
    void ShowOverlay();

    CTavScWeekDoc* m_document;
    QLabel* m_week;
    CTavScWeekEventList* m_list;
    QScrollArea* m_scroll;
    QLabel* m_link;
    QPushButton* m_overlay;
    QPushButton* m_edit;
    QString m_sheet;
};
