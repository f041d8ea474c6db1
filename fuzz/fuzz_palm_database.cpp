#include <QByteArray>
#include <cstdlib>

#include "CTavDbFileStreamWriter.h"
#include "CTavDbHolidays.h"
#include "CTavDbPalmDatabase.h"
#include "CTavDbSixDay.h"

// Whatever loads must write back the very bytes it came from; everything built on the reader
// must cope with what it lets through.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    CTavDbPalmDatabase db;
    if (db.LoadFromBytes(bytes) != TavStatusCode::Ok)
        return 0;
    if (db.ToBytes() != bytes)
        abort();
    unsigned sum = 0;
    for (int i = 0; i < db.GetRecordCount(); ++i) {
        for (char c : db.GetRecordView(i))
            sum += uchar(c);
        sum += db.FindRecordByUniqueId(db.GetRecordUniqueId(i)) >= 0;
        sum += db.FindResource(db.GetResourceType(i), db.GetResourceId(i)) >= 0;
    }
    sum += unsigned(db.GetCategories().size()) + db.GetFreeCategoryUniqueId() + unsigned(db.GetName().size());
    CTavDbPalmCategoryInfo info;
    if (db.GetCategoryInfo(&info) && db.SetCategoryInfo(info) == TavStatusCode::Ok && db.ToBytes() != bytes)
        abort();
    int year = 0;
    QList<CTavDbHolidays::Holiday> holidays;
    CTavDbSixDay::Year table;
    sum += CTavDbHolidays::Read(db, &year, &holidays) + CTavDbSixDay::Read(db, &year, &table);
    QByteArray content;
    sum += unsigned(CTavDbFileStreamWriter::ReadContent(db, &content));
    if (db.AddRecord("x") == TavStatusCode::Ok &&
        db.RemoveRecord(db.GetRecordCount() - 1) == TavStatusCode::Ok && db.ToBytes() != bytes)
        abort();
    return sum == 0xFFFFFFFF;
}
