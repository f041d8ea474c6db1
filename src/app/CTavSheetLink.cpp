#include "CTavSheetLink.h"

#include <QDir>
#include <QFileInfo>

#include "CTavApp.h"
#include "CTavDbEnv.h"
#include "CTavDbUser.h"
#include "CTavFileDlg.h"
#include "CTavMessageBox.h"

QString CTavSheetLink::Folder(CTavApp& app)
{
    return app.Users().GetCurrUserPath() + CTavDbEnv::GetQuillosDir();
}

std::optional<QString> CTavSheetLink::Choose(CTavApp& app, const QString& current, QWidget* parent)
{
    CTavFileDlg dialog(CTavFileDlg::Open, QStringLiteral("手書きメモの指定"),
                       QStringLiteral("手書きメモ(*.pdb)|*.pdb||"), parent);
    dialog.SetInitialFolder(Folder(app));
    if (!current.isEmpty())
        dialog.SetInitialFile(current + QStringLiteral(".pdb"));
    if (dialog.exec() != QDialog::Accepted || dialog.PathName().isEmpty())
        return std::nullopt;
    const QFileInfo chosen(dialog.PathName());
    if (chosen.absoluteDir() != QDir(Folder(app))) {
        app.ShowMessage(parent,
                        QStringLiteral("手書きメモは「%1」フォルダの中から選んでください。")
                            .arg(QDir::toNativeSeparators(Folder(app))),
                        parent ? parent->windowTitle() : QString(), TavMsg::IconExclamation);
        return std::nullopt;
    }
    return chosen.completeBaseName();
}

bool CTavSheetLink::Exists(CTavApp& app, const QString& name)
{
    return name.isEmpty() || QFileInfo::exists(Folder(app) + u'/' + name + QStringLiteral(".pdb"));
}
