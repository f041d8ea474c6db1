#pragma once

#include <QImage>
#include <QString>

#include "CTavDbFreeRecord.h"

// A seal: a stock picture of the handheld, named by the resource database it lives in and the
// id of its 'Tbmp' resource. The record holds only the reference; the picture comes from the
// resource store when drawn.
class CTavDbSealObject final : public CTavDbFreeRecord
{
public:
    static constexpr int MaxNameBytes = 31;
    static constexpr uint32_t BitmapType = 0x54626D70; // 'Tbmp'

    CTavDbSealObject() : CTavDbFreeRecord(KindSeal) {}

    // The rectangle takes the picture's size when the store has it, else 32 x 32.
    void SetSeal(const QString& databaseName, uint16_t id, CTavDbFreePrcObjectManager* resources = nullptr);
    const QString& GetDatabaseName() const { return m_database; }
    uint16_t GetSealId() const { return m_id; }
    // Null when the store has no such picture.
    QImage GetPicture(CTavDbFreePrcObjectManager* resources) const;
    void MoveTo(const QPoint& topLeft);

    bool IsPageObject() const override { return true; }

protected:
    void PackPayload(CTavDbFreeWriter& out) const override;
    bool ParsePayload(CTavDbFreeReader& in) override;
    void DrawObject(QPainter& painter, const CTavDbFreeDrawContext& context) const override;

private:
    QString m_database;
    uint16_t m_id = 0;
    mutable QImage m_picture;
    mutable bool m_looked = false;
};
