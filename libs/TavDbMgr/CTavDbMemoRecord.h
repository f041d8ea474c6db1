#pragma once

#include "CTavDbPcRecord.h"
#include "CTavDbTime.h"

// One memo of the memo pad. The handheld keeps a memo in at most 32767 bytes (code page 932),
// its closing zero byte included.
class CTavDbMemoRecord final : public CTavDbPcRecord
{
public:
    static constexpr int kMaxBytes = 32766;

    CTavDbMemoRecord() = default;
    CTavDbMemoRecord(const CTavDbMemoRecord&) = default;
    CTavDbMemoRecord& operator=(const CTavDbMemoRecord&) = default;

    const QString& GetMemo() const { return m_memo; }
    void SetMemo(const QString& text) { m_memo = text; }
    // The first line, as lists show it.
    QString GetTitle() const;
    TavTime GetCreateDateTime() const { return m_created; }
    void SetCreateDateTime(TavTime t) { m_created = t; }
    TavTime GetUpdateDateTime() const { return m_updated; }
    void SetUpdateDateTime(TavTime t) { m_updated = t; }

    void Reset() override;
    bool IsEqualPdt(const CTavDbPcRecord& other) const override;
    std::unique_ptr<CTavDbPcRecord> Clone() const override
    {
        return std::make_unique<CTavDbMemoRecord>(*this);
    }
    void BindFields(CTavSqliteStatement& st) const override;
    void ReadFields(CTavSqliteStatement& st) override;
    static constexpr const char* kColumns = "memo TEXT, created INTEGER, updated INTEGER";

private:
    QString m_memo;
    TavTime m_created = 0;
    TavTime m_updated = 0;
};
