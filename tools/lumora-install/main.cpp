#include <QApplication>
#include <QCommandLineParser>
#include <QTranslator>

#include "CTavApp.h"
#include "CTavPrivateFiles.h"
#include "CTavRegOption.h"
#include "InstallWindow.h"

int main(int argc, char** argv)
{
    CTavPrivateFiles::Apply();
    CTavPrivateFiles::TightenAll();
    QApplication app(argc, argv);
    // Qt's own texts (the file dialog) in Japanese like the rest of the window.
    const auto qtTexts = CTavApp::InstallJapaneseQtTexts();
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Queues handheld files for the next HotSync."));
    parser.addHelpOption();
    parser.addOption(
        {QStringLiteral("user"), QStringLiteral("The user whose queue opens."), QStringLiteral("name")});
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QStringLiteral(".prc, .pdb or .pqa files to queue."));
    parser.process(app);

    QString user = parser.value(QStringLiteral("user"));
    if (user.isEmpty())
        CTavRegOption().PeekString(CTavRegOption::kCurrentUser, &user);
    InstallWindow window(user);
    window.show();
    if (!parser.positionalArguments().isEmpty())
        window.addFiles(parser.positionalArguments());
    return app.exec();
}
