#pragma once

#include "CTavModuleDoc.h"

// The To Do list's view of the To Do store.
class CTavTodoDoc final : public CTavModuleDoc
{
    Q_OBJECT
public:
    explicit CTavTodoDoc(CTavApp& app, QObject* parent = nullptr);
    void ApplyStoreOrder() override;
};
