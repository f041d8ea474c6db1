#pragma once

#include <QSplitter>

// The left and right panes of a module window. The first layout gives the left pane two
// thirds of the room less the bars; windows whose right pane has a fixed content width keep it
// at that width whenever the window is resized.
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

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    bool m_keepRight = false;
};
