#include "CTavUrlLauncher.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>

QProcess* CTavUrlLauncher::Launch(const QUrl& url, std::function<void()> onFailure)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (tool.isEmpty()) {
        if (!QDesktopServices::openUrl(url) && onFailure)
            onFailure();
        return nullptr;
    }
    // Owned by the application, not by a window: deleting a QProcess kills it, and a browser that
    // xdg-open runs in the foreground must outlive whatever asked for the page.
    auto* process = new QProcess(QCoreApplication::instance());
    process->setObjectName(QStringLiteral("desktopOpener"));
    process->setProgram(tool);
    process->setArguments({url.isLocalFile() ? url.toLocalFile() : url.toString(QUrl::FullyEncoded)});
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer started;
    started.start();
    QObject::connect(process, &QProcess::finished, process,
                     [process, started, onFailure](int exitCode, QProcess::ExitStatus status) {
                         const bool refused = status != QProcess::NormalExit || exitCode != 0;
                         if (refused && started.elapsed() < kWatchMs && onFailure)
                             onFailure();
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, onFailure](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         if (onFailure)
                             onFailure();
                         process->deleteLater();
                     });
    process->start();
    return process;
}
