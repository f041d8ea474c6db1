#pragma once

#include "CTavModuleDoc.h"

// The read-only reference databases of the current user.
class CTavReferDoc final : public CTavModuleDoc
{
    Q_OBJECT
public:
    explicit CTavReferDoc(CTavApp& app, QObject* parent = nullptr)
        : CTavModuleDoc(app, QStringLiteral("便利情報"), parent)
    {
    }
};
