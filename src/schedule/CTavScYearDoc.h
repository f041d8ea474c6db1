#pragma once

#include "CTavModuleDoc.h"

// The schedule's year window; the records are the application's date store.
class CTavScYearDoc final : public CTavModuleDoc
{
    Q_OBJECT
public:
    explicit CTavScYearDoc(CTavApp& app, QObject* parent = nullptr)
        : CTavModuleDoc(app, QStringLiteral("予定表 (年)"), parent)
    {
    }
};
