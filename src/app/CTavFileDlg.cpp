#include "CTavFileDlg.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QRegularExpression>
#include <QShortcut>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

#include "CTavApp.h"
#include "CTavHelp.h"
#include "CTavSyncLock.h"
#include "TavShowMessage.h"
#include "TavStrings.h"

namespace {
QList<CTavFileDlg*>& openFileDialogs()
{
    static QList<CTavFileDlg*> list;
    return list;
}

const QLocale& japanese()
{
    static const QLocale locale(QLocale::Japanese, QLocale::Japan);
    return locale;
}

bool overwriteAgreed(QWidget* owner, const QString& path, const QString& title)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        return true;
    return TavShowMessage(
               owner, QStringLiteral("%1 は既に存在します。\n上書きしますか?").arg(info.fileName()), title,
               TavMsg::YesNo | TavMsg::IconExclamation | TavMsg::DefButton2) == TavMsg::IdYes;
}

// The file model formats dates in the system's locale; the program's dialogs show them in
// Japanese whatever the system says.
class JapaneseDates final : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (index.column() == kDateColumn && role == Qt::DisplayRole)
            if (const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel()))
                return japanese().toString(files->lastModified(mapToSource(index)), QLocale::ShortFormat);
        return QIdentityProxyModel::data(index, role);
    }

    static constexpr int kDateColumn = 3;
};

// The file controls, with the program's own messages: in open mode the file must exist, in
// save mode an existing file is overwritten only when the user agrees.
class FilePanel final : public QFileDialog
{
public:
    FilePanel(QWidget* parent, bool save) : QFileDialog(parent), m_save(save) {}

    void accept() override
    {
        const QStringList files = selectedFiles();
        if (!m_save && !files.isEmpty()) {
            const QFileInfo info(files.first());
            if (!info.exists()) {
                TavShowMessage(
                    this,
                    QStringLiteral("%1\nファイルが見つかりません。\nファイル名を確認してください。")
                        .arg(info.fileName()),
                    windowTitle(), TavMsg::IconExclamation);
                return;
            }
        }
        m_chosen.clear();
        if (m_save && !files.isEmpty() && !QFileInfo(files.first()).isDir()) {
            m_chosen = CTavFileDlg::WithTypeExtension(files.first(), selectedNameFilter());
            if (!overwriteAgreed(this, m_chosen, windowTitle()))
                return;
        }
        QFileDialog::accept();
    }

    // The save name with the chosen type's extension; empty in open mode.
    QString chosen() const { return m_chosen; }

private:
    bool m_save;
    QString m_chosen;
};

// Labels of Qt's dialog show "&" as it is, so they carry no mnemonics.
void setLabels(QFileDialog& files, CTavFileDlg::Mode mode)
{
    files.setLabelText(QFileDialog::LookIn, QStringLiteral("ファイルの場所:"));
    files.setLabelText(QFileDialog::FileName, QStringLiteral("ファイル名:"));
    files.setLabelText(QFileDialog::FileType, QStringLiteral("ファイルの種類:"));
    files.setLabelText(QFileDialog::Accept,
                       mode == CTavFileDlg::Save ? QStringLiteral("保存(&S)") : QStringLiteral("開く(&O)"));
    files.setLabelText(QFileDialog::Reject, TavStr::Cancel);
}

// Room for the places list and for every column of the detail view.
void widenColumns(QFileDialog& files)
{
    if (auto* splitter = files.findChild<QSplitter*>(QStringLiteral("splitter")))
        splitter->setSizes({150, 600});
    auto* view = files.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!view)
        return;
    const QFontMetrics metrics(view->font());
    const int date = metrics.horizontalAdvance(japanese().toString(
                         QDateTime(QDate(2000, 12, 28), QTime(20, 58)), QLocale::ShortFormat)) +
                     24;
    view->header()->resizeSection(0, 260);
    view->header()->resizeSection(2, metrics.horizontalAdvance(QStringLiteral("テキスト ファイル")) + 24);
    view->header()->resizeSection(JapaneseDates::kDateColumn, date);
}
} // namespace

