#pragma once

#include <QString>
#include <cstdint>

// What the schedule keeps for a whole day, week or month: a colour and a linked memo sheet.
class CTavDbDateInfoRecord
{
public:
    // A Windows colour value; without the flag the period has no colour of its own.
    void GetColor(bool& set, uint32_t& color) const
    {
        set = m_colorSet;
        color = m_color;
    }
    void SetColor(bool set, uint32_t color)
    {
        m_colorSet = set;
        m_color = color;
    }
    // The linked memo sheet's name (without folder and extension); empty for none.
    const QString& GetSheetName() const { return m_sheet; }
    void SetSheetName(const QString& name) { m_sheet = name; }

    bool operator==(const CTavDbDateInfoRecord&) const = default;

private:
    bool m_colorSet = false;
    uint32_t m_color = 0;
    QString m_sheet;
};
