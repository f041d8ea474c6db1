#pragma once

#include <QList>
#include <QString>
#include <memory>

#include "CTavDbCategory.h"
#include "TavStatus.h"

class CTavApp;
class CTavDbFreePdbObjectManager;

// The application's side of the memo sheets: the category database "Quillo_Category.pdb" of the
// user's sheet folder (id to name), loaded with the other stores and written back with them.
class CTavFreeSheetManager final
{
public:
    CTavFreeSheetManager();
    ~CTavFreeSheetManager();

    static QString CategoryPath(const QString& userPath);
    // Lets the sheet library count the events and To Do items of app that link a sheet (by
    // its name without the extension); until RemoveReferenceCounter every sheet counts 0.
    static void InstallReferenceCounter(CTavApp& app);
    static void RemoveReferenceCounter();
    // How many events, day, week and month records, To Do items and address cards of app link
    // the sheet of that file name.
    static int ReferenceCount(CTavApp& app, const QString& fileName);
    // The categories of a category database, read without changing it; false when it is
    // missing or unreadable.
    static bool ReadCategories(const QString& path, QList<CTavDbCategory>* categories);

    // Reads the user's category database; a missing one is made with the three default
    // categories. A file that cannot be read is left as it is: its defaults live in memory and
    // it is written over only after the user edits the categories.
    TavStatus Load(const QString& userPath);
    // Writes the database back (nothing before a load, or over an unreadable file).
    TavStatus Save();
    // Whether the last save failed: the categories in memory are newer than the file's.
    bool HasUnsavedChanges() const { return m_unsaved; }
    QString Path() const { return m_path; }
    // What went wrong reading the file; empty when it read well.
    QString LoadProblem() const { return m_problem; }

    // The categories with a name, unfiled first.
    QList<CTavDbCategory> Categories() const;
    // The name of a category id; empty when no category has it.
    QString CategoryName(uint32_t id) const;

    // Category edits of the category dialog; refused past 15 categories (CategoryLimit), for a
    // name already used (Duplicate), an unknown id (NotFound) or the unfiled category. Add
    // hands back the new category's id.
    TavStatus Add(const QString& name, uint32_t* newId = nullptr);
    TavStatus Rename(uint32_t id, const QString& name);
    TavStatus Remove(uint32_t id);

private:
    TavStatus resetToDefaults();

    std::unique_ptr<CTavDbFreePdbObjectManager> m_db;
    QString m_path;
    QString m_problem;
    bool m_writable = false;
    bool m_unsaved = false;
};
