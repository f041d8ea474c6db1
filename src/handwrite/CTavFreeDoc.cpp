#include "CTavFreeDoc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QUndoStack>
#include <QUuid>

#include "CTavApp.h"
#include "CTavDbEnv.h"
#include "CTavDbUser.h"
#include "CTavFreeCategoryCommand.h"
#include "CTavFreeDeleteCommand.h"
#include "CTavFreeFileMove.h"
#include "CTavFreeSheetManager.h"
#include "CTavFreeSheetMigration.h"
#include "CTavFreeSheetScan.h"
#include "CTavFreeSheetSort.h"
#include "CTavTransferLimit.h"
#include "sheet/CTavDbFreePdbObjectManager.h"

using Manager = CTavDbFreePdbObjectManager;

CTavFreeDoc::CTavFreeDoc(CTavApp& app, QObject* parent)
    : CTavModuleDoc(app, QStringLiteral("手書きメモ"), parent)
{
    connect(&app, &CTavApp::quillosCutoffChanged, this, &CTavFreeDoc::ApplyCutoff);
}

QString CTavFreeDoc::CurrentFolder() const
{
    return m_backupFolder.isEmpty() ? UserFolder() : m_backupFolder;
}

QString CTavFreeDoc::UserFolder() const
{
    return App().Users().GetCurrUserPath() + CTavDbEnv::GetQuillosDir();
}

QString CTavFreeDoc::ContentsFolder() const
{
    return App().Users().GetCurrUserPath() + CTavDbEnv::GetMmContentsDir();
}

QString CTavFreeDoc::PastFolder() const
{
    return App().Users().GetCurrUserPath() + CTavDbEnv::GetPastDataDir() + u'/' + CTavDbEnv::GetQuillosDir();
}

QString CTavFreeDoc::asideRoot() const
{
    // Beside the sheet folders, so that a delete is a rename; never scanned.
    return App().Users().GetCurrUserPath() + QStringLiteral(".QuillosDeleted");
}

void CTavFreeDoc::DropKeptFiles()
{
    if (!App().Users().GetCurrUserPath().isEmpty() && UndoStack().count() == 0)
        QDir(asideRoot()).removeRecursively();
}

void CTavFreeDoc::rescan()
{
    m_entries.clear();
    if (App().Users().GetCurrUserPath().isEmpty())
        return;
    const int filter = m_filter;
    const auto passes = [filter](int id) { return filter == kAllCategories || id == filter; };
    QStringList problems;
    CTavFreeSheetScan::Folder(CurrentFolder(), false, passes, &m_entries, &problems);
    if (m_backupFolder.isEmpty())
        CTavFreeSheetScan::Folder(PastFolder(), true, passes, &m_entries, &problems);
    for (size_t i = 0; i < m_entries.size(); ++i)
        m_entries[i].scanIndex = int(i);
    for (const QString& problem : problems)
        if (!m_reported.contains(problem)) {
            m_reported.insert(problem);
            m_problems << problem;
        }
    CTavFreeSheetSort::Sort(m_entries, m_sortKey);
}

void CTavFreeDoc::Reload()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    rescan();
    QGuiApplication::restoreOverrideCursor();
    emit entriesRebuilt();
}

QString CTavFreeDoc::TakeProblems()
{
    if (const QString categories = App().SheetManager().LoadProblem();
        !categories.isEmpty() && !m_reported.contains(categories)) {
        m_reported.insert(categories);
        m_problems.prepend(categories);
    }
    if (m_problems.isEmpty())
        return QString();
    const QString text = QStringLiteral("壊れている手書きメモがあります。読み込めた部分だけを表示します。"
                                        "保存するまでファイルは変更されません。\n\n") +
                         m_problems.join(QStringLiteral("\n"));
    m_problems.clear();
    return text;
}

const CTavFreeSheetEntry* CTavFreeDoc::Entry(int index) const
{
    return index >= 0 && index < Count() ? &m_entries[size_t(index)] : nullptr;
}

int CTavFreeDoc::IndexOfPath(const QString& path) const
{
    const QByteArray key = path.toUtf8();
    for (int i = 0; i < Count(); ++i)
        if (m_entries[size_t(i)].path.toUtf8() == key)
            return i;
    return -1;
}

QString CTavFreeDoc::CategoryName(int id) const
{
    const QString name = App().SheetManager().CategoryName(uint32_t(id));
    return name.isEmpty() ? QStringLiteral("Unknown Category") : name;
}

void CTavFreeDoc::Sort(int key)
{
    m_sortKey = std::clamp(key, 0, CTavFreeSheetSort::kKeyCount - 1);
    CTavFreeSheetSort::Sort(m_entries, m_sortKey);
    emit entriesRebuilt();
}

void CTavFreeDoc::SetFilter(int categoryId)
{
    m_filter = categoryId;
    m_sortKey = 0;
    Reload();
}

