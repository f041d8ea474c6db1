#include <QFile>
#include <QFileInfo>

#include "CTavDbAddr.h"
#include "CTavDbAddrCsv.h"
#include "CTavDbDate.h"
#include "CTavDbDateICalExchange.h"
#include "CTavDbMemo.h"
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
    Archive,
    Calendar,
    MemoCsv
};

// The program's own backup file and the desktop archive of each store.
struct StoreFiles
{
    const char* store;
    const char* backup;
    const char* archive;
};
constexpr StoreFiles kStoreFiles[] = {
    {"schedule", "dbc", "dba"},
    {"address", "abc", "aba"},
    {"todo", "tdc", "tda"},
    {"memo", "mpc", "mpa"},
};

const StoreFiles* filesOf(const QString& store)
{
    for (const StoreFiles& f : kStoreFiles)
        if (store == QLatin1String(f.store))
            return &f;
    return nullptr;
}

FileKind kindOf(const QString& store, const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    const StoreFiles* files = filesOf(store);
    if (suffix == QLatin1String(files->backup))
        return FileKind::Backup;
    // Desktop data files (.dat) hold any kind; the store refuses another kind's.
    if (suffix == QLatin1String(files->archive) || suffix == QLatin1String("dat"))
        return FileKind::Archive;
    if (store == QLatin1String("schedule"))
        return CTavDbDateICalExchange::FormatOf(path) != CTavDbDateICalExchange::Format::Unknown
                   ? FileKind::Calendar
                   : FileKind::Unknown;
    if (store == QLatin1String("todo"))
        return FileKind::Unknown;
    if (suffix == QLatin1String("csv"))
        return store == QLatin1String("memo") ? FileKind::MemoCsv : FileKind::Csv;
    if (suffix == QLatin1String("vcf") && store == QLatin1String("address"))
        return FileKind::VCard;
    return FileKind::Unknown;
}

QString extensionsOf(const QString& store)
{
    const StoreFiles* files = filesOf(store);
    QString list =
        QStringLiteral(".%1, .%2, .dat").arg(QLatin1String(files->backup), QLatin1String(files->archive));
    if (store == QLatin1String("schedule"))
        return list + QStringLiteral(", .vcs or .ics");
    if (store == QLatin1String("address"))
        return list + QStringLiteral(", .csv or .vcf");
    if (store == QLatin1String("memo"))
        return list + QStringLiteral(" or .csv");
    return list;
}

// The store and file of "import|export STORE FILE", with the CSV options taken out.
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
                                QStringLiteral("usage: %1 schedule|address|todo|memo FILE [--encoding "
                                               "utf-8|cp932] [--mapping own|google|thunderbird]")
                                    .arg(command));
    r->store = args.first();
    if (!filesOf(r->store)) {
        if (!CliStoreAccess::kind(r->store))
            return CliExit::UsageError;
        return CliContext::fail(
            CliExit::UsageError,
            QStringLiteral("%1 works on the schedule, address, todo and memo stores only").arg(command));
    }
    r->path = args.at(1);
    r->kind = kindOf(r->store, r->path);
    if (r->kind == FileKind::Unknown)
        return CliContext::fail(CliExit::UsageError,
                                QStringLiteral("\"%1\": the file kind is told by its extension: %2")
                                    .arg(r->path, extensionsOf(r->store)));
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
    case FileKind::Archive:
        status = store.ImportBackupFile(r.path);
        break;
    case FileKind::MemoCsv: {
        QString error;
        status = static_cast<CTavDbMemo&>(store).ImportCsvFile(r.path, &error);
        if (!error.isEmpty())
            refused << error;
        break;
    }
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
        return CliContext::fail(
            CliExit::DataError,
            QStringLiteral("\"%1\": nothing imported: %2").arg(r.path, CliContext::statusText(status)));
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
    case FileKind::Archive:
        status = store.ExportBackupFile(r.path, ids);
        break;
    case FileKind::MemoCsv:
        status = static_cast<const CTavDbMemo&>(store).ExportCsvFile(r.path, ids);
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
     "import schedule|address|todo|memo FILE [--encoding utf-8|cp932] [--mapping own|google|thunderbird]",
     "adds the records of a file, the kind told by its extension: the program's backup files "
     "(.dbc, .abc, .tdc, .mpc), the desktop organizer's archives and data files (.dba, .aba, .tda, "
     ".mpa, .dat), .csv and .vcf cards, .csv memos, .vcs (vCalendar 1.0) and .ics (iCalendar 2.0) "
     "events; prints how many were imported; cards that do not read are listed on standard error "
     "with their lines, events refused or changed to fit with their names",
     &runImport})
LUMORA_CLI_COMMAND({"export", "export schedule|address|todo|memo FILE [--private]",
                    "writes every record of the list, in its order, to a file of the kinds import "
                    "reads, and prints how many were exported; private records only with --private "
                    "(asks for the user's password)",
                    &runExport})
