#pragma once

#include "CTavModuleDoc.h"

// The handwritten memo sheets of the current user.
class CTavFreeDoc final : public CTavModuleDoc
{
    Q_OBJECT
public:
    explicit CTavFreeDoc(CTavApp& app, QObject* parent = nullptr)
        : CTavModuleDoc(app, QStringLiteral("手書きメモ"), parent)
    {
    }
};
