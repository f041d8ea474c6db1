#pragma once

#include <QDate>
#include <QString>

#include "AppTestEnv.h"
#include "CTavDbTime.h"

class CTavApp;

// A time of day as stored.
TavTime at(const QDate& day, int h, int m, int s = 0);

// Undo (or redo) from the edit menu, after checking the step it names.
void undoStep(CTavApp& app, int command, const QString& expected);
// Answers the question of a repeating event's scope with that choice.
AppTestEnv::DialogAnswer scopeAnswer(int scope);
