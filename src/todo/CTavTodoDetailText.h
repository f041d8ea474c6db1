#pragma once

#include <QString>

#include "CTavDbTime.h"

struct TodoListRow;

// The rich text of the To Do detail pane for one row: title, completion, priority, dates,
// category and note; "Private Data." for a masked private task; an empty page for no row.
// The text is plain ASCII: every other character is written as its code page 932 bytes
// (\'hh) or a Unicode escape, so any byte conversion of it reads the same.
class CTavTodoDetailText final
{
public:
    static QString Build(const TodoListRow* row, bool masked);
    // Escapes for the rich text: backslash, braces, and line breaks as paragraphs.
    static QString Escape(const QString& text);
    // A date as the detail pane and the due-date cell show it ("2026/12/07"); empty for no
    // date (maxDateTime or later).
    static QString FormatDate(TavTime time);
};
