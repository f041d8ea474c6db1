#pragma once

#include "CTavModuleDoc.h"

// The schedule's day window; the records are the application's date store.
class CTavScDayDoc final : public CTavModuleDoc
{
    Q_OBJECT
public:
    explicit CTavScDayDoc(CTavApp& app, QObject* parent = nullptr)
        : CTavModuleDoc(app, QStringLiteral("予定表 (日)"), parent)
    {
    }
};
