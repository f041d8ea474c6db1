#include "CTavScPeriodSheet.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>

#include "CTavApp.h"
#include "CTavDbClock.h"
#include "CTavDbEnv.h"
#include "CTavDbUser.h"
#include "CTavFreeEditDlg.h"
#include "CTavSheetLink.h"
#include "CTavSyncLock.h"
#include "ScheduleState.h"
#include "TavCommandIds.h"
#include "sheet/CTavDbFreePdbObjectManager.h"

namespace {
// Opens the editor with the schedule's dialog state held, as every schedule dialog does.
bool runEditor(ScheduleState& state, QWidget* owner, const CTavFreeEditRequest& request)
{
    CTavSyncLock lock(state.App());
    const bool idle = state.idleRefresh;
    state.idleRefresh = false;
    const bool saved = CTavFreeEditDlg::Edit(state.App(), request, owner);
    state.idleRefresh = idle;
    return saved;
}
} // namespace

QString CTavScPeriodSheet::OverlayFolder(CTavApp& app)
{
    return app.Users().GetCurrUserPath() + CTavDbEnv::GetDokoDir();
}

QString CTavScPeriodSheet::OverlayPath(CTavApp& app, const QString& name)
{
    return OverlayFolder(app) + u'/' + name + QStringLiteral(".pdb");
}

QString CTavScPeriodSheet::NewOverlayName(const QString& folder, const QDateTime& now)
{
    const QString stamp = now.toString(QStringLiteral("yyyyMMddHHmmss"));
    for (int digit = 0; digit < 10; ++digit) {
        const QString name = stamp + QString::number(digit) + QStringLiteral("OverPC");
        if (!QFileInfo::exists(QDir(folder).filePath(name + QStringLiteral(".pdb"))))
            return name;
    }
    // Ten overlays in one second: the last digit is taken again and the editor refuses to
    // write over the file.
    return stamp + QStringLiteral("9OverPC");
}

bool CTavScPeriodSheet::EditOverlay(ScheduleState& state, QWidget* owner, const QString& linked,
                                    const Link& link)
{
    CTavApp& app = state.App();
    if (!linked.isEmpty() && !QFileInfo::exists(OverlayPath(app, linked))) {
        CTavSyncLock lock(app);
        if (app.ShowMessage(owner, kMissingLink, kMissingCaption, TavMsg::OkCancel | TavMsg::IconQuestion) !=
            TavMsg::IdOk)
            return false;
        return link(QString());
    }
    CTavFreeEditRequest request;
    request.folder = OverlayFolder(app);
    request.type = CTavDbFreePdbObjectManager::TypeOverlay;
    request.large = true;
    request.page = kPage;
    request.canvas = kCanvas;
    if (!linked.isEmpty()) {
        request.fileName = linked + QStringLiteral(".pdb");
        return runEditor(state, owner, request);
    }
    QDir().mkpath(request.folder);
    const QString name = NewOverlayName(request.folder, CTavDbClock::Now());
    request.fileName = name + QStringLiteral(".pdb");
    request.newSheet = true;
    const bool saved = runEditor(state, owner, request);
    // The sheet is linked only once it exists: a cancelled editor leaves no link to nothing.
    if (!saved && !QFileInfo::exists(OverlayPath(app, name)))
        return false;
    return link(name);
}

std::shared_ptr<CTavDbFreePdbObjectManager> CTavScPeriodSheet::LoadOverlay(CTavApp& app, const QString& name)
{
    if (name.isEmpty())
        return nullptr;
    auto sheet = std::make_shared<CTavDbFreePdbObjectManager>();
    if (sheet->LoadFromFile(OverlayPath(app, name)) != TavStatusCode::Ok)
        return nullptr;
    sheet->CreateObjects();
    return sheet;
}

void CTavScPeriodSheet::DrawOverlay(QPainter& painter, const CTavDbFreePdbObjectManager& sheet,
                                    const QRect& target)
{
    const QRect page = CTavDbFreePdbObjectManager::PageRect;
    painter.save();
    painter.setClipRect(target);
    painter.translate(target.topLeft());
    // The page's width is the screen's; what lies below the screen is clipped off.
    const double scale = target.width() / double(page.width());
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing);
    // Only the objects: the overlay lies over the preview, its background would hide it.
    for (int i = 0; i < sheet.GetRecordCount(); ++i)
        if (const CTavDbFreeRecord* record = sheet.GetRecord(i); record->IsPageObject())
            record->Draw(painter, CTavDbFreeDrawContext{sheet.GetResources()});
    painter.restore();
}

void CTavScPeriodSheet::OpenEventSheet(ScheduleState& state, QWidget* owner, const QString& name)
{
    CTavApp& app = state.App();
    if (name.isEmpty())
        return;
    if (!QFileInfo::exists(CTavSheetLink::Folder(app) + u'/' + name + QStringLiteral(".pdb"))) {
        app.ShowMessage(owner, kMissingEventSheet, kMissingCaption, TavMsg::Ok | TavMsg::IconInformation);
        return;
    }
    CTavFreeEditRequest request;
    request.folder = CTavSheetLink::Folder(app);
    request.fileName = name + QStringLiteral(".pdb");
    if (runEditor(state, owner, request))
        emit state.changed();
}
