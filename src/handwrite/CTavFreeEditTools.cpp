#include "CTavFreeEditTools.h"

#include <algorithm>

#include "CTavFreeEditUndo.h"
#include "sheet/CTavDbFreePageGeometry.h"
#include "sheet/CTavDbFreePdbObjectManager.h"
#include "sheet/CTavDbHwriteObject.h"
#include "sheet/CTavDbTextObject.h"

void CTavFreeEditTools::SetSheet(CTavDbFreePdbObjectManager* sheet)
{
    m_sheet = sheet;
    m_selection = nullptr;
    m_current = nullptr;
    m_eraseHits.clear();
    m_path.clear();
    if (m_state > Text)
        m_state = m_keptTool;
}

int CTavFreeEditTools::Tool() const
{
    switch (m_state) {
    case Stroke:
        return Pen;
    case TextBox:
        return Text;
    case Erasing:
        return Eraser;
    case Moving:
    case Resizing:
        return m_keptTool;
    default:
        return m_state;
    }
}

void CTavFreeEditTools::SetTool(int tool)
{
    m_state = tool;
    m_keptTool = tool;
}

void CTavFreeEditTools::ClearSelection()
{
    if (m_selection)
        m_selection->DeleteRecordFlag(CTavDbFreeRecord::FlagSelected | CTavDbFreeRecord::FlagMoving |
                                      CTavDbFreeRecord::FlagResizing);
    m_selection = nullptr;
}

void CTavFreeEditTools::startSelection(CTavDbFreeRecord* record, int state, const QPoint& p)
{
    m_keptTool = Tool();
    m_selection = record;
    m_last = p;
    m_remainderX = m_remainderY = 0;
    m_state = state;
}

bool CTavFreeEditTools::Press(const QPoint& p)
{
    if (!m_sheet || m_state > Text)
        return false;
    if (CTavDbFreeRecord* handle = m_sheet->IsResize(p)) {
        handle->AddRecordFlag(CTavDbFreeRecord::FlagResizing);
        startSelection(handle, Resizing, p);
        return true;
    }
    const QList<CTavDbFreeRecord*> hits = m_sheet->IsForcus(p);
    if (!hits.isEmpty()) {
        if (m_selection && m_selection != hits.first())
            ClearSelection();
        CTavDbFreeRecord* hit = hits.first();
        hit->AddRecordFlag(CTavDbFreeRecord::FlagSelected | CTavDbFreeRecord::FlagMoving);
        m_sheet->TopMostRecord(hit);
        startSelection(hit, Moving, p);
        return true;
    }
    ClearSelection();
    switch (m_state) {
    case Pen: {
        if (!m_page.contains(p))
            return false;
        auto* stroke = m_sheet->AddNew<CTavDbHwriteObject>();
        stroke->SetPen(m_penWidth, m_penColor);
        stroke->AddPoint(p);
        m_current = stroke;
        m_state = Stroke;
        return true;
    }
    case Eraser:
        m_path = QPolygon({p});
        m_eraseHits.clear();
        m_state = Erasing;
        return true;
    case Text: {
        m_boxStart = CTavDbTextObject::StartBox(p, m_page);
        m_box = QRect(m_boxStart, m_boxStart);
        m_current = m_sheet->AddNew<CTavDbTextObject>();
        m_state = TextBox;
        return true;
    }
    default:
        return false;
    }
}

void CTavFreeEditTools::Move(const QPoint& p)
{
    switch (m_state) {
    case Stroke:
        // The pen leaves no ink past the page's edge.
        static_cast<CTavDbHwriteObject*>(m_current)->AddPoint(
            QPoint(std::clamp(p.x(), m_page.left(), m_page.right()),
                   std::clamp(p.y(), m_page.top(), m_page.bottom())));
        break;
    case TextBox:
        m_box = CTavDbTextObject::DragBox(m_boxStart, p, m_page);
        break;
    case Moving: {
        const QPoint delta = p - m_last;
        m_last = p;
        const int dx = CTavDbFreePageGeometry::EvenStep(delta.x(), &m_remainderX);
        const int dy = CTavDbFreePageGeometry::EvenStep(delta.y(), &m_remainderY);
        const QRect from = m_selection->GetRect();
        const QRect to = CTavDbFreePageGeometry::PushInside(from.translated(dx, dy), m_page);
        if (to.topLeft() != from.topLeft())
            m_selection->Offset(to.left() - from.left(), to.top() - from.top());
        break;
    }
    case Resizing: {
        const QPoint d = CTavDbFreePageGeometry::ClampResize(m_selection->GetRect(), p - m_last, m_page);
        m_last = p;
        m_selection->ResizeBy(d.x(), d.y());
        break;
    }
    case Erasing:
        if (m_path.last() != p)
            m_path.append(p);
        m_eraseHits = m_sheet->EraseCheck(m_path);
        break;
    default:
        break;
    }
}

CTavDbTextObject* CTavFreeEditTools::Release(const QPoint& p)
{
    switch (m_state) {
    case Stroke: {
        auto* stroke = static_cast<CTavDbHwriteObject*>(m_current);
        if (stroke->Finish())
            m_undo.Add(stroke);
        else
            m_sheet->RemoveRecord(stroke);
        m_current = nullptr;
        m_state = Pen;
        return nullptr;
    }
    case TextBox: {
        auto* text = static_cast<CTavDbTextObject*>(m_current);
        m_box = CTavDbTextObject::DragBox(m_boxStart, p, m_page);
        text->SetBox(CTavDbTextObject::FinishBox(m_box, m_page));
        m_current = nullptr;
        m_box = QRect();
        m_state = NoTool;
        m_keptTool = NoTool;
        return text;
    }
    case Moving:
    case Resizing:
        if (m_selection)
            m_selection->DeleteRecordFlag(m_state == Moving ? CTavDbFreeRecord::FlagMoving
                                                            : CTavDbFreeRecord::FlagResizing);
        m_state = m_keptTool;
        return nullptr;
    case Erasing:
        if (m_path.size() > 1) {
            for (CTavDbFreeRecord* hit : m_sheet->EraseCheck(m_path))
                Remove(hit);
        }
        m_path.clear();
        m_eraseHits.clear();
        m_state = Eraser;
        return nullptr;
    default:
        return nullptr;
    }
}

bool CTavFreeEditTools::OverHandle(const QPoint& p) const
{
    return m_state == Resizing || (m_sheet && m_sheet->IsResize(p));
}

void CTavFreeEditTools::Remove(CTavDbFreeRecord* record)
{
    if (record == m_selection)
        m_selection = nullptr;
    m_undo.Forget(record);
    m_sheet->RemoveRecord(record);
}

bool CTavFreeEditTools::Undo(QRect* changed)
{
    const CTavFreeEditUndo::Action* action = m_undo.StepBack();
    if (!action)
        return false;
    if ((action->kind & 0x2) && m_sheet && m_sheet->Find(action->object) >= 0) {
        if (changed)
            *changed = action->object->GetRect().adjusted(-6, -6, 6, 6);
        if (action->object == m_selection)
            m_selection = nullptr;
        m_sheet->RemoveRecord(action->object);
    }
    return true;
}