QStringList CTavFreeDoc::DeleteFiles(const QStringList& paths)
{
    QStringList present;
    for (const QString& path : paths)
        if (QFileInfo::exists(path))
            present << path;
    QStringList failed;
    if (!present.isEmpty()) {
        auto* command = new CTavFreeDeleteCommand(
            present, asideRoot() + u'/' + QUuid::createUuid().toString(QUuid::WithoutBraces),
            [this] { Reload(); });
        UndoStack().push(command);
        failed = command->Failed();
    }
    Reload();
    return failed;
}

QStringList CTavFreeDoc::MoveToCategory(const QStringList& paths, int categoryId)
{
    if (paths.isEmpty())
        return {};
    auto* command = new CTavFreeCategoryCommand(paths, categoryId, QStringLiteral("カテゴリの変更"),
                                                [this] { Reload(); });
    UndoStack().push(command);
    const QStringList failed = command->Failed();
    Reload();
    return failed;
}

int CTavFreeDoc::archive(const std::vector<CTavFreeSheetEntry>& sheets, qint64 cutoff)
{
    int moved = 0;
    QDir().mkpath(PastFolder());
    for (const CTavFreeSheetEntry& entry : sheets) {
        if (entry.inPastFolder || entry.eventTime >= cutoff)
            continue;
        Manager sheet;
        if (sheet.LoadFromFile(entry.path) != TavStatusCode::Ok || sheet.CreateObjects() <= 0 ||
            sheet.GetRefNum() != 0)
            continue;
        const QString target = QDir(PastFolder()).filePath(QFileInfo(entry.path).fileName());
        if (CTavFreeFileMove::MoveOverOlder(entry.path, target))
            ++moved;
    }
    return moved;
}

int CTavFreeDoc::restore(const std::vector<CTavFreeSheetEntry>& sheets, qint64 cutoff)
{
    int moved = 0;
    for (const CTavFreeSheetEntry& entry : sheets) {
        if (!entry.inPastFolder || entry.eventTime < cutoff)
            continue;
        QDir().mkpath(UserFolder());
        const QString target = QDir(UserFolder()).filePath(QFileInfo(entry.path).fileName());
        if (CTavFreeFileMove::MoveOverOlder(entry.path, target))
            ++moved;
    }
    return moved;
}

int CTavFreeDoc::Archive(qint64 cutoff)
{
    if (!m_backupFolder.isEmpty())
        return 0;
    const int moved = archive(allSheets(), cutoff);
    if (moved > 0)
        UndoStack().clear(); // its steps name the files where they were
    Reload();
    return moved;
}

int CTavFreeDoc::Restore(qint64 cutoff)
{
    if (!m_backupFolder.isEmpty())
        return 0;
    const int moved = restore(allSheets(), cutoff);
    if (moved > 0)
        UndoStack().clear();
    Reload();
    return moved;
}

void CTavFreeDoc::ApplyCutoff(qint64 cutoff)
{
    if (App().Users().GetCurrUserPath().isEmpty() || App().backupFileOpen() || !m_backupFolder.isEmpty())
        return;
    moveByCutoff(cutoff);
}

void CTavFreeDoc::moveByCutoff(qint64 cutoff)
{
    const std::vector<CTavFreeSheetEntry> sheets = allSheets();
    // Both passes work on the same scan: a sheet archived now is not brought back by it.
    if (archive(sheets, cutoff) + restore(sheets, cutoff) > 0) {
        UndoStack().clear();
        Reload();
    }
}

std::vector<CTavFreeSheetEntry> CTavFreeDoc::allSheets() const
{
    std::vector<CTavFreeSheetEntry> sheets;
    CTavFreeSheetScan::Folder(CurrentFolder(), false, {}, &sheets, nullptr, false);
    if (m_backupFolder.isEmpty())
        CTavFreeSheetScan::Folder(PastFolder(), true, {}, &sheets, nullptr, false);
    return sheets;
}

int CTavFreeDoc::ExportTo(const QString& folder, const QStringList& paths)
{
    int copied = 0;
    for (const QString& path : paths)
        copied += CTavFreeFileMove::Copy(path, QDir(folder).filePath(QFileInfo(path).fileName()));
    return copied;
}

