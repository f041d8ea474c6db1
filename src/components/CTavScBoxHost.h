#pragma once

#include <QImage>
#include <QString>
#include <cstdint>

class CTavDbDateRecord;

// What an event box asks of the schedule it belongs to: the selection, the private display
// mode and the icons of the handheld's applications.
class CTavScBoxHost
{
public:
    virtual ~CTavScBoxHost() = default;
    virtual bool IsSelectedEvent(const CTavDbDateRecord* record) const = 0;
    virtual void SelectEvent(CTavDbDateRecord* record) = 0;
    virtual int PrivateMode() const = 0;
    // The icon resource as a picture with transparency; null when it cannot be found.
    virtual QImage IconImage(const QString& name, uint32_t type, int id) = 0;
};
