#pragma once

#include <QStringList>

class CTavApp;
class QSplashScreen;

// The start-up sequence of the application: one instance, no competing desktop program, the
// current user and the password, the data, the main frame and the module windows.
class CTavStartup final
{
public:
    explicit CTavStartup(CTavApp& app) : m_app(app) {}

    bool Run(const QStringList& arguments);

private:
    enum class CommandLine
    {
        Normal,
        Automation
    };
    CommandLine ParseCommandLine(const QStringList& arguments);
    bool ChooseUser();
    bool CheckStartupPassword();
    void CreateModuleWindows();
    void ShowMainFrame();

    CTavApp& m_app;
    QSplashScreen* m_splash = nullptr;
};
