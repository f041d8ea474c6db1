#include "CTavModuleTemplates.h"

#include "CTavAddrDoc.h"
#include "CTavAddrFrame.h"
#include "CTavApp.h"
#include "CTavFreeDoc.h"
#include "CTavFreeFrame.h"
#include "CTavMemoDoc.h"
#include "CTavMemoFrame.h"
#include "CTavReferDoc.h"
#include "CTavReferFrame.h"
#include "CTavScDayDoc.h"
#include "CTavScDayFrame.h"
#include "CTavScMonthDoc.h"
#include "CTavScMonthFrame.h"
#include "CTavScWeekDoc.h"
#include "CTavScWeekFrame.h"
#include "CTavScYearDoc.h"
#include "CTavScYearFrame.h"
#include "CTavTodoDoc.h"
#include "CTavTodoFrame.h"

namespace {
template <typename Doc, typename Frame> CTavDocTemplate make(CTavApp& app, int resourceId, int slot)
{
    return CTavDocTemplate{resourceId, slot, [&app](QObject* parent) { return new Doc(app, parent); },
                           [](CTavModuleDoc* doc) { return new Frame(static_cast<Doc*>(doc)); }};
}
} // namespace

void CTavModuleTemplates::RegisterAll(CTavApp& app)
{
    app.AddDocTemplate(make<CTavScDayDoc, CTavScDayFrame>(app, 141, TavSlot::Day));
    app.AddDocTemplate(make<CTavScWeekDoc, CTavScWeekFrame>(app, 142, TavSlot::Week));
    app.AddDocTemplate(make<CTavScMonthDoc, CTavScMonthFrame>(app, 143, TavSlot::Month));
    app.AddDocTemplate(make<CTavAddrDoc, CTavAddrFrame>(app, 138, TavSlot::Address));
    app.AddDocTemplate(make<CTavTodoDoc, CTavTodoFrame>(app, 139, TavSlot::Todo));
    app.AddDocTemplate(make<CTavFreeDoc, CTavFreeFrame>(app, 140, TavSlot::FreeMemo));
    app.AddDocTemplate(make<CTavMemoDoc, CTavMemoFrame>(app, 145, TavSlot::MemoPad));
    app.AddDocTemplate(make<CTavReferDoc, CTavReferFrame>(app, 146, TavSlot::Reference));
    app.AddDocTemplate(make<CTavScYearDoc, CTavScYearFrame>(app, 144, TavSlot::Year));
}
