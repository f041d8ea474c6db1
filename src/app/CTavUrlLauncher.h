#pragma once

#include <QUrl>
#include <functional>

class QProcess;

// Opens an address in the desktop's browser through xdg-open, which starts at once but finds
// out only afterwards whether anything can show the page; its refusal comes back through
// onFailure. Without xdg-open the toolkit's own opener decides at once.
class CTavUrlLauncher final
{
public:
    // How long a refusal is waited for: a browser xdg-open runs in the foreground keeps it
    // running much longer, and that counts as success.
    static constexpr int kWatchMs = 10000;

    // The running xdg-open, or null when the answer was already given (onFailure has run when
    // the address could not be opened).
    static QProcess* Launch(const QUrl& url, std::function<void()> onFailure);
};
