#include <QApplication>
#include <QCoreApplication>

#include "CTavPrivateFiles.h"
#include "HsCommands.h"
#include "HsWindowLauncher.h"

int main(int argc, char** argv)
{
    CTavPrivateFiles::Apply();
    CTavPrivateFiles::TightenAll();
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    // The commands run from scripts and must not need a display.
    if (!HsWindowLauncher::wantsWindow(args)) {
        QCoreApplication app(argc, argv);
        return HsCommands::run(args);
    }
    QApplication app(argc, argv);
    return HsWindowLauncher::run(args);
}
