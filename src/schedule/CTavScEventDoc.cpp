#include "CTavScEventDoc.h"

#include "CTavApp.h"
#include "CTavDbClock.h"
#include "CTavDbDate.h"
#include "CTavScDatePickDlg.h"
#include "CTavScEditDlg.h"
#include "ScheduleState.h"

CTavScEventDoc::CTavScEventDoc(CTavApp& app, const QString& title, QObject* parent)
    : CTavModuleDoc(app, title, parent), m_state(ScheduleState::Of(app))
{
    ShareUndoStack(m_state.UndoStack());
    connect(&m_state, &ScheduleState::changed, this, [this] { StateChanged(); });
}

void CTavScEventDoc::StateChanged()
{
    UpdateAllViews(0);
}

void CTavScEventDoc::Reload()
{
    m_state.selectedEvent = nullptr;
    m_state.GoToDate(m_state.CurrentDay());
}

bool CTavScEventDoc::RunEditor(QWidget* owner, CTavDbDateRecord& record, bool existing, uint32_t* splitOffId)
{
    CTavScEditDlg dialog(m_state, owner);
    dialog.setWindowTitle(existing ? QStringLiteral("予定の編集") : QStringLiteral("新規予定"));
    dialog.SetRecord(&record, existing);
    const bool accepted = m_state.RunModal(dialog) == QDialog::Accepted;
    if (splitOffId)
        *splitOffId = dialog.SplitOffId();
    return accepted;
}

void CTavScEventDoc::NewEvent(QWidget* owner)
{
    if (!m_state.CheckLimit(owner, QStringLiteral("新規予定")))
        return;
    auto record = m_state.MakeNewEvent();
    if (!RunEditor(owner, *record, false))
        return;
    m_state.Step(QStringLiteral("予定の追加"),
                 [&] { return m_state.AddEvent(owner, *record) == TavStatusCode::Ok; });
    emit m_state.changed();
}

void CTavScEventDoc::EditEvent(QWidget* owner)
{
    CTavDbDateRecord* selected = m_state.selectedEvent;
    if (!selected || !m_state.MayChange(owner, *selected))
        return;
    CTavDbDateRecord copy = *selected;
    // The editor itself may add the event that splits a repeating one off: one step with it.
    const bool accepted =
        m_state.Step(QStringLiteral("予定の編集"),
                     [&] {
                         uint32_t splitOff = 0;
                         if (!RunEditor(owner, copy, true, &splitOff))
                             return false;
                         if (m_state.UpdateEvent(copy) == TavStatusCode::Ok)
                             return true;
                         if (splitOff)
                             m_state.Store().DeleteRecord(splitOff, false); // no half of a split stays
                         return false;
                     },
                     {selected->GetUniqueId()});
    if (!accepted)
        return;
    if (copy.GetIsPrivate() && App().privateMode() == 2)
        m_state.selectedEvent = nullptr;
    emit m_state.changed();
}

void CTavScEventDoc::DeleteEvent(QWidget* owner)
{
    m_state.DeleteSelected(owner);
}

void CTavScEventDoc::DiscardOldEvents(QWidget* owner)
{
    m_state.DiscardOldEvents(owner);
}

void CTavScEventDoc::GoToDate(const QDate& date)
{
    m_state.GoToDate(date);
}

void CTavScEventDoc::GoToday()
{
    GoToDate(CTavDbClock::Today());
}

void CTavScEventDoc::PickDate(QWidget* owner)
{
    CTavScDatePickDlg dialog(m_state.CurrentDay(), m_state.startDayOfWeek, &m_state.Store(), owner);
    if (m_state.RunModal(dialog) == QDialog::Accepted)
        GoToDate(dialog.Date());
}
