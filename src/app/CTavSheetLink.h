#pragma once

#include <QString>
#include <optional>

class CTavApp;
class QWidget;

// Linking a record to a memo sheet of the current user. Records name their sheet without a
// folder, so only sheets of the user's sheet folder can be linked.
class CTavSheetLink final
{
public:
    static QString Folder(CTavApp& app);
    // The name of the sheet the user picks; nothing when the dialog was cancelled or a sheet
    // of another folder was picked (the user is told why).
    static std::optional<QString> Choose(CTavApp& app, const QString& current, QWidget* parent);
    // Whether the linked sheet's file is there (true for no link).
    static bool Exists(CTavApp& app, const QString& name);
};
