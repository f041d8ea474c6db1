#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QStringList>

#include "CTavDbDateICalDraft.h"
#include "TavStatus.h"

// Events as vCalendar 1.0 files, as phones and older organizers exchange them: their own rule
// syntax ("W1 MO TU #0", "MP1 1+ MO 20241231T000000"), AALARM and DALARM, and text in
// Shift_JIS or UTF-8, quoted-printable or not. Writes UTF-8 and floating local times.
class CTavDbDateVCal final
{
public:
    // As CTavDbDateICal::Read.
    static TavStatus Read(const QByteArray& bytes, QList<CTavDbDateICalEvent>* events, QStringList* notes);
    static QByteArray Write(const QList<CTavDbDateICalEvent>& events);
    // A vCalendar 1.0 rule; unsupported says why when the handheld cannot take it. An end
    // date comes in *untilText for the caller to place in time.
    static CTavDbDateICalRule ParseRule(QByteArrayView text, QByteArray* untilText);
};
