#pragma once

#include <QString>

#include "CTavDbSearchTable.h"

class CTavDbAddrRecord;
class CTavDbDateRecord;
class CTavDbMemoRecord;
class CTavDbTodoRecord;

// Which fields of each kind of record a search looks at, their numbers, names and keys, and
// what a record is called in the results. Cards number their fields as CTavDbAddrRecord::Field;
// events and tasks: 0 description, 1 note; memos and sheets: 0 their text or title.
class CTavDbSearchFields final
{
public:
    static constexpr int kDescription = 0;
    static constexpr int kNote = 1;
    static constexpr int kText = 0;

    static CTavDbSearchTable::Row EventRow(const CTavDbDateRecord& event);
    static CTavDbSearchTable::Row CardRow(const CTavDbAddrRecord& card);
    static CTavDbSearchTable::Row TaskRow(const CTavDbTodoRecord& task);
    static CTavDbSearchTable::Row MemoRow(const CTavDbMemoRecord& memo);

    // The module's name in the results ("予定", ...) and in the command line's output.
    static QString ModuleName(int module);
    static QString ModuleKey(int module);
    // A field's name as the windows label it (cards' phone slots by their label, given apart)
    // and its key in the command line's output.
    static QString FieldName(int module, int field, int phoneLabel = -1);
    static QString FieldKey(int module, int field);
    // A card's name as the list shows it: last and first name, else the company.
    static QString CardTitle(const CTavDbAddrRecord& card);
};
