#pragma once

#include <QString>
#include <cstdint>
#include <memory>

class CTavSqliteStatement;

// Base of every stored record: the handheld's identity (24-bit unique id, category,
// attributes) and the field set each kind adds.
class CTavDbPcRecord
{
public:
    // Attribute bits as the handheld keeps them.
    enum Attribute : uint8_t
    {
        AttrDeleted = 0x80,
        AttrDirty = 0x40,
        AttrPrivate = 0x10,
        AttrArchived = 0x08,
    };
    static constexpr uint32_t kUnfiled = 0;
    static constexpr uint32_t kAllCategories = 99;
    static constexpr uint32_t kMaxUniqueId = 0xFFFFFF;

    CTavDbPcRecord() = default;
    virtual ~CTavDbPcRecord() = default;

    uint32_t GetUniqueId() const { return m_uniqueId; }
    void SetUniqueId(uint32_t id) { m_uniqueId = id & kMaxUniqueId; }
    uint32_t GetCategoryID() const { return m_category; }
    void SetCategoryID(uint32_t id) { m_category = id; }
    uint32_t GetCategoryId() const { return m_category; }
    bool GetIsPrivate() const { return m_attributes & AttrPrivate; }
    void SetPrivate(bool on) { setAttribute(AttrPrivate, on); }
    bool IsDirty() const { return m_attributes & AttrDirty; }
    bool IsDeleted() const { return m_attributes & AttrDeleted; }
    bool IsArchived() const { return m_attributes & AttrArchived; }
    uint8_t GetAttributes() const { return m_attributes; }
    void SetAttributes(uint8_t attributes) { m_attributes = attributes; }
    void setAttribute(uint8_t bit, bool on)
    {
        m_attributes = on ? (m_attributes | bit) : (m_attributes & ~bit);
    }

    // Clears every field to the new-record state (keeps nothing of the identity).
    virtual void Reset();
    // True when the fields the handheld keeps are equal (unique id and attributes aside).
    virtual bool IsEqualPdt(const CTavDbPcRecord& other) const;
    virtual std::unique_ptr<CTavDbPcRecord> Clone() const = 0;
    // A heap record that may take this one's fields, leaving it empty; kinds without a cheaper
    // way copy.
    virtual std::unique_ptr<CTavDbPcRecord> TakeFields() { return Clone(); }

    // Storage of the kind's own fields, in the order of its store's column list.
    virtual void BindFields(CTavSqliteStatement& st) const = 0;
    virtual void ReadFields(CTavSqliteStatement& st) = 0;

protected:
    CTavDbPcRecord(const CTavDbPcRecord&) = default;
    CTavDbPcRecord& operator=(const CTavDbPcRecord&) = default;
    CTavDbPcRecord(CTavDbPcRecord&&) = default;
    CTavDbPcRecord& operator=(CTavDbPcRecord&&) = default;

private:
    friend class CTavDbStoreBase;
    friend class CTavDbStoreOrder;
    friend class CTavDbStoreMerge;
    int64_t m_storeSeq = 0; // position key in the store file, kept by the store
    uint32_t m_uniqueId = 0;
    uint32_t m_category = kUnfiled;
    uint8_t m_attributes = 0;
};
