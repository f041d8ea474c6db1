#pragma once

#include "CTavScFrameBase.h"

class CTavScMonthDoc;

class CTavScMonthFrame final : public CTavScFrameBase
{
    Q_OBJECT
public:
    explicit CTavScMonthFrame(CTavScMonthDoc* document, QWidget* parent = nullptr);
};
