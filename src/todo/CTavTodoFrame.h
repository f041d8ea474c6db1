#pragma once

#include "CTavModuleFrame.h"

class CTavTodoDoc;

class CTavTodoFrame final : public CTavModuleFrame
{
    Q_OBJECT
public:
    explicit CTavTodoFrame(CTavTodoDoc* document, QWidget* parent = nullptr);

    CTavTodoDoc* TodoDoc() const { return m_doc; }

private:
    CTavTodoDoc* m_doc;
};
