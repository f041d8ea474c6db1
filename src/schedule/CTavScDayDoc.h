#pragma once

#include "CTavScEventDoc.h"

// The schedule's day window.
class CTavScDayDoc final : public CTavScEventDoc
{
    Q_OBJECT
public:
    explicit CTavScDayDoc(CTavApp& app, QObject* parent = nullptr);

    void NextDay();
    void PreviousDay();
    void StepBack() override { PreviousDay(); }
    void StepOn() override { NextDay(); }
};
