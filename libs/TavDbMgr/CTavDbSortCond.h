#pragma once

// An order for a store's enumeration. Keys in use: address (1, 2) name order and (3, 1)
// company order; To Do 4 (the outline); memo 5 syllabary order and 6 handheld order.
class CTavDbSortCond
{
public:
    CTavDbSortCond() = default;
    explicit CTavDbSortCond(int key, int subKey = 0) : m_key(key), m_subKey(subKey) {}

    void SetKey(int key, int subKey = 0)
    {
        m_key = key;
        m_subKey = subKey;
    }
    int GetKey() const { return m_key; }
    int GetSubKey() const { return m_subKey; }
    bool operator==(const CTavDbSortCond&) const = default;

private:
    int m_key = 0;
    int m_subKey = 0;
};
