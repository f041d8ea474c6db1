#pragma once

#include <QSplitter>

// The left and right panes of a module window. The first layout gives the left pane two
// thirds of the room less the bars; windows whose right pane has a fixed content width keep it
// at that width whenever the window is resized, as long as it stays within a third of the room.
class CTavModuleSplitter final : public QSplitter
{
    Q_OBJECT
public:
    static constexpr int kFixedRightWidth = 338;

    explicit CTavModuleSplitter(QWidget* parent = nullptr);

    // Widths of the first layout for an MDI area of the given width: left 2t, right t.
    static QList<int> InitialWidths(int mdiWidth);
    void LayOutInitially(int mdiWidth);
    void SetKeepsRightWidth(bool on) { m_keepRight = on; }
    bool KeepsRightWidth() const { return m_keepRight; }
    void ApplyRightWidthRule();
    // The right pane's width under that rule for a splitter of this inner width.
    static int RightWidthFor(int inner);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    bool m_keepRight = false;
};
