#pragma once

#include <QImage>
#include <optional>

#include "CTavComScheduleBox.h"

class CTavDbDateRecord;
class CTavScBoxHost;

// One event of the day or week grid, answering the grid's questions from its record.
class CTavScEventBox final : public CTavComScheduleBox
{
public:
    CTavScEventBox(CTavDbDateRecord* record, CTavScBoxHost& host);

    CTavDbDateRecord* Record() const { return m_record; }

    bool IsSelected() const override;
    qint64 GetStartTime() const override;
    qint64 GetEndTime() const override;
    QString GetText() const override;
    bool HasFreeMemo() const override;
    bool HasNote() const override;
    QString GetNote() const override;
    bool IsAlarm() const override;
    bool IsRepeat() const override;
    TavColorRef GetBackColor() const override;
    bool IsPrivate() const override;
    bool IsMaskMode() const override;
    bool HasIcon() const override;
    void DrawIcon(QPainter& painter, const QRect& area) const override;
    void OnSelect() override;

private:
    const QImage& Icon() const;

    CTavDbDateRecord* m_record;
    CTavScBoxHost& m_host;
    mutable std::optional<QImage> m_icon; // read on first use
};
