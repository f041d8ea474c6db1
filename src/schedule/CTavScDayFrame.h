#pragma once

#include "CTavScFrameBase.h"

class CTavScDayDoc;

class CTavScDayFrame final : public CTavScFrameBase
{
    Q_OBJECT
public:
    explicit CTavScDayFrame(CTavScDayDoc* document, QWidget* parent = nullptr);
};
