#include <QBuffer>
#include <QImage>
#include <QJsonObject>

#include "CTavDbFileUtil.h"
#include "CTavDbFreePalmBitmap.h"
#include "CTavDbPalmCode.h"
#include "CTavDbPalmDatabase.h"
#include "CliCommand.h"
#include "CliContext.h"

namespace {
int runBitmap(CliContext&, const QStringList& arguments)
{
    QStringList args = arguments;
    QString density;
    QString depth;
    CliContext::takeOption(args, QStringLiteral("--density"), &density);
    CliContext::takeOption(args, QStringLiteral("--depth"), &depth);
    uint32_t type = 0;
    bool idOk = false;
    const uint id = args.size() == 4 ? args[2].toUInt(&idOk) : 0;
    CTavDbFreePalmBitmap::Options options;
    bool optionsOk = true;
    if (!density.isEmpty())
        options.preferredDensity = density.toInt(&optionsOk);
    if (optionsOk && !depth.isEmpty())
        options.maxDepth = depth.toInt(&optionsOk);
    if (args.size() != 4 || !CTavDbPalmCode::Parse(args[1], &type) || !idOk || id > 0xFFFF || !optionsOk)
        return CliContext::fail(
            CliExit::UsageError,
            QStringLiteral("usage: bitmap FILE.prc TYPE ID OUT.png [--density N] [--depth N]"));

    const QString& file = args[0];
    CTavDbPalmDatabase db;
    if (const TavStatus status = db.LoadFromFile(file); status != TavStatusCode::Ok)
        return CliContext::fail(CliExit::DataError,
                                QStringLiteral("cannot read %1: %2 (%3)")
                                    .arg(file, CliContext::statusText(status), db.GetErrorText()));
    const int index = db.FindResource(type, uint16_t(id));
    if (index < 0)
        return CliContext::fail(CliExit::DataError,
                                QStringLiteral("%1 has no resource %2 %3").arg(file, args[1]).arg(id));
    QImage image;
    CTavDbFreePalmBitmap::Member chosen;
    if (CTavDbFreePalmBitmap::CreateBitmap(db.GetRecordView(index), &image, nullptr, options, &chosen) !=
        TavStatusCode::Ok)
        return CliContext::fail(
            CliExit::DataError,
            QStringLiteral("resource %1 %2 is not a readable bitmap").arg(args[1]).arg(id));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG") || !CTavDbFileUtil::writeAtomically(args[3], png))
        return CliContext::fail(CliExit::DataError, QStringLiteral("cannot write %1").arg(args[3]));
    CliContext::printJson({{QStringLiteral("file"), file},
                           {QStringLiteral("type"), CTavDbPalmCode::Text(type)},
                           {QStringLiteral("id"), int(id)},
                           {QStringLiteral("width"), image.width()},
                           {QStringLiteral("height"), image.height()},
                           {QStringLiteral("depth"), chosen.depth},
                           {QStringLiteral("density"), chosen.density},
                           {QStringLiteral("version"), chosen.version},
                           {QStringLiteral("out"), args[3]}});
    return CliExit::Ok;
}
} // namespace

LUMORA_CLI_COMMAND(
    {"bitmap", "bitmap FILE.prc TYPE ID OUT.png [--density N] [--depth N]",
     "writes one bitmap resource ('Tbmp', 'tAIB') of a resource database as a PNG picture; the "
     "family member nearest the density (72) and deepest up to the depth (16) is taken",
     &runBitmap})
