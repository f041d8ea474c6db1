#pragma once

#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

// The help menu: the about box, the help pages (opened in the system browser) and the maker's
// pages. Tests replace the opener so that nothing leaves the program.
class CTavHelp final
{
public:
    static void ShowAbout(QWidget* parent);
    static bool ShowHelp();
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
    static QUrl MakerPage(const QString& optionName, const QString& fallback);
};
