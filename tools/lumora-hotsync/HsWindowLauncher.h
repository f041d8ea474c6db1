#pragma once

#include <QStringList>

class QDialog;

// Opens one of the manager's windows as the whole program: "--settings", "--connection" or
// "--log". One window of each kind runs per user; starting it again raises the open one.
class HsWindowLauncher final
{
public:
    // Whether the arguments ask for a window rather than a command.
    static bool wantsWindow(const QStringList& args);
    // The window for an option, or null for any other text.
    static QDialog* create(const QString& option);
    // Runs the event loop of the window; needs a QApplication. "--screenshot FILE" saves the
    // window as a picture and ends instead of waiting for the user.
    static int run(const QStringList& args);
};
