#include "CTavFileDlg.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QVBoxLayout>

#include "CTavApp.h"
#include "CTavSyncLock.h"
#include "TavShowMessage.h"

namespace {
QList<CTavFileDlg*>& openFileDialogs()
{
    static QList<CTavFileDlg*> list;
    return list;
}

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
            const QFileInfo info(m_chosen);
            if (info.exists() && !info.isDir()) {
                const int answer = TavShowMessage(
                    this, QStringLiteral("%1 は既に存在します。\n上書きしますか?").arg(info.fileName()),
                    windowTitle(), TavMsg::YesNo | TavMsg::IconExclamation | TavMsg::DefButton2);
                if (answer != TavMsg::IdYes)
                    return;
            }
        }
        QFileDialog::accept();
    }

    // The save name with the chosen type's extension; empty in open mode.
    QString chosen() const { return m_chosen; }

private:
    bool m_save;
    QString m_chosen;
};
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
    m_files->setWindowTitle(title);
    m_files->setAcceptMode(mode == Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    m_files->setFileMode(mode == Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = ConvertFilter(filter);
    if (!filters.isEmpty())
        m_files->setNameFilters(filters);
    m_files->setLabelText(QFileDialog::LookIn, QStringLiteral("ファイルの場所(&I):"));
    m_files->setLabelText(QFileDialog::FileName, QStringLiteral("ファイル名(&N):"));
    m_files->setLabelText(QFileDialog::FileType, QStringLiteral("ファイルの種類(&T):"));
    m_files->setLabelText(QFileDialog::Accept,
                          mode == Save ? QStringLiteral("保存(&S)") : QStringLiteral("開く(&O)"));
    m_files->setLabelText(QFileDialog::Reject, QStringLiteral("キャンセル"));
    connect(m_files, &QFileDialog::finished, this, &CTavFileDlg::done);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(m_files, 1);
    m_extra->setContentsMargins(12, 0, 12, 0);
    layout->addLayout(m_extra);
    resize(640, 420);
}

CTavFileDlg::~CTavFileDlg()
{
    openFileDialogs().removeAll(this);
}

QList<CTavFileDlg*> CTavFileDlg::OpenFileDialogs()
{
    return openFileDialogs();
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
    m_files->selectFile(name);
}

void CTavFileDlg::SetAcceptLabel(const QString& text)
{
    m_files->setLabelText(QFileDialog::Accept, text);
}

QString CTavFileDlg::PathName() const
{
    if (const QString chosen = static_cast<const FilePanel*>(m_files)->chosen(); !chosen.isEmpty())
        return chosen;
    const QStringList files = m_files->selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

int CTavFileDlg::exec()
{
    CTavSyncLock lock(CTavApp::instance());
    return CTavDialogBase::exec();
}
