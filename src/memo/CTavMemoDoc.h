#pragma once

#include "CTavModuleDoc.h"

// The memo pad's view of the memo store: syllabary order, or the handheld's own order.
class CTavMemoDoc final : public CTavModuleDoc
{
    Q_OBJECT
public:
    explicit CTavMemoDoc(CTavApp& app, QObject* parent = nullptr);

    bool HandheldOrder() const { return m_handheldOrder; }
    void SetHandheldOrder(bool on);
    void ApplyStoreOrder() override;

private:
    bool m_handheldOrder = false;
};
