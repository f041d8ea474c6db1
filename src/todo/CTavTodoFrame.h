#pragma once

#include "CTavModuleFrame.h"

class CTavTodoDoc;

class CTavTodoFrame final : public CTavModuleFrame
{
    Q_OBJECT
public:
    explicit CTavTodoFrame(CTavTodoDoc* document, QWidget* parent = nullptr);
};
