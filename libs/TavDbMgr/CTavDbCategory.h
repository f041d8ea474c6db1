#pragma once

#include <QString>
#include <cstdint>

// One category of a store. Index 0 is always the unfiled category with id 0.
class CTavDbCategory
{
public:
    CTavDbCategory() = default;
    CTavDbCategory(uint32_t id, int index, const QString& name) : m_id(id), m_index(index), m_name(name) {}

    uint32_t GetID() const { return m_id; }
    void SetID(uint32_t id) { m_id = id; }
    int GetIndex() const { return m_index; }
    void SetIndex(int index) { m_index = index; }
    const QString& GetName() const { return m_name; }
    void SetName(const QString& name) { m_name = name; m_dirty = true; }
    const QString& GetFileName() const { return m_fileName; }
    void SetFileName(const QString& name) { m_fileName = name; }
    uint32_t GetFlags() const { return m_flags; }
    void SetFlags(uint32_t flags) { m_flags = flags; }
    bool IsDirty() const { return m_dirty; }
    void SetDirty(bool dirty) { m_dirty = dirty; }

    bool operator==(const CTavDbCategory& o) const
    {
        return m_id == o.m_id && m_index == o.m_index && m_name == o.m_name && m_fileName == o.m_fileName &&
               m_flags == o.m_flags;
    }

private:
    uint32_t m_id = 0;
    int m_index = 0;
    QString m_name;
    QString m_fileName;
    uint32_t m_flags = 0;
    bool m_dirty = false;
};
