#include "CTavFreeEditDlg.h"

#include <QDir>

// The editor's drawing surface and tools arrive with the editor work; until then the dialog
// opens empty and never saves.
CTavFreeEditDlg::CTavFreeEditDlg(CTavApp& app, const CTavFreeEditRequest& request, QWidget* parent)
    : CTavDialogBase(parent), app_(app), request_(request)
{
    setWindowTitle(QStringLiteral("手書きメモ編集"));
}

CTavFreeEditDlg::~CTavFreeEditDlg() = default;

bool CTavFreeEditDlg::Saved() const
{
    return saved_;
}

QString CTavFreeEditDlg::Path() const
{
    return QDir(request_.folder).filePath(request_.fileName);
}

bool CTavFreeEditDlg::Edit(CTavApp& app, const CTavFreeEditRequest& request, QWidget* parent)
{
    CTavFreeEditDlg dlg(app, request, parent);
    dlg.exec();
    return dlg.Saved();
}
