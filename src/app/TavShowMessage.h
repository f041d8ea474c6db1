#pragma once

#include <QString>

#include "TavCommandIds.h"

class QWidget;

// The program's message box from code that may run without the application object (dialogs
// under test): through CTavApp::ShowMessage when there is one, else straight to the box. The
// caption defaults to the product name.
int TavShowMessage(QWidget* owner, const QString& text, const QString& caption = QString(),
                   unsigned type = TavMsg::Ok);
