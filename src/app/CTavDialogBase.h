#pragma once

#include <QDialog>
#include <functional>

// Base of every dialog of the program. While it exists it is listed in the application's
// open dialogs, so message boxes and the HotSync lock find the right owner.
class CTavDialogBase : public QDialog
{
    Q_OBJECT
public:
    // Answers a dialog instead of a modal loop (tests): gets the live dialog, returns its result.
    using ExecHook = std::function<int(CTavDialogBase&)>;

    explicit CTavDialogBase(QWidget* parent = nullptr);
    ~CTavDialogBase() override;

    int exec() override;
    static void SetExecHook(ExecHook hook);
    static bool HasExecHook();
};
