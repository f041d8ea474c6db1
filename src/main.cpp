#include <QApplication>
#include <QIcon>

#include "CTavApp.h"
#include "CTavMainFrame.h"
#include "CTavModuleTemplates.h"
#include "CTavPrivateFiles.h"
#include "MovieSupport.h"

int main(int argc, char* argv[])
{
    CTavPrivateFiles::Apply();
    QApplication qt(argc, argv);
    MovieSupport::Initialize();
    // The desktop entry names the running window; the installed icon wins over the build's.
    QGuiApplication::setDesktopFileName(QStringLiteral("lumora"));
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("lumora"), QIcon(QStringLiteral(LUMORA_ICON_SOURCE))));
    CTavApp app;
    CTavModuleTemplates::RegisterAll(app);
    if (!app.InitInstance(qt.arguments().mid(1)) || !app.MainFrame())
        return app.ExitInstance();
    const int code = qt.exec();
    app.ExitInstance();
    return code;
}
