#include <QApplication>

#include "CTavApp.h"
#include "CTavMainFrame.h"
#include "CTavModuleTemplates.h"
#include "CTavPrivateFiles.h"

int main(int argc, char* argv[])
{
    CTavPrivateFiles::Apply();
    QApplication qt(argc, argv);
    CTavApp app;
    CTavModuleTemplates::RegisterAll(app);
    if (!app.InitInstance(qt.arguments().mid(1)) || !app.MainFrame())
        return app.ExitInstance();
    const int code = qt.exec();
    app.ExitInstance();
    return code;
}
