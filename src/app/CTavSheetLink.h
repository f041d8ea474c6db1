#pragma once

#include <QDate>
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
    // The name of the sheet the user picks from the sheets of the folder; nothing when the
    // chooser was cancelled. Sheets scheduled on day are listed first.
    static std::optional<QString> Choose(CTavApp& app, const QString& current, QWidget* parent,
                                         const QDate& day = QDate());
    // Whether the linked sheet's file is there (true for no link).
    static bool Exists(CTavApp& app, const QString& name);
};
