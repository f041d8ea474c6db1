#include "CTavSheetLink.h"

#include <QFileInfo>

#include "CTavApp.h"
#include "CTavDbEnv.h"
#include "CTavDbUser.h"
#include "CTavSheetChooserDlg.h"

QString CTavSheetLink::Folder(CTavApp& app)
{
    return app.Users().GetCurrUserPath() + CTavDbEnv::GetQuillosDir();
}

std::optional<QString> CTavSheetLink::Choose(CTavApp& app, const QString& current, QWidget* parent,
                                             const QDate& day)
{
    CTavSheetChooserDlg dialog(app, Folder(app), current, day, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.SheetName().isEmpty())
        return std::nullopt;
    return dialog.SheetName();
}

bool CTavSheetLink::Exists(CTavApp& app, const QString& name)
{
    return name.isEmpty() || QFileInfo::exists(Folder(app) + u'/' + name + QStringLiteral(".pdb"));
}
