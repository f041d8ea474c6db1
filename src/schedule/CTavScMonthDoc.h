#pragma once

#include "CTavModuleDoc.h"

// The schedule's month window; the records are the application's date store.
class CTavScMonthDoc final : public CTavModuleDoc
{
    Q_OBJECT
public:
    explicit CTavScMonthDoc(CTavApp& app, QObject* parent = nullptr)
        : CTavModuleDoc(app, QStringLiteral("予定表 (月)"), parent)
    {
    }
};
