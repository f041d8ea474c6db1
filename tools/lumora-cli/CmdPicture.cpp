#include <QJsonObject>

#include "CliCommand.h"
#include "CliContext.h"
#include "DibImage.h"
#include "ExifReader.h"
#include "JpegCodec.h"
#include "MappedFile.h"

#include <variant>

namespace {
// Reads only the header and the EXIF block, so that whole folders of photos go quickly.
bool describe(const QString& fileName, QJsonObject* out)
{
    const MappedFile file(fileName);
    if (!file.isOpen()) {
        CliContext::fail(CliExit::DataError, QStringLiteral("cannot read \"%1\"").arg(fileName));
        return false;
    }
    const JpegCodec codec;
    QJsonObject& json = *out;
    json.insert(QStringLiteral("file"), fileName);
    json.insert(QStringLiteral("format"), codec.probeFormat(file.data(), file.size()));
    int width = 0;
    int height = 0;
    const bool sized = codec.getSize(file.data(), file.size(), &width, &height) == MediaStatusCode::Ok;
    const ExifReader exif(file.data(), file.size());
    if (sized) {
        json.insert(QStringLiteral("width"), width);
        json.insert(QStringLiteral("height"), height);
    }
    json.insert(QStringLiteral("orientation"), exif.orientation().value_or(1));

    DibImage properties;
    exif.fillProperties(properties);
    if (sized) {
        properties.setNumber(QStringLiteral("real_width"), static_cast<quint16>(width));
        properties.setNumber(QStringLiteral("real_height"), static_cast<quint16>(height));
    }
    for (const DibImage::Property& p : properties.properties()) {
        if (const auto* number = std::get_if<quint16>(&p.value))
            json.insert(p.name, *number);
        else
            json.insert(p.name, std::get<QString>(p.value));
    }
    if (!sized)
        CliContext::fail(CliExit::DataError,
                         QStringLiteral("\"%1\" is not a readable JPEG picture").arg(fileName));
    return sized;
}

int runPicture(CliContext&, const QStringList& args)
{
    if (args.isEmpty())
        return CliContext::fail(CliExit::UsageError, QStringLiteral("usage: picture FILE..."));
    int status = CliExit::Ok;
    for (const QString& fileName : args) {
        QJsonObject json;
        if (!describe(fileName, &json))
            status = CliExit::DataError;
        if (!json.isEmpty())
            CliContext::printJson(json);
    }
    return status;
}
} // namespace

LUMORA_CLI_COMMAND({"picture", "picture FILE...",
                    "prints the size, orientation and camera data of JPEG pictures, one object per file",
                    &runPicture})
