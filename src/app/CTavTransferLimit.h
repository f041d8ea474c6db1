#pragma once

#include <QtGlobal>

class CTavDbDate;

// The user's choice of how much past data goes to the handheld ("datebook" section of the
// profile): a period back from today, and whether it applies to events and to memo sheets.
struct CTavTransferLimit
{
    bool limit = false;
    int number = 1; // 1..99
    int unit = 2;   // 0 days, 1 weeks, 2 months, 3 years
    bool dateBook = true;
    bool quillos = true;

    // Values out of range read as their defaults.
    static CTavTransferLimit FromProfile();

    void ApplyTo(CTavDbDate& store) const;
    // Seconds since 1970 (local midnight of the first day that still goes to the handheld)
    // before which memo sheets stay on the PC; 0 when no limit applies to memo sheets.
    qint64 QuillosCutoff() const;
};
