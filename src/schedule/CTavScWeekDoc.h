#pragma once

#include "CTavModuleDoc.h"

// The schedule's week window; the records are the application's date store.
class CTavScWeekDoc final : public CTavModuleDoc
{
    Q_OBJECT
public:
    explicit CTavScWeekDoc(CTavApp& app, QObject* parent = nullptr)
        : CTavModuleDoc(app, QStringLiteral("予定表 (週)"), parent)
    {
    }
};
