#pragma once

#include <QWidget>
#include <memory>

#include "CTavFreeEditTools.h"
#include "CTavFreeEditUndo.h"
#include "TavStatus.h"
#include "sheet/CTavDbFreePageGeometry.h"

class CTavDbFreePdbObjectManager;
class CTavDbFreePrcObjectManager;
class CTavDbFreeRecord;
class CTavDbTextObject;

// The sheet's page in the editor: it owns the sheet while the editor is open, shows the part of
// the canvas under the scroll offset and turns the mouse into canvas points for the tools.
class CTavFreePage final : public QWidget
{
    Q_OBJECT
public:
    CTavFreePage(QSize pageSize, QSize canvasSize, QWidget* parent = nullptr);
    ~CTavFreePage() override;

    // A new empty sheet bound to path (nothing is written until a save).
    TavStatus New(const QString& path, uint32_t type);
    TavStatus Open(const QString& path);
    // Throws the sheet away without saving.
    void Discard();
    void SetResources(std::shared_ptr<CTavDbFreePrcObjectManager> resources);

    CTavDbFreePdbObjectManager* Sheet() const { return m_sheet.get(); }
    CTavFreeEditTools& Tools() { return m_tools; }
    CTavFreeEditUndo& Undo() { return m_undo; }
    CTavDbFreePageGeometry& Geometry() { return m_geometry; }

    int Scroll() const { return m_geometry.Scroll(); }
    void ScrollBy(int delta);
    // Widget point to canvas point.
    QPoint ToCanvas(const QPoint& p) const { return p + QPoint(0, m_geometry.Scroll()); }
    // The page as the sheet's thumbnail shows it.
    QImage PageImage() const;
    void UndoStroke();

signals:
    // A text box was placed and waits for its text.
    void textBoxPlaced(CTavDbTextObject* box);
    void objectDoubleClicked(CTavDbFreeRecord* object);
    void deletePressed();
    // The tool changed by itself (a text box placed leaves no tool).
    void toolChanged(int tool);
    void scrolled(int offset);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void adopt(std::unique_ptr<CTavDbFreePdbObjectManager> sheet);

    CTavDbFreePageGeometry m_geometry;
    std::unique_ptr<CTavDbFreePdbObjectManager> m_sheet;
    std::shared_ptr<CTavDbFreePrcObjectManager> m_resources;
    CTavFreeEditUndo m_undo;
    CTavFreeEditTools m_tools{m_undo};
};
