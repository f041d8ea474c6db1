#pragma once

#include <QPixmap>
#include <QRect>
#include <QString>
#include <QtGlobal>

#include "CTavComDrawStyle.h"
#include "TavColorRef.h"

class QPainter;
class CTavComDayClock;

// One event in the grid. The program derives its own box from this class and answers the
// questions below from its record; used as it is, the box answers from the values set on it.
// The geometry (rectangle, lane, hit areas) is filled in by the column's layout.
class CTavComScheduleBox
{
public:
    CTavComScheduleBox() = default;
    virtual ~CTavComScheduleBox() = default;
    Q_DISABLE_COPY_MOVE(CTavComScheduleBox)

    virtual bool IsSelected() const { return m_selected; }
    // Stored seconds, read in local time; only the time of day is used, so the record of a
    // repeating event may carry the date of its first occurrence.
    virtual qint64 GetStartTime() const { return m_start; }
    virtual qint64 GetEndTime() const { return m_end; }
    virtual QString GetText() const { return m_text; }
    virtual bool HasFreeMemo() const { return m_freeMemo; }
    virtual bool HasNote() const { return !GetNote().isEmpty(); }
    virtual QString GetNote() const { return m_note; }
    virtual bool IsAlarm() const { return m_alarm; }
    virtual bool IsRepeat() const { return m_repeat; }
    virtual TavColorRef GetBackColor() const { return m_backColor; }
    virtual bool IsPrivate() const { return m_private; }
    virtual bool IsMaskMode() const { return m_maskMode; }
    virtual bool HasIcon() const { return !m_icon.isNull(); }
    virtual void DrawIcon(QPainter& painter, const QRect& area) const;
    virtual void DrawNoteMark(QPainter& painter, const QRect& area) const;
    virtual void DrawAlarmMark(QPainter& painter, const QRect& area) const;
    virtual void DrawRepeatMark(QPainter& painter, const QRect& area) const;
    virtual void DrawFreeMemoMark(QPainter& painter, const QRect& area) const;
    virtual void DrawPrivateMark(QPainter& painter, const QRect& area) const;
    virtual void OnSelect() {}
    // A pattern to fill the box with; a null pixmap fills with the background colour.
    virtual QPixmap GetBackBitmap() const { return {}; }

    virtual void Draw(QPainter& painter, const CTavComDrawStyle& style) const;

    void SetTimes(qint64 start, qint64 end);
    void SetText(const QString& text) { m_text = text; }
    void SetNote(const QString& note) { m_note = note; }
    void SetFreeMemo(bool on) { m_freeMemo = on; }
    void SetAlarm(bool on) { m_alarm = on; }
    void SetRepeat(bool on) { m_repeat = on; }
    void SetBackColor(TavColorRef color) { m_backColor = color; }
    void SetPrivate(bool on) { m_private = on; }
    void SetMaskMode(bool on) { m_maskMode = on; }
    void SetIcon(const QPixmap& icon) { m_icon = icon; }
    // The grid's own record of the selection; a derived IsSelected() may ignore it.
    void SetSelected(bool on) { m_selected = on; }

    // Reads the start and end once and keeps them as seconds of the day: an end on a later day
    // becomes midnight, an end before the start becomes the start.
    void CalcDayTimes();
    void CalcDayTimes(CTavComDayClock& clock);
    int GetStartSec() const { return m_startSec; }
    int GetEndSec() const { return m_endSec; }
    QString GetTimeLabel(bool withEnd) const;

    bool IsNoTime() const { return m_noTime; }
    void SetNoTime(bool on) { m_noTime = on; }
    bool IsMasked() const { return IsPrivate() && IsMaskMode(); }

    const QRect& GetRect() const { return m_rect; }
    void SetRect(const QRect& rect) { m_rect = rect; }
    void SetLane(int lane, int span, int lanes, int group);
    int GetLane() const { return m_lane; }
    int GetLaneSpan() const { return m_laneSpan; }
    int GetDupCount() const { return m_lanes; }
    int GetGroup() const { return m_group; }

    // Hit areas, in the same coordinates as GetRect().
    bool HitTest(const QPoint& point) const { return m_rect.contains(point); }
    QRect BottomEdgeRect() const;
    bool IsBottomHit(const QPoint& point) const { return BottomEdgeRect().contains(point); }
    QRect FreeMemoIconRect(int markSize) const;
    bool IsFreeMemoIconHit(const QPoint& point, int markSize) const;

private:
    void DrawMarks(QPainter& painter, const CTavComDrawStyle& style, const QRect& line, int& right) const;

    qint64 m_start = 0;
    qint64 m_end = 0;
    QString m_text;
    QString m_note;
    QPixmap m_icon;
    TavColorRef m_backColor = TavRgb(0xFF, 0xFF, 0xFF);
    bool m_freeMemo = false;
    bool m_alarm = false;
    bool m_repeat = false;
    bool m_private = false;
    bool m_maskMode = false;
    bool m_selected = false;
    bool m_noTime = false;

    int m_startSec = 0;
    int m_endSec = 0;
    QRect m_rect;
    int m_lane = 0;
    int m_laneSpan = 1;
    int m_lanes = 1;
    int m_group = 0;
};
