#include "HsWindowLauncher.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "CTavSingleInstance.h"
#include "HsCommands.h"
#include "HsConnectionWindow.h"
#include "HsLogWindow.h"
#include "HsOperationWindow.h"

namespace {
const QStringList kOptions{QStringLiteral("--settings"), QStringLiteral("--connection"),
                           QStringLiteral("--log")};
// Long enough for the first layout and paint of an offscreen window.
constexpr int kScreenshotDelayMs = 200;
} // namespace

bool HsWindowLauncher::wantsWindow(const QStringList& args)
{
    for (const QString& option : kOptions) {
        if (args.contains(option))
            return true;
    }
    return false;
}

QDialog* HsWindowLauncher::create(const QString& option)
{
    if (option == kOptions[0])
        return new HsOperationWindow;
    if (option == kOptions[1])
        return new HsConnectionWindow;
    if (option == kOptions[2])
        return new HsLogWindow;
    return nullptr;
}

int HsWindowLauncher::run(const QStringList& arguments)
{
    QStringList args = arguments;
    QString screenshot;
    const qsizetype at = args.indexOf(QStringLiteral("--screenshot"));
    if (at >= 0) {
        screenshot = args.value(at + 1);
        args.remove(at, qMin<qsizetype>(2, args.size() - at));
        if (screenshot.isEmpty()) {
            std::fputs("lumora-hotsync: --screenshot needs a file name\n", stderr);
            return HsCommands::Usage;
        }
    }
    if (args.size() != 1 || !kOptions.contains(args.first())) {
        std::fprintf(stderr, "%s\n", qPrintable(HsCommands::usage()));
        return HsCommands::Usage;
    }

    CTavSingleInstance instance(QStringLiteral("lumora-hotsync") + args.first().mid(1));
    if (screenshot.isEmpty() && !instance.acquire())
        return HsCommands::Ok;

    std::unique_ptr<QDialog> window(create(args.first()));
    QObject::connect(&instance, &CTavSingleInstance::activationRequested, window.get(), [&window] {
        window->showNormal();
        window->raise();
        window->activateWindow();
    });
    QObject::connect(window.get(), &QDialog::finished, qApp, [] { QCoreApplication::exit(HsCommands::Ok); });
    window->show();
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(kScreenshotDelayMs, window.get(), [&window, &screenshot] {
            QCoreApplication::exit(window->grab().save(screenshot) ? HsCommands::Ok : HsCommands::Failed);
        });
    }
    return QApplication::exec();
}
