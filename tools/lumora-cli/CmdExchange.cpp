#include <QFile>
#include <QFileInfo>

#include "CTavDbAddr.h"
#include "CTavDbAddrCsv.h"
#include "CTavDbDate.h"
#include "CTavDbDateICalExchange.h"
#include "CliCommand.h"
#include "CliContext.h"
#include "CliStoreAccess.h"

namespace {
enum class FileKind
{
    Unknown,
    VCard,
    Csv,
    Backup,
    Calendar
};

FileKind kindOf(const QString& store, const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (store == QLatin1String("todo"))
        return suffix == QLatin1String("tdc") ? FileKind::Backup : FileKind::Unknown;
    if (store == QLatin1String("schedule")) {
        if (suffix == QLatin1String("dbc"))
            return FileKind::Backup;
        return CTavDbDateICalExchange::FormatOf(path) != CTavDbDateICalExchange::Format::Unknown
                   ? FileKind::Calendar
                   : FileKind::Unknown;
    }
    if (suffix == QLatin1String("vcf"))
        return FileKind::VCard;
    if (suffix == QLatin1String("csv"))
        return FileKind::Csv;
    if (suffix == QLatin1String("abc"))
        return FileKind::Backup;
    return FileKind::Unknown;
}

// The store and file of "import|export address|todo|schedule FILE", with the CSV options taken out.
struct Request
{
    QString store;
    QString path;
    FileKind kind = FileKind::Unknown;
    QString encoding;
    QString mapping;
};

int parse(const QString& command, const QStringList& arguments, Request* r)
{
    QStringList args = arguments;
    const bool hasEncoding = CliContext::takeOption(args, QStringLiteral("--encoding"), &r->encoding);
    const bool hasMapping = CliContext::takeOption(args, QStringLiteral("--mapping"), &r->mapping);
    if (args.size() != 2)
        return CliContext::fail(CliExit::UsageError,
                                QStringLiteral("usage: %1 address FILE.csv|FILE.vcf|FILE.abc [--encoding "
                                               "utf-8|cp932] [--mapping own|google|thunderbird], %1 todo "
                                               "FILE.tdc, or %1 schedule FILE.dbc|FILE.vcs|FILE.ics")
                                    .arg(command));
    r->store = args.first();
    if (r->store != QLatin1String("address") && r->store != QLatin1String("todo") &&
        r->store != QLatin1String("schedule")) {
        if (!CliStoreAccess::kind(r->store))
            return CliExit::UsageError;
        return CliContext::fail(
            CliExit::UsageError,
            QStringLiteral("%1 works on the address, todo and schedule stores only").arg(command));
    }
    r->path = args.at(1);
    r->kind = kindOf(r->store, r->path);
    if (r->kind == FileKind::Unknown)
        return CliContext::fail(CliExit::UsageError,
                                QStringLiteral("\"%1\": the file kind is told by its extension: %2")
                                    .arg(r->path, r->store == QLatin1String("todo") ? QStringLiteral(".tdc")
                                                  : r->store == QLatin1String("schedule")
                                                      ? QStringLiteral(".dbc, .vcs or .ics")
                                                      : QStringLiteral(".csv, .vcf or .abc")));
    if ((hasEncoding || hasMapping) && (r->kind != FileKind::Csv || command != QLatin1String("import")))
        return CliContext::fail(CliExit::UsageError,
                                QStringLiteral("--encoding and --mapping are for importing CSV files"));
    if (hasEncoding && r->encoding != QLatin1String("utf-8") && r->encoding != QLatin1String("cp932"))
        return CliContext::fail(CliExit::UsageError, QStringLiteral("--encoding is utf-8 or cp932"));
    CTavDbAddrCsvFormat::Layout layout;
    if (hasMapping && !CTavDbAddrCsvFormat::LayoutFromKey(r->mapping, &layout))
        return CliContext::fail(CliExit::UsageError,
                                QStringLiteral("--mapping is own, google or thunderbird"));
    return CliExit::Ok;
}

TavStatus importCsv(CTavDbAddr& store, const Request& r, QStringList* refused)
{
    QFile file(r.path);
    if (!file.open(QIODevice::ReadOnly))
        return TavStatusCode::FileError;
    if (file.size() > CTavDbAddrCsv::kMaxFileBytes)
        return TavStatusCode::InvalidArgument;
    const QByteArray head = file.readAll(); // a code page 932 byte may come late in the file
    CTavDbAddrCsvFormat format = CTavDbAddrCsvFormat::Guess(head);
    if (!r.encoding.isEmpty()) {
        const auto encoding =
            r.encoding == QLatin1String("cp932") ? CTavDbAddrCsvFormat::Cp932 : CTavDbAddrCsvFormat::Utf8;
        // Names read in another encoding may be of another layout.
        if (encoding != format.encoding) {
            format.encoding = encoding;
            const QStringList header = CTavDbAddrCsvFormat::Preview(head, format, 1).value(0);
            format.layout = CTavDbAddrCsvFormat::Recognise(header);
            format.hasHeader = format.layout != CTavDbAddrCsvFormat::LayoutCustom;
            format.UseLayout(format.hasHeader ? format.layout : CTavDbAddrCsvFormat::LayoutOwn, head);
        }
    }
    CTavDbAddrCsvFormat::Layout layout;
    if (CTavDbAddrCsvFormat::LayoutFromKey(r.mapping, &layout))
        format.UseLayout(layout, head);
    return store.ImportCsvFile(r.path, &format, refused);
}

int runImport(CliContext& ctx, const QStringList& args)
{
    Request r;
    if (const int rc = parse(QStringLiteral("import"), args, &r))
        return rc;
    if (!QFileInfo(r.path).isFile())
        return CliContext::fail(CliExit::DataError, QStringLiteral("cannot read \"%1\"").arg(r.path));
    if (const int rc = ctx.beginWrite())
        return rc;
    CliOpenStore open;
    if (const int rc = CliStoreAccess::open(ctx, r.store, &open))
        return rc;
    CTavDbStoreBase& store = *open.store;
    const int before = store.GetRecordCount();
    QStringList refused;
    TavStatus status = TavStatusCode::Ok;
    switch (r.kind) {
    case FileKind::Csv:
        status = importCsv(static_cast<CTavDbAddr&>(store), r, &refused);
        break;
    case FileKind::VCard:
        status = static_cast<CTavDbAddr&>(store).ImportVCardFile(r.path, &refused);
        break;
    case FileKind::Backup:
        status = store.ImportBackupFile(r.path);
        break;
    case FileKind::Calendar:
        status = CTavDbDateICalExchange::Import(static_cast<CTavDbDate&>(store), r.path, &refused);
        break;
    case FileKind::Unknown:
        break;
    }
    // Calendar files also name the events changed to fit; they were imported all the same.
    for (const QString& line : std::as_const(refused))
        CliContext::fail(CliExit::DataError, QStringLiteral("%1: %2").arg(r.path, line));
    if (status != TavStatusCode::Ok)
        return CliContext::fail(CliExit::DataError,
                                QStringLiteral("nothing imported: %1").arg(CliContext::statusText(status)));
    if (const TavStatus written = store.Write(); written != TavStatusCode::Ok)
        return CliContext::fail(
            CliExit::DataError,
            QStringLiteral("cannot write the store: %1").arg(CliContext::statusText(written)));
    CliContext::printJson({{QStringLiteral("imported"), store.GetRecordCount() - before},
                           {QStringLiteral("refused"), int(refused.size())}});
    return CliExit::Ok;
}

int runExport(CliContext& ctx, const QStringList& args)
{
    QStringList rest = args;
    const bool withPrivate = CliContext::takeFlag(rest, QStringLiteral("--private"));
    Request r;
    if (const int rc = parse(QStringLiteral("export"), rest, &r))
        return rc;
    CliOpenStore open;
    if (const int rc = CliStoreAccess::open(ctx, r.store, &open))
        return rc;
    if (const int rc = CliStoreAccess::applyPrivateMode(ctx, *open.store, withPrivate))
        return rc;
    const CTavDbStoreBase& store = *open.store;
    // The records the list shows, in its order (every task, folded or not).
    QList<uint32_t> ids;
    for (int i = 0; i < store.GetCount(); ++i)
        ids << store.GetRecord(i)->GetUniqueId();
    TavStatus status = TavStatusCode::Ok;
    switch (r.kind) {
    case FileKind::Csv:
        status = static_cast<const CTavDbAddr&>(store).ExportCsvFile(r.path, ids);
        break;
    case FileKind::VCard:
        status = static_cast<const CTavDbAddr&>(store).ExportVCardFile(r.path, ids);
        break;
    case FileKind::Backup:
        status = store.ExportBackupFile(r.path, ids);
        break;
    case FileKind::Calendar:
        status = CTavDbDateICalExchange::Export(static_cast<const CTavDbDate&>(store), r.path, ids);
        break;
    case FileKind::Unknown:
        break;
    }
    if (status != TavStatusCode::Ok)
        return CliContext::fail(
            CliExit::DataError,
            QStringLiteral("cannot write \"%1\": %2").arg(r.path, CliContext::statusText(status)));
    CliContext::printJson({{QStringLiteral("exported"), int(ids.size())}});
    return CliExit::Ok;
}
} // namespace

LUMORA_CLI_COMMAND(
    {"import",
     "import address FILE [--encoding utf-8|cp932] [--mapping own|google|thunderbird] | "
     "import todo FILE | import schedule FILE",
     "adds the cards of a .csv, .vcf or .abc file, the tasks of a .tdc file, or the events of a "
     ".dbc, .vcs (vCalendar 1.0) or .ics (iCalendar 2.0) file, and prints how many were "
     "imported; cards that do not read are listed on standard error with their lines, events "
     "refused or changed to fit with their names",
     &runImport})
LUMORA_CLI_COMMAND({"export", "export address|todo|schedule FILE [--private]",
                    "writes every card to a .csv, .vcf or .abc file, every task to a .tdc file, or every "
                    "event to a .dbc, .vcs or .ics file, in the list's order, and prints how many were "
                    "exported; private records only with --private (asks for the user's password)",
                    &runExport})
