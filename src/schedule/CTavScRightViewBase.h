#pragma once

#include <QWidget>
#include <memory>

class CTavDbFreePdbObjectManager;
class CTavScEventDoc;
class QLabel;
class QPainter;
class QPushButton;
class QVBoxLayout;
class ScheduleState;

// What the right panes of the day, week and month windows share: the memo sheet linked to the
// shown period with its overlay toggle and edit button, and for the day and month the
// handheld's screen as the next HotSync will leave it.
class CTavScRightViewBase : public QWidget
{
    Q_OBJECT
public:
    QPushButton* OverlayButton() const { return m_overlay; }
    QPushButton* EditButton() const { return m_edit; }
    QString SheetName() const { return m_sheet; }
    QWidget* Screen() const { return m_screen; }

    virtual void Refresh();
    // Links a memo sheet to the shown period as one undo step; an empty name removes the link.
    bool LinkSheet(const QString& name);
    // The edit button: the period's overlay in the editor, made and linked when there is none.
    void EditSheet();

protected:
    // The handheld's 160 x 160 screen is drawn at a little under twice its size, so that it
    // fits the right pane, and scaled down to no less than the real size in a narrow window.
    static constexpr int kScreen = 300;
    static constexpr int kMargin = 8;
    // The last row of the screen's title bar.
    static constexpr int kTitleBottom = 26;

    CTavScRightViewBase(CTavScEventDoc* document, QWidget* parent);
    ScheduleState& State() const;

    // The shown period's linked sheet, and a new link stored in the period's record.
    virtual QString ReadSheetName() = 0;
    virtual bool StoreSheetName(const QString& name) = 0;
    virtual void OverlayToggled();

    // The screen preview: the title and the screen added to the layout; its title bar text and
    // body come from the pane, the frame and the overlay from here.
    void AddScreen(QVBoxLayout* layout);
    virtual QString ScreenTitle() const { return QString(); }
    virtual void PaintScreen(QPainter&) {}
    // The link line and the two buttons.
    void AddSheetRows(QVBoxLayout* layout);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PaintScreenFrame();

    CTavScEventDoc* m_document;
    QWidget* m_screen = nullptr;
    QLabel* m_link;
    QPushButton* m_overlay;
    QPushButton* m_edit;
    QString m_sheet;
    std::shared_ptr<CTavDbFreePdbObjectManager> m_overlaySheet;
};
