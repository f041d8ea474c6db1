#include "CTavDialogBase.h"

#include "CTavApp.h"

namespace {
CTavDialogBase::ExecHook& execHook()
{
    static CTavDialogBase::ExecHook hook;
    return hook;
}
} // namespace

CTavDialogBase::CTavDialogBase(QWidget* parent) : QDialog(parent)
{
    if (CTavApp* app = CTavApp::instance())
        app->RegisterDialog(this);
}

CTavDialogBase::~CTavDialogBase()
{
    if (CTavApp* app = CTavApp::instance())
        app->UnregisterDialog(this);
}

int CTavDialogBase::exec()
{
    if (execHook()) {
        // The hook may itself open dialogs that use the hook; keep this one safe from re-entry.
        const ExecHook hook = execHook();
        const int result = hook(*this);
        hide(); // as after a modal loop
        return result;
    }
    return QDialog::exec();
}

void CTavDialogBase::SetExecHook(ExecHook hook)
{
    execHook() = std::move(hook);
}

bool CTavDialogBase::HasExecHook()
{
    return static_cast<bool>(execHook());
}