CTavFileDlg::CTavFileDlg(Mode mode, const QString& title, const QString& filter, QWidget* parent)
    : CTavDialogBase(parent), m_mode(mode), m_files(new FilePanel(this, mode == Save)),
      m_extra(new QVBoxLayout)
{
    openFileDialogs().append(this);
    setWindowTitle(title);
    m_files->setWindowFlags(Qt::Widget);
    m_files->setObjectName(QStringLiteral("fileDialog"));
    m_files->setOption(QFileDialog::DontUseNativeDialog);
    m_files->setOption(QFileDialog::DontConfirmOverwrite);
    m_files->setLocale(japanese());
    m_files->setProxyModel(new JapaneseDates(m_files));
    m_files->setWindowTitle(title);
    m_files->setAcceptMode(mode == Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    m_files->setFileMode(mode == Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = ConvertFilter(filter);
    if (!filters.isEmpty())
        m_files->setNameFilters(filters);
    setLabels(*m_files, mode);
    widenColumns(*m_files);
    connect(m_files, &QFileDialog::finished, this, &CTavFileDlg::done);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(m_files, 1);
    m_extra->setContentsMargins(12, 0, 12, 0);
    layout->addLayout(m_extra);
    setMinimumSize(620, 400);
    resize(800, 480);
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [this] { CTavHelp::ShowHelp(m_helpPage); });
}

CTavFileDlg::~CTavFileDlg()
{
    openFileDialogs().removeAll(this);
}

QList<CTavFileDlg*> CTavFileDlg::OpenFileDialogs()
{
    return openFileDialogs();
}

CTavFileDlg::DesktopFacts CTavFileDlg::CurrentDesktop()
{
    DesktopFacts facts;
    facts.platform = QGuiApplication::platformName();
    facts.nativeDialogsOff = QCoreApplication::testAttribute(Qt::AA_DontUseNativeDialogs);
    facts.answeredByTests = HasExecHook();
    // Qt tells no one which theme it loaded; the process's own mappings do.
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (maps.open(QIODevice::ReadOnly)) {
        static const QRegularExpression plugin(QStringLiteral("/platformthemes/([^/\\s]+)$"),
                                               QRegularExpression::MultilineOption);
        for (const QRegularExpressionMatch& m : plugin.globalMatch(QString::fromLocal8Bit(maps.readAll())))
            if (!facts.themePlugins.contains(m.captured(1)))
                facts.themePlugins << m.captured(1);
    }
    return facts;
}

bool CTavFileDlg::UseDesktopDialog(const DesktopFacts& facts)
{
    if (facts.answeredByTests || facts.nativeDialogsOff)
        return false;
    static const QStringList screenless = {QStringLiteral("offscreen"), QStringLiteral("minimal"),
                                           QStringLiteral("minimalegl"), QStringLiteral("vnc")};
    if (facts.platform.isEmpty() || screenless.contains(facts.platform))
        return false;
    static const QStringList withDialogs = {QStringLiteral("gtk3"), QStringLiteral("xdgdesktopportal"),
                                            QStringLiteral("PlasmaPlatformTheme")};
    for (const QString& plugin : facts.themePlugins)
        for (const QString& kind : withDialogs)
            if (plugin.contains(kind, Qt::CaseInsensitive))
                return true;
    return false;
}

QStringList CTavFileDlg::ConvertFilter(const QString& filter)
{
    QStringList parts = filter.split(u'|');
    while (!parts.isEmpty() && parts.last().isEmpty())
        parts.removeLast();
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts.at(i).trimmed();
        const QString patterns = parts.at(i + 1).split(u';', Qt::SkipEmptyParts).join(u' ');
        if (description.endsWith(u'(' + patterns + u')'))
            filters << description;
        else
            filters << description + QStringLiteral(" (") + patterns + u')';
    }
    return filters;
}

QString CTavFileDlg::ExtensionOf(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot + 1).toLower();
}

QString CTavFileDlg::WithTypeExtension(const QString& path, const QString& nameFilter)
{
    if (QFileInfo(path).fileName().contains(u'.'))
        return path;
    static const QRegularExpression firstPattern(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
    const QRegularExpressionMatch match = firstPattern.match(nameFilter);
    return match.hasMatch() ? path + u'.' + match.captured(1) : path;
}

void CTavFileDlg::SetInitialFolder(const QString& folder)
{
    m_files->setDirectory(folder);
}

void CTavFileDlg::SetInitialFile(const QString& name)
{
    m_initialFile = name;
    m_files->selectFile(name);
}

void CTavFileDlg::SetAcceptLabel(const QString& text)
{
    m_files->setLabelText(QFileDialog::Accept, text);
}

QString CTavFileDlg::PathName() const
{
    if (!m_desktopPath.isEmpty())
        return m_desktopPath;
    if (const QString chosen = static_cast<const FilePanel*>(m_files)->chosen(); !chosen.isEmpty())
        return chosen;
    const QStringList files = m_files->selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

int CTavFileDlg::exec()
{
    CTavSyncLock lock(CTavApp::instance());
    m_desktopPath.clear();
    if (UseDesktopDialog(CurrentDesktop()))
        return execDesktop();
    return CTavDialogBase::exec();
}

int CTavFileDlg::execDesktop()
{
    QWidget* owner = parentWidget() ? parentWidget()->window() : QApplication::activeWindow();
    QFileDialog desktop(owner, windowTitle(), m_files->directory().absolutePath());
    desktop.setAcceptMode(m_files->acceptMode());
    desktop.setFileMode(m_files->fileMode());
    desktop.setNameFilters(m_files->nameFilters());
    // Should Qt's dialog come up after all, it still speaks Japanese.
    desktop.setLocale(japanese());
    setLabels(desktop, m_mode);
    static const QRegularExpression mnemonic(QStringLiteral("\\(&.\\)|&"));
    desktop.setLabelText(QFileDialog::Accept, m_files->labelText(QFileDialog::Accept).remove(mnemonic));
    if (!m_initialFile.isEmpty())
        desktop.selectFile(m_initialFile);
    for (;;) {
        if (desktop.exec() != QDialog::Accepted || desktop.selectedFiles().isEmpty())
            break;
        QString path = desktop.selectedFiles().first();
        if (m_mode == Save) {
            // The desktop asked about the name it returns, not about the completed one.
            const QString completed = WithTypeExtension(path, desktop.selectedNameFilter());
            if (completed != path && !overwriteAgreed(owner, completed, windowTitle())) {
                desktop.selectFile(completed);
                continue;
            }
            path = completed;
        }
        if (!CompleteDesktopChoice())
            break;
        m_desktopPath = path;
        setResult(Accepted);
        return Accepted;
    }
    setResult(Rejected);
    return Rejected;
}
