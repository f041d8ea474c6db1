#pragma once

#include <QString>

#include "CTavDbTime.h"

struct TodoListRow;

// The rich text of the To Do detail pane for one row: title, completion, priority, dates,
// category and note; "Private Data." for a masked private task; an empty page for no row.
class CTavTodoDetailText final
{
public:
    static QString Build(const TodoListRow* row, bool masked);
    // Escapes for the rich text: backslash, braces, and line breaks as paragraphs.
    static QString Escape(const QString& text);
    // A date as the detail pane and the due-date cell show it.
    static QString FormatDate(TavTime time);
};
