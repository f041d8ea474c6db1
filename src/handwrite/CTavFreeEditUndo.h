#pragma once

#include <QList>
#include <cstdint>

class CTavDbFreeRecord;

// The editor's own undo: a list of actions with a cursor. Only finished strokes are recorded;
// undo takes the last one off the sheet again.
class CTavFreeEditUndo final
{
public:
    // The kind word of an action; bit 0x2 means "the object was added".
    static constexpr uint32_t AddedStroke = 0x10000002;

    struct Action
    {
        const CTavDbFreeRecord* object = nullptr;
        uint32_t kind = 0;
    };

    // Appends after the cursor; actions undone before are dropped.
    void Add(const CTavDbFreeRecord* object, uint32_t kind = AddedStroke);
    // Steps the cursor back; the action to take back, or null when there is none.
    const Action* StepBack();
    // The object left the sheet another way (eraser, delete, clear): its actions go, so that a
    // later object at the same address is never taken for it.
    void Forget(const CTavDbFreeRecord* object);
    void Clear();
    bool CanUndo() const { return m_cursor > 0; }

private:
    QList<Action> m_actions;
    int m_cursor = 0;
};
