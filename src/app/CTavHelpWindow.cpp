#include "CTavHelpWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QDialog>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>

namespace {
bool isLocal(const QUrl& url)
{
    return url.isLocalFile() || url.scheme() == QStringLiteral("qrc");
}
} // namespace

CTavHelpWindow::CTavHelpWindow(const QUrl& contents, ExternalOpener external, QWidget* home)
    : QMainWindow(home, Qt::Window), m_contents(contents), m_external(std::move(external)), m_home(home)
{
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(QStringLiteral("Lumora ヘルプ"));
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    // The window follows links itself: QTextBrowser would try to load a web address as a page.
    m_browser->setOpenLinks(false);
    m_browser->setFrameShape(QFrame::NoFrame);
    // The pages wrap to the width; table layout may round a pixel over it, which is no reason for
    // a scroll bar.
    m_browser->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setCentralWidget(m_browser);

    QToolBar* bar = addToolBar(QStringLiteral("ヘルプ"));
    bar->setObjectName(QStringLiteral("helpToolBar"));
    bar->setMovable(false);
    // Hidden through the tool bar's menu, it could not be brought back.
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction* back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("戻る"),
                                   m_browser, &QTextBrowser::backward);
    back->setObjectName(QStringLiteral("helpBack"));
    back->setShortcut(QKeySequence::Back);
    QAction* forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("進む"),
                                      m_browser, &QTextBrowser::forward);
    forward->setObjectName(QStringLiteral("helpForward"));
    forward->setShortcut(QKeySequence::Forward);
    QAction* toc = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("目次"), this,
                                  [this] { m_browser->setSource(m_contents); });
    toc->setObjectName(QStringLiteral("helpContents"));
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &CTavHelpWindow::OnLink);
    auto* close = new QAction(this);
    close->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);

    resize(720, 640);
}

QUrl CTavHelpWindow::CurrentPage() const
{
    return m_browser->source();
}

void CTavHelpWindow::Present(const QUrl& page, QWidget* owner)
{
    Adopt(owner ? owner : m_home.data());
    if (auto* dialog = qobject_cast<QDialog*>(owner); dialog && owner != m_home) {
        // Closing the dialog hides its child windows, and deleting it would delete this one.
        connect(dialog, &QDialog::finished, this, &CTavHelpWindow::OnOwnerFinished, Qt::UniqueConnection);
    }
    if (m_browser->source() != page)
        m_browser->setSource(page);
    m_wanted = true;
    show();
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void CTavHelpWindow::Adopt(QWidget* owner)
{
    if (parentWidget() == owner)
        return;
    // A window the user has seen stays where it was; a new one is placed over its owner.
    const QRect placement = geometry();
    setParent(owner, windowFlags());
    if (m_wanted)
        setGeometry(placement);
    if (m_wanted)
        show();
}

void CTavHelpWindow::OnOwnerFinished()
{
    if (sender())
        disconnect(sender(), nullptr, this, nullptr);
    Adopt(m_home);
}

void CTavHelpWindow::OnLink(const QUrl& link)
{
    const QUrl target = m_browser->source().resolved(link);
    if (isLocal(target) || target.isRelative()) {
        m_browser->setSource(target);
        return;
    }
    if (m_external)
        m_external(target);
}

void CTavHelpWindow::closeEvent(QCloseEvent* event)
{
    m_wanted = false;
    QMainWindow::closeEvent(event);
    emit closed();
}
