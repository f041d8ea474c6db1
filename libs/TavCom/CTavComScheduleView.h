#pragma once

#include <QAbstractScrollArea>
#include <QStringList>
#include <QTimer>

#include "CTavComDragTracker.h"
#include "CTavComDrawStyle.h"
#include "CTavComGridGeometry.h"
#include "CTavComScheduleBox.h"
#include "CTavComScheduleColum.h"
#include "TavComSettings.h"

// The time grid of the schedule: hour labels down the left, one column per day with its title
// on top, a band of untimed boxes under the titles and the timed boxes below. The program's
// day and week panes derive from it: they fill it (ClearBoxList, AddColum, the columns' AddBox
// and AddNoTimeBox, EndSettingData), chain the On... handlers, and turn the selection, the
// double clicks, the context menu and dropped boxes into requests on their documents.
class CTavComScheduleView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    // weekMode: narrow columns side by side (the week); otherwise one wide day column.
    explicit CTavComScheduleView(bool weekMode = false, QWidget* parent = nullptr);
    ~CTavComScheduleView() override;

    void SetSize(const SizeSetting& size);
    const SizeSetting& GetSize() const { return m_geo.GetSize(); }
    void SetColor(const ColorSetting& colors);
    const ColorSetting& GetColor() const { return m_style.colors; }
    void SetExtColor(const ColorSettingExt& colors);
    const ColorSettingExt& GetExtColor() const { return m_style.extColors; }
    // Shows or hides the band of untimed boxes.
    void SetNoTime(bool show);
    bool IsNoTimeShown() const { return m_geo.IsNoTimeShown(); }
    // Scrolls so that the hour is at the top; the grid keeps that hour through later resizes
    // until the user scrolls.
    void SetTime(int hour);
    int GetTime() const;
    // Moves and resizes go in steps of this many seconds (300 by default; 1800 follows the rows).
    void SetDragStep(int seconds) { m_drag.SetStep(seconds); }
    int GetDragStep() const { return m_drag.Step(); }
    // Font faces in order of preference; the first installed one is used.
    void SetFontFaces(const QStringList& faces);
    bool IsWeekMode() const { return m_style.weekMode; }

    void ClearBoxList();
    // Takes ownership of the column.
    void AddColum(CTavComScheduleColum* colum);
    int GetColumCount() const { return static_cast<int>(m_columns.size()); }
    CTavComScheduleColum* GetColum(int index) const;
    // Lays out the boxes given since ClearBoxList and repaints.
    void EndSettingData();

    // Hit tests take points of the viewport, as mouse events give them.
    CTavComHit HitTest(const QPoint& point) const;
    CTavComScheduleBox* IsBoxHit(const QPoint& point) const;
    CTavComScheduleBox* IsNoTimeBoxHit(const QPoint& point) const;
    bool IsSelectedBox(const CTavComScheduleBox* box) const;
    CTavComScheduleBox* IsBoxBottomHit(const QPoint& point) const;
    CTavComScheduleBox* IsFreeMemoIconHit(const QPoint& point) const;

    CTavComScheduleBox* GetSelectedBox() const { return m_selected; }
    void SelectBox(CTavComScheduleBox* box);
    // What the last button press or double click found.
    const CTavComHit& GetLastHit() const { return m_lastHit; }
    const CTavComGridGeometry& Geometry() const { return m_geo; }
    const CTavComDragTracker& DragTracker() const { return m_drag; }

    virtual void UpdateKiroView();
    virtual void OnInitialUpdate();
    virtual void OnSize(int cx, int cy);
    virtual void OnDraw(QPainter& painter);

signals:
    void selectionChanged(CTavComScheduleBox* box);
    void boxDropped(const CTavComDragResult& result);
    void doubleClicked(const CTavComHit& hit);
    void contextMenuRequested(const CTavComHit& hit, const QPoint& globalPos);

protected:
    virtual void OnLButtonDown(Qt::KeyboardModifiers modifiers, const QPoint& point);
    virtual void OnLButtonUp(Qt::KeyboardModifiers modifiers, const QPoint& point);
    virtual void OnLButtonDblClk(Qt::KeyboardModifiers modifiers, const QPoint& point);
    virtual void OnRButtonDown(Qt::KeyboardModifiers modifiers, const QPoint& point);
    virtual void OnMouseMove(Qt::KeyboardModifiers modifiers, const QPoint& point);
    // A box was moved or resized; the default emits boxDropped.
    virtual void OnBoxDropped(const CTavComDragResult& result);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;

private:
    void RebuildStyle();
    void Relayout(bool overlaps);
    void UpdateScrollBars();
    void SyncSelection();
    void UpdateHoverCursor(const QPoint& point);
    void AutoScroll();
    void SelectFromHit(const CTavComHit& hit);

    CTavComGridGeometry m_geo;
    CTavComDrawStyle m_style;
    CTavComDragTracker m_drag;
    CTavComColumList m_columns;
    CTavComScheduleBox* m_selected = nullptr;
    CTavComHit m_lastHit;
    QStringList m_fontFaces;
    QRect m_exposed;
    QPoint m_lastMouse;
    QTimer m_autoScroll;
    int m_topHour = 0;
    bool m_timeAnchored = false;
    bool m_settingScroll = false;
    bool m_initialised = false;
};
