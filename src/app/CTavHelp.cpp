#include "CTavHelp.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>

#include "CTavAboutDlg.h"
#include "CTavRegOption.h"
#include "TavStrings.h"

namespace {
std::function<bool(const QUrl&)>& opener()
{
    static std::function<bool(const QUrl&)> o;
    return o;
}
} // namespace

void CTavHelp::ShowAbout(QWidget* parent)
{
    CTavAboutDlg dlg(parent);
    dlg.exec();
}

QString CTavHelp::HelpIndexPath()
{
    const QStringList candidates = {
        QCoreApplication::applicationDirPath() + QStringLiteral("/help/index.html"),
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/lumora/help/index.html"),
        QStringLiteral(LUMORA_HELP_SOURCE_DIR "/index.html")};
    for (const QString& path : candidates)
        if (QFileInfo::exists(path))
            return QFileInfo(path).canonicalFilePath();
    return QString();
}

bool CTavHelp::ShowHelp()
{
    const QString path = HelpIndexPath();
    return !path.isEmpty() && Open(QUrl::fromLocalFile(path));
}

bool CTavHelp::OpenHomePage()
{
    return Open(HomePageUrl());
}

bool CTavHelp::OpenStylePage()
{
    return Open(StylePageUrl());
}

QUrl CTavHelp::HomePageUrl()
{
    return MakerPage(QStringLiteral("HomePage"), TavStr::HomePageUrl);
}

QUrl CTavHelp::StylePageUrl()
{
    return MakerPage(QStringLiteral("StylePage"), TavStr::StylePageUrl);
}

QUrl CTavHelp::MakerPage(const QString& optionName, const QString& fallback)
{
    // Peeked, not read: opening a page must not add values to the settings.
    QString stored;
    if (CTavRegOption().PeekString(optionName, &stored)) {
        const QUrl url(stored.trimmed(), QUrl::StrictMode);
        if (url.isValid() && !url.scheme().isEmpty())
            return url;
    }
    return QUrl(fallback);
}

void CTavHelp::SetUrlOpener(std::function<bool(const QUrl&)> o)
{
    opener() = std::move(o);
}

bool CTavHelp::Open(const QUrl& url)
{
    if (opener())
        return opener()(url);
    return QDesktopServices::openUrl(url);
}
