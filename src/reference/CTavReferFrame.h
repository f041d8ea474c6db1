#pragma once

#include "CTavModuleFrame.h"

class CTavReferDoc;

class CTavReferFrame final : public CTavModuleFrame
{
    Q_OBJECT
public:
    explicit CTavReferFrame(CTavReferDoc* document, QWidget* parent = nullptr);
};
