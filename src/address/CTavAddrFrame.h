#pragma once

#include "CTavModuleFrame.h"

class CTavAddrDoc;

class CTavAddrFrame final : public CTavModuleFrame
{
    Q_OBJECT
public:
    explicit CTavAddrFrame(CTavAddrDoc* document, QWidget* parent = nullptr);
};
