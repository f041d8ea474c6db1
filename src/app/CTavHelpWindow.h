#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QUrl>
#include <functional>

class QTextBrowser;

// The help pages in a window of the program's own, for when no browser can show them. One
// window, reused: it moves to the page asked for and comes to the front. Links between the
// pages stay in the window; other addresses go to the external opener or are ignored.
class CTavHelpWindow final : public QMainWindow
{
    Q_OBJECT
public:
    using ExternalOpener = std::function<bool(const QUrl&)>;

    CTavHelpWindow(const QUrl& contents, ExternalOpener external, QWidget* home);

    // Shows the page and raises the window. A dialog as owner (one that runs modally) keeps
    // the window usable while it is open; the window returns to home when the dialog closes.
    void Present(const QUrl& page, QWidget* owner);

    QTextBrowser* Browser() const { return m_browser; }
    QUrl CurrentPage() const;

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void OnLink(const QUrl& link);
    void OnOwnerFinished();
    void Adopt(QWidget* owner);

    QTextBrowser* m_browser;
    QUrl m_contents;
    ExternalOpener m_external;
    QPointer<QWidget> m_home;
    bool m_wanted = false;
};
