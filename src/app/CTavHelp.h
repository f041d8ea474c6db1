#pragma once

#include <QString>
#include <QUrl>
#include <functional>

class CTavHelpWindow;
class QWidget;

// The help menu: the about box, the help pages and the maker's pages. The pages open in the
// system browser, or in the program's own help window when no browser starts. Tests replace
// the opener so that nothing leaves the program.
class CTavHelp final
{
public:
    static inline const QString OwnWindowStatus =
        QStringLiteral("ブラウザを起動できないため、ヘルプを Lumora のウィンドウで表示しています。");

    static void ShowAbout(QWidget* parent);
    // A help page (a file of the help folder; the first page when empty or missing); false when
    // the pages are missing.
    static bool ShowHelp(const QString& page = QString());
    // The program's help window while it exists, else null.
    static CTavHelpWindow* Window();
    static bool OpenHomePage();
    static bool OpenStylePage();
    // The maker's pages: the "HomePage" and "StylePage" option values when they hold an
    // address, else the addresses the program ships with.
    static QUrl HomePageUrl();
    static QUrl StylePageUrl();

    // The first page of the help, beside the program or in the source tree.
    static QString HelpIndexPath();
    static void SetUrlOpener(std::function<bool(const QUrl&)> opener);

private:
    static bool Open(const QUrl& url);
    static void ShowInWindow(const QUrl& page);
    static QUrl MakerPage(const QString& optionName, const QString& fallback);
};
