#pragma once

#include <QWidget>

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
};
