#include "CTavFreeEditUndo.h"

void CTavFreeEditUndo::Add(const CTavDbFreeRecord* object, uint32_t kind)
{
    m_actions.resize(m_cursor);
    m_actions.append({object, kind});
    m_cursor = int(m_actions.size());
}

const CTavFreeEditUndo::Action* CTavFreeEditUndo::StepBack()
{
    if (m_cursor == 0)
        return nullptr;
    --m_cursor;
    return &m_actions[m_cursor];
}

void CTavFreeEditUndo::Forget(const CTavDbFreeRecord* object)
{
    for (int i = int(m_actions.size()) - 1; i >= 0; --i) {
        if (m_actions[i].object != object)
            continue;
        m_actions.removeAt(i);
        if (i < m_cursor)
            --m_cursor;
    }
}

void CTavFreeEditUndo::Clear()
{
    m_actions.clear();
    m_cursor = 0;
}
