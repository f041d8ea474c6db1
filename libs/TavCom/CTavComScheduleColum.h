#pragma once

#include <QString>

#include <memory>
#include <vector>

#include "CTavComTimeScale.h"
#include "TavColorRef.h"
#include "TavComSettings.h"

class CTavComScheduleBox;

// One day of the grid: its title, its place across the grid and its boxes, timed and untimed.
// The column owns its boxes. The program derives its own column that makes boxes from records.
class CTavComScheduleColum
{
public:
    CTavComScheduleColum();
    explicit CTavComScheduleColum(const QString& title);
    virtual ~CTavComScheduleColum();
    Q_DISABLE_COPY_MOVE(CTavComScheduleColum)

    void SetTitle(const QString& title) { m_title = title; }
    const QString& GetTitle() const { return m_title; }
    // Colours of the title cell; 0xFFFFFFFF keeps the grid's header colours.
    void SetTitleColor(TavColorRef color) { m_titleColor = color; }
    TavColorRef GetTitleColor() const { return m_titleColor; }
    void SetTitleBackColor(TavColorRef color) { m_titleBack = color; }
    TavColorRef GetTitleBackColor() const { return m_titleBack; }

    void SetWidth(int width) { m_width = width; }
    int GetWidth() const { return m_width; }
    void SetMinWidth(int width) { m_minWidth = width; }
    int GetMinWidth() const { return m_minWidth; }
    // Left edge, counted from the first column.
    void SetX(int x) { m_x = x; }
    int GetX() const { return m_x; }

    // Both take ownership of the box.
    virtual void AddBox(CTavComScheduleBox* box);
    virtual void AddNoTimeBox(CTavComScheduleBox* box);
    void ClearBoxes();
    const std::vector<std::unique_ptr<CTavComScheduleBox>>& GetBoxes() const { return m_boxes; }
    const std::vector<std::unique_ptr<CTavComScheduleBox>>& GetNoTimeBoxes() const { return m_noTimeBoxes; }

    // Reads the boxes' times and finds which of them overlap. A box is never drawn shorter than
    // minSeconds, so that span counts as its length here. Returns the most boxes side by side.
    virtual int CalcDuplication(int minSeconds = 0);
    // Places every box: timed boxes in y from midnight (scale) and x from the grid's first
    // column; untimed boxes stacked in rows from the top of the untimed band.
    virtual void CalcLayout(const CTavComTimeScale& scale, const SizeSetting& size);

    static constexpr TavColorRef kDefaultColor = 0xFFFFFFFF;

private:
    QString m_title;
    TavColorRef m_titleColor = kDefaultColor;
    TavColorRef m_titleBack = kDefaultColor;
    int m_width = 0;
    int m_minWidth = 0;
    int m_x = 0;
    int m_minSeconds = 0;
    std::vector<std::unique_ptr<CTavComScheduleBox>> m_boxes;
    std::vector<std::unique_ptr<CTavComScheduleBox>> m_noTimeBoxes;
};
