#pragma once

#include <QJsonObject>
#include <string>

#include "CTavDbDateRecord.h"

class CTavDbDate;

// The generated events (events.cli.jsonl of gen_events.py) as date records.
class BenchEvents
{
public:
    static CTavDbDateRecord FromJson(const QJsonObject& o);
    // Adds every generated event to the store; the error a benchmark stops with, else empty.
    // colourEvery: every n-th event (by its text's length) gets a background colour, as users
    // colour some of theirs; 0 for none.
    static std::string Load(CTavDbDate& store, int colourEvery = 0);
};
