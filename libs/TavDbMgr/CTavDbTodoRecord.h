#pragma once

#include "CTavDbPcRecord.h"
#include "CTavDbTime.h"

// One task of the To Do outline. Dates are local midnights; maxDateTime means no date.
// The level (0-2) places the task in the outline: the tasks after it with a deeper level are
// its sub-items.
class CTavDbTodoRecord final : public CTavDbPcRecord
{
public:
    static constexpr int kMaxDescBytes = 256;
    static constexpr int kMaxNoteBytes = 4096;
    static constexpr int kMinPriority = 1;
    static constexpr int kMaxPriority = 5;
    static constexpr int kMaxLevel = 2;

    CTavDbTodoRecord() = default;
    CTavDbTodoRecord(const CTavDbTodoRecord&) = default;
    CTavDbTodoRecord& operator=(const CTavDbTodoRecord&) = default;

    const QString& GetDesc() const { return m_desc; }
    void SetDesc(const QString& text) { m_desc = text; }
    const QString& GetNote() const { return m_note; }
    void SetNote(const QString& text) { m_note = text; }
    int GetPriority() const { return m_priority; }
    void SetPriority(int priority) { m_priority = priority; }
    TavTime GetDueDate() const { return m_due; }
    void SetDueDate(TavTime t) { m_due = t; }
    TavTime GetStartDate() const { return m_start; }
    void SetStartDate(TavTime t) { m_start = t; }
    bool HasDueDate() const { return m_due < maxDateTime; }
    bool HasStartDate() const { return m_start < maxDateTime; }
    bool GetCompleted() const { return m_completed; }
    void SetCompleted(bool completed) { m_completed = completed; }
    int GetIndentLevel() const { return m_level; }
    void SetIndentLevel(int level) { m_level = level; }
    bool GetFolded() const { return m_folded; }
    void SetFolded(bool folded) { m_folded = folded; }
    // The linked memo sheet's name, empty when none is linked.
    const QString& GetQuilloName() const { return m_quilloName; }
    void SetQuilloName(const QString& name) { m_quilloName = name; }

    // Bytes of code page 932 a text takes, a line break "\r\n" counting as one.
    static int TextBytes(const QString& text);
    // Whether every field is within its limits: description 256 and note 4096 bytes,
    // priority 1-5, level 0-2.
    bool IsValid() const;

    void Reset() override;
    bool IsEqualPdt(const CTavDbPcRecord& other) const override;
    std::unique_ptr<CTavDbPcRecord> Clone() const override
    {
        return std::make_unique<CTavDbTodoRecord>(*this);
    }
    void BindFields(CTavSqliteStatement& st) const override;
    void ReadFields(CTavSqliteStatement& st) override;
    static constexpr const char* kColumns =
        "description TEXT, note TEXT, priority INTEGER, due_date INTEGER, start_date INTEGER, "
        "completed INTEGER, indent_level INTEGER, folded INTEGER, quillo_name TEXT";

private:
    QString m_desc;
    QString m_note;
    int m_priority = kMinPriority;
    TavTime m_due = maxDateTime;
    TavTime m_start = maxDateTime;
    bool m_completed = false;
    int m_level = 0;
    bool m_folded = false;
    QString m_quilloName;
};
