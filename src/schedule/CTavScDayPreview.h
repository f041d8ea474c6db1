#pragma once

#include <QWidget>
#include <memory>

class CTavDbFreePdbObjectManager;
class CTavScDayDoc;
class QLabel;
class QPushButton;

// The day window's right pane: the handheld's day screen as it will show after the next
// HotSync, with the memo sheet linked to the day.
class CTavScDayPreview final : public QWidget
{
    Q_OBJECT
public:
    explicit CTavScDayPreview(CTavScDayDoc* document, QWidget* parent = nullptr);

    QPushButton* OverlayButton() const { return m_overlay; }
    QPushButton* EditButton() const { return m_edit; }
    QString SheetName() const { return m_sheet; }
    void Refresh();
    // Links a memo sheet to the current day as one undo step; an empty name removes the link.
    bool LinkSheet(const QString& name);
    // The edit button: the day's overlay in the editor, made and linked when there is none.
    void EditSheet();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PaintScreen(QWidget* screen);

    CTavScDayDoc* m_document;
    QWidget* m_screen;
    QLabel* m_link;
    QPushButton* m_overlay;
    QPushButton* m_edit;
    QString m_sheet;
    std::shared_ptr<CTavDbFreePdbObjectManager> m_overlaySheet;
};
