#include "CTavDbDateICalExchange.h"

#include <QFile>
#include <QFileInfo>

#include "CTavDbDate.h"
#include "CTavDbDateICal.h"
#include "CTavDbDateVCal.h"
#include "CTavDbFileUtil.h"

CTavDbDateICalExchange::Format CTavDbDateICalExchange::FormatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("vcs"))
        return Format::VCal;
    if (suffix == QLatin1String("ics"))
        return Format::ICal;
    return Format::Unknown;
}

TavStatus CTavDbDateICalExchange::Read(const QByteArray& bytes, QList<CTavDbDateICalEvent>* events,
                                       QStringList* notes)
{
    // The version stands before the first event in both kinds of file.
    qsizetype head = bytes.indexOf("BEGIN:VEVENT");
    const QByteArrayView top =
        QByteArrayView(bytes).first(head < 0 ? std::min<qsizetype>(bytes.size(), 4096) : head);
    if (top.contains("VERSION:1.0"))
        return CTavDbDateVCal::Read(bytes, events, notes);
    return CTavDbDateICal::Read(bytes, events, notes);
}

TavStatus CTavDbDateICalExchange::Import(CTavDbDate& store, const QString& path, QStringList* notes,
                                         int* added)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return TavStatusCode::FileError;
    if (file.size() > kMaxFileBytes) {
        if (notes)
            notes->append(QStringLiteral("%1 MB を超えるファイルは読み込めません").arg(kMaxFileBytes >> 20));
        return TavStatusCode::InvalidArgument;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return TavStatusCode::FileError;
    return ImportBytes(store, bytes, notes, added);
}

TavStatus CTavDbDateICalExchange::ImportBytes(CTavDbDate& store, const QByteArray& bytes, QStringList* notes,
                                              int* added)
{
    if (added)
        *added = 0;
    QList<CTavDbDateICalEvent> events;
    const TavStatus status = Read(bytes, &events, notes);
    if (status != TavStatusCode::Ok)
        return status;
    return AddEvents(store, events, added);
}

TavStatus CTavDbDateICalExchange::AddEvents(CTavDbDate& store, QList<CTavDbDateICalEvent>& events, int* added)
{
    if (added)
        *added = 0;
    if (store.GetRecordCount() + events.size() > store.GetMaxRecords())
        return TavStatusCode::RecordLimit;
    for (CTavDbDateICalEvent& e : events) {
        uint32_t category = CTavDbPcRecord::kUnfiled;
        for (const QString& name : std::as_const(e.categories))
            if (const CTavDbCategory* known = store.FindCategoryByName(name)) {
                category = known->GetID();
                break;
            }
        if (category == CTavDbPcRecord::kUnfiled && !e.categories.isEmpty())
            category = store.CategoryIdForName(e.categories.first());
        e.record.SetCategoryID(category);
        if (const TavStatus s = store.AddRecord(e.record); s != TavStatusCode::Ok)
            return s;
        if (added)
            ++*added;
    }
    return TavStatusCode::Ok;
}

TavStatus CTavDbDateICalExchange::EventsOf(const CTavDbDate& store, const QList<uint32_t>& uniqueIds,
                                           QList<CTavDbDateICalEvent>* events)
{
    events->reserve(uniqueIds.size());
    for (uint32_t id : uniqueIds) {
        const auto* r = static_cast<const CTavDbDateRecord*>(store.FindRecord(id));
        if (!r || r->IsDeleted())
            return TavStatusCode::NotFound;
        CTavDbDateICalEvent e{*r, {}};
        if (r->GetCategoryID() != CTavDbPcRecord::kUnfiled)
            if (const CTavDbCategory* c = store.FindCategoryById(r->GetCategoryID()))
                e.categories << c->GetName();
        events->append(std::move(e));
    }
    return TavStatusCode::Ok;
}

TavStatus CTavDbDateICalExchange::Export(const CTavDbDate& store, const QString& path,
                                         const QList<uint32_t>& uniqueIds)
{
    const Format format = FormatOf(path);
    if (format == Format::Unknown)
        return TavStatusCode::InvalidArgument;
    QList<CTavDbDateICalEvent> events;
    if (const TavStatus s = EventsOf(store, uniqueIds, &events); s != TavStatusCode::Ok)
        return s;
    const QByteArray bytes =
        format == Format::VCal ? CTavDbDateVCal::Write(events) : CTavDbDateICal::Write(events);
    return CTavDbFileUtil::writeAtomically(path, bytes) ? TavStatusCode::Ok : TavStatusCode::FileError;
}
