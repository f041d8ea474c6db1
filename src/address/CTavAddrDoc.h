#pragma once

#include "CTavModuleDoc.h"

// The address book's view of the address store.
class CTavAddrDoc final : public CTavModuleDoc
{
    Q_OBJECT
public:
    explicit CTavAddrDoc(CTavApp& app, QObject* parent = nullptr);
    void ApplyStoreOrder() override;
};
