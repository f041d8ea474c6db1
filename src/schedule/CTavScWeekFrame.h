#pragma once

#include "CTavScFrameBase.h"

class CTavScWeekDoc;

class CTavScWeekFrame final : public CTavScFrameBase
{
    Q_OBJECT
public:
    explicit CTavScWeekFrame(CTavScWeekDoc* document, QWidget* parent = nullptr);
};
