#pragma once

#include "CTavDbPcRecord.h"
#include "CTavDbTime.h"

class CTavDbDateRecord final : public CTavDbPcRecord
{
public:
    CTavDbDateRecord() = default;
    CTavDbDateRecord(const CTavDbDateRecord&) = default;
    CTavDbDateRecord& operator=(const CTavDbDateRecord&) = default;

    const QString& GetDesc() const { return m_desc; }
    void SetDesc(const QString& text) { m_desc = text; }
    const QString& GetNote() const { return m_note; }
    void SetNote(const QString& text) { m_note = text; }

    void Reset() override;
    bool IsEqualPdt(const CTavDbPcRecord& other) const override;
    std::unique_ptr<CTavDbPcRecord> Clone() const override { return std::make_unique<CTavDbDateRecord>(*this); }
    void BindFields(CTavSqliteStatement& st) const override;
    void ReadFields(CTavSqliteStatement& st) override;
    static constexpr const char* kColumns = "description TEXT, note TEXT";

private:
    QString m_desc;
    QString m_note;
};
