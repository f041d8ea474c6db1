#pragma once

#include <QWidget>
#include <memory>

class CTavDbFreePdbObjectManager;
class CTavDbFreeRecord;

// A reference sheet drawn at a scale: fixed in the viewer, fitted to the room in the list's
// preview. In the viewer a click selects the object under it and a double click on a picture
// asks for it to be shown.
class CTavReferView final : public QWidget
{
    Q_OBJECT
public:
    explicit CTavReferView(QWidget* parent = nullptr);

    void SetSheet(std::shared_ptr<CTavDbFreePdbObjectManager> sheet);
    CTavDbFreePdbObjectManager* Sheet() const { return m_sheet.get(); }
    // A scale of 0 fits the page into the widget.
    void SetScale(double scale);
    void SetInteractive(bool on) { m_interactive = on; }
    double EffectiveScale() const;
    // The page's rectangle in the widget.
    QRect PageRect() const;
    // The topmost page object under a widget point.
    CTavDbFreeRecord* ObjectAt(const QPoint& widgetPos) const;
    CTavDbFreeRecord* SelectedObject() const { return m_selected; }
    void SelectObject(CTavDbFreeRecord* object);

    QSize sizeHint() const override;

signals:
    void contentActivated(CTavDbFreeRecord* object);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    std::shared_ptr<CTavDbFreePdbObjectManager> m_sheet;
    CTavDbFreeRecord* m_selected = nullptr;
    double m_scale = 0;
    bool m_interactive = false;
};
