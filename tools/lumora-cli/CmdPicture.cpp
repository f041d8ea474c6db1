#include <QFileInfo>
#include <QJsonObject>

#include "CliCommand.h"
#include "CliContext.h"
#include "DibImage.h"
#include "ExifReader.h"
#include "JpegCodec.h"
#include "MappedFile.h"
#include "MovieCodec.h"

#include <variant>

namespace {
struct Frame
{
    QString output; // where a movie's still frame goes as JPEG; empty for none
    quint16 at = 0; // seconds from the start
};

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

// A movie: the size and length, read from its still frame, which --frame writes as JPEG.
bool describeMovie(const MappedFile& file, const QString& fileName, const Frame& frame, QJsonObject* out)
{
    DibImage image;
    image.setNumber(QStringLiteral("current_frame"), frame.at);
    const bool ok =
        MovieCodec::openMovie(file.data(), file.size(), image) &&
        (frame.output.isEmpty() || JpegCodec().saveFile(image, frame.output) == MediaStatusCode::Ok);
    out->insert(QStringLiteral("file"), fileName);
    out->insert(QStringLiteral("codec"), QStringLiteral("QuickTime"));
    if (!image.isNull()) {
        out->insert(QStringLiteral("width"), image.width());
        out->insert(QStringLiteral("height"), image.height());
        out->insert(QStringLiteral("duration"), image.number(QStringLiteral("duration")).value_or(0));
    }
    if (!ok)
        CliContext::fail(CliExit::DataError, QStringLiteral("no frame of \"%1\" could be %2")
                                                 .arg(fileName, image.isNull() ? "read" : "written"));
    return ok;
}

int runPicture(CliContext&, const QStringList& arguments)
{
    QStringList args = arguments;
    Frame frame;
    QString at;
    CliContext::takeOption(args, QStringLiteral("--frame"), &frame.output);
    const bool timed = CliContext::takeOption(args, QStringLiteral("--at"), &at);
    bool atOk = true;
    frame.at = timed ? at.toUShort(&atOk) : 0;
    if (args.isEmpty() || !atOk || (!frame.output.isEmpty() && args.size() != 1))
        return CliContext::fail(CliExit::UsageError,
                                QStringLiteral("usage: picture [--frame OUT.jpg [--at SECONDS]] FILE..."));
    int status = CliExit::Ok;
    for (const QString& fileName : args) {
        QJsonObject json;
        const MappedFile file(fileName);
        // Newer movies start with a file-type atom; their extension tells.
        const bool movie =
            file.isOpen() &&
            (MovieCodec::probeMovie(file.data(), file.size()) ||
             MovieCodec().extensions().contains(u'.' + QFileInfo(fileName).suffix().toLower()));
        if (!(movie ? describeMovie(file, fileName, frame, &json) : describe(fileName, &json)))
            status = CliExit::DataError;
        if (!json.isEmpty())
            CliContext::printJson(json);
    }
    return status;
}
} // namespace

LUMORA_CLI_COMMAND({"picture", "picture [--frame OUT.jpg [--at SECONDS]] FILE...",
                    "prints the size, orientation and camera data of JPEG pictures and the size of "
                    "QuickTime movies, one object per file; --frame writes a movie's still frame",
                    &runPicture})
