// Loads arbitrary bytes as a store file, as the program does with a user's files and its own
// backup files, then lists what loaded the ways the windows do. Whatever loads must save to a
// backup file that loads again with the same records.
#include <QByteArrayView>
#include <QDate>
#include <string>
#include <QString>
#include <cstdlib>
#include <memory>
#include <sqlite3.h>

#include "CTavDbAddr.h"
#include "CTavDbAddrRecord.h"
#include "CTavDbDate.h"
#include "CTavDbDateRecord.h"
#include "CTavDbMemo.h"
#include "CTavDbTodo.h"
#include "FuzzScratchFile.h"

namespace {
// Enough records to reach every branch of the listings without making one input slow.
constexpr int kListed = 8;

void listDate(CTavDbDate& store)
{
    for (int i = 0; i < store.GetCount() && i < kListed; ++i) {
        const QDate day = store.GetDateRecord(i)->GetStartDate();
        if (!day.isValid())
            continue;
        QList<CTavDbDateRecord*> events;
        const QString key = day.toString(QStringLiteral("yyyyMMdd"));
        store.GetDayRecords(key, events);
        store.GetNextDayRecords(events);
        store.IsRepeatTarget(*store.GetDateRecord(i), key);
        store.IsPastRecord(*store.GetDateRecord(i));
    }
}

void listAddr(CTavDbAddr& store)
{
    store.SetSearchTabIndex(0);
    for (const CTavDbSortCond& order :
         {CTavDbSortCond(CTavDbAddr::kSortCompany, 1), CTavDbSortCond(CTavDbAddr::kSortName, 2)}) {
        store.SetSortCond(order);
        for (int i = 0; i < store.GetCount() && i < kListed; ++i)
            store.TabOf(*store.GetAddrRecord(i));
    }
    store.Search(QStringLiteral("a"));
}

void listTodo(CTavDbTodo& store)
{
    store.SetShowCompleted(true);
    store.SetFoldingApplied(true);
    for (int i = 0; i < store.GetCount() && i < kListed; ++i) {
        const uint32_t id = store.GetTodoRecord(i)->GetUniqueId();
        store.IsHoldChildren(id);
        store.IsDispChildren(id);
    }
    store.SetFoldingApplied(false);
    store.SetShowCompleted(false);
    store.GetCount();
}

void listMemo(CTavDbMemo& store)
{
    store.SetSortCond(CTavDbSortCond(CTavDbMemo::kSortSyllabary));
    store.GetCount();
    store.SetSortCond(CTavDbSortCond(CTavDbMemo::kSortHandheld));
    store.GetCount();
}

// The stores live for the whole run, since building one costs more than reading most inputs;
// each is emptied after every input, and the listings set the view state they use.
template <typename Store, typename List> void loadAs(const FuzzScratchFile& file, List list)
{
    static Store store;
    struct Emptied
    {
        Store& store;
        ~Emptied() { store.Clear(); }
    } emptied{store};
    if (store.LoadFromFile(file.path()) != TavStatusCode::Ok)
        return;
    const int records = store.GetRecordCount();
    const int categories = store.GetCategoryCount();
    store.SetPrivateMode(2);
    store.GetCount();
    store.SetPrivateMode(0);
    list(store);

    const QString copy = file.sibling(QStringLiteral("copy.ldb"));
    if (store.WriteToFile(copy) != TavStatusCode::Ok)
        std::abort();
    Store reloaded;
    if (reloaded.LoadFromFile(copy) != TavStatusCode::Ok || reloaded.GetRecordCount() != records ||
        reloaded.GetCategoryCount() != categories)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Without the per-connection memory blocks, every open allocates only what it uses;
    // under the address sanitizer those blocks cost more than reading a small file.
    sqlite3_config(SQLITE_CONFIG_LOOKASIDE, 0, 0);
    sqlite3_config(SQLITE_CONFIG_PAGECACHE, nullptr, 0, 0);
    return 0;
}

// Every input is loaded as one store kind only, since a load costs far more than the choice:
// the kind its meta table names (a UTF-16 "kind" row followed by the value), or one picked by
// size for inputs that name none, which every kind refuses the same way.
static int storeKind(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    const char16_t* const kinds[] = {u"kinddate", u"kindaddress", u"kindtodo", u"kindmemo"};
    for (int kind = 0; kind < 4; ++kind) {
        const auto marker = QByteArrayView(reinterpret_cast<const char*>(kinds[kind]),
                                           qsizetype(std::char_traits<char16_t>::length(kinds[kind]) * 2));
        if (bytes.indexOf(marker) >= 0)
            return kind;
    }
    return int(size % 4);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzScratchFile file(QStringLiteral("store.ldb"));
    file.write(data, size);
    switch (storeKind(data, size)) {
    case 0:
        loadAs<CTavDbDate>(file, listDate);
        break;
    case 1:
        loadAs<CTavDbAddr>(file, listAddr);
        break;
    case 2:
        loadAs<CTavDbTodo>(file, listTodo);
        break;
    default:
        loadAs<CTavDbMemo>(file, listMemo);
    }
    return 0;
}
