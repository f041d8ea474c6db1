#pragma once

#include "CTavModuleFrame.h"

class CTavFreeDoc;

class CTavFreeFrame final : public CTavModuleFrame
{
    Q_OBJECT
public:
    explicit CTavFreeFrame(CTavFreeDoc* document, QWidget* parent = nullptr);
};