int CTavFreeDoc::ImportFrom(const QString& folder)
{
    std::vector<CTavFreeSheetEntry> found;
    CTavFreeSheetScan::Folder(folder, false, {}, &found, nullptr);
    QDir().mkpath(CurrentFolder());
    int copied = 0;
    for (const CTavFreeSheetEntry& entry : found) {
        QString target = QDir(CurrentFolder()).filePath(QFileInfo(entry.path).fileName());
        if (QFileInfo(target) == QFileInfo(entry.path))
            continue;
        if (QFileInfo::exists(target)) {
            // The new file name becomes the sheet's handheld name too, where two sheets must not
            // share one; a damaged sheet is copied as it is rather than saved without its losses.
            target = QDir(CurrentFolder()).filePath(Manager::CreateFileName(CurrentFolder()));
            Manager sheet;
            if (sheet.LoadFromFile(entry.path) == TavStatusCode::Ok && sheet.CreateObjects() > 0 &&
                !sheet.LostData()) {
                copied += sheet.SaveAsFile(target, false) == TavStatusCode::Ok;
                continue;
            }
        }
        copied += CTavFreeFileMove::Copy(entry.path, target);
    }
    Reload();
    return copied;
}

QStringList CTavFreeDoc::MoveCategoryToUnfiled(int categoryId)
{
    QStringList failed;
    for (const CTavFreeSheetEntry& entry : allSheets())
        if (entry.categoryId == categoryId && !CTavFreeCategoryCommand::SetCategory(entry.path, 0))
            failed << entry.path;
    UndoStack().clear();
    Reload();
    return failed;
}

QStringList CTavFreeDoc::DeleteCategoryData(int categoryId)
{
    QStringList failed;
    for (const CTavFreeSheetEntry& entry : allSheets())
        if (entry.categoryId == categoryId && !QFile::remove(entry.path))
            failed << entry.path;
    UndoStack().clear();
    Reload();
    return failed;
}

bool CTavFreeDoc::OpenBackupFolder(const QString& folder)
{
    std::vector<CTavFreeSheetEntry> found;
    CTavFreeSheetScan::Folder(folder, false, {}, &found, nullptr, false);
    if (found.empty())
        return false;
    m_backupFolder = QFileInfo(folder).absoluteFilePath();
    App().ClearUndoHistory(); // its steps name the user's files
    Reload();
    return true;
}

void CTavFreeDoc::CloseBackupFolder()
{
    if (m_backupFolder.isEmpty())
        return;
    m_backupFolder.clear();
    App().ClearUndoHistory();
    Reload();
}

int CTavFreeDoc::RestoreBackupFolder(QStringList* failed)
{
    if (m_backupFolder.isEmpty())
        return 0;
    CTavFreeSheetMigration::Source source;
    source.folders = {m_backupFolder};
    source.categoryFile = QDir(m_backupFolder).filePath(Manager::CategoryFileName());
    source.keepIdsWithoutCategories = true;
    const CTavFreeSheetMigration::Outcome outcome =
        CTavFreeSheetMigration::Run(source, App().SheetManager(), UserFolder(), ContentsFolder());
    *failed << outcome.failed;
    if (App().SheetManager().Save() != TavStatusCode::Ok)
        *failed << QStringLiteral("%1: 書き込めませんでした。")
                       .arg(QDir::toNativeSeparators(App().SheetManager().Path()));
    if (failed->isEmpty()) {
        m_backupFolder.clear();
        App().ClearUndoHistory();
        moveByCutoff(CTavTransferLimit::FromProfile().QuillosCutoff());
    }
    Reload();
    return outcome.copied;
}

QStringList CTavFreeDoc::SheetsReplacedByRestore() const
{
    QStringList replaced;
    if (m_backupFolder.isEmpty())
        return replaced;
    const QDir backup(m_backupFolder);
    for (const QString& name : backup.entryList({QStringLiteral("*.pdb")}, QDir::Files, QDir::Name)) {
        const QString mine = QDir(UserFolder()).filePath(name);
        if (QFile::exists(mine) && !CTavFreeFileMove::SameBytes(backup.filePath(name), mine))
            replaced << name;
    }
    return replaced;
}

QString CTavFreeDoc::MigrateFrom(const QString& sourceUserPath)
{
    const QString root = QDir(sourceUserPath).absolutePath() + u'/';
    CTavFreeSheetMigration::Source source;
    source.folders = {root + CTavDbEnv::GetQuillosDir(),
                      root + CTavDbEnv::GetPastDataDir() + u'/' + CTavDbEnv::GetQuillosDir()};
    source.categoryFile = CTavFreeSheetManager::CategoryPath(root);
    source.contentsFolder = root + CTavDbEnv::GetMmContentsDir();
    const CTavFreeSheetMigration::Outcome outcome =
        CTavFreeSheetMigration::Run(source, App().SheetManager(), UserFolder(), ContentsFolder());
    QStringList failed = outcome.failed;
    if (App().SheetManager().Save() != TavStatusCode::Ok)
        failed << QStringLiteral("%1: 書き込めませんでした。")
                      .arg(QDir::toNativeSeparators(App().SheetManager().Path()));
    // Old sheets go to the past folder, newer ones of the source's past folder stay current.
    if (m_backupFolder.isEmpty())
        ApplyCutoff(CTavTransferLimit::FromProfile().QuillosCutoff());
    Reload();
    return failed.join(u'\n');
}
