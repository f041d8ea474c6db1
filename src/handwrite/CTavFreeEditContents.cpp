#include "CTavFreeEditContents.h"

#include <QDir>
#include <QFileInfo>

#include "CTavApp.h"
#include "CTavContentMarks.h"
#include "CTavContentThumbnail.h"
#include "CTavContentsDlg.h"
#include "CTavDbFileStreamWriter.h"
#include "CTavFreeEditMedia.h"
#include "sheet/CTavDbFreePdbObjectManager.h"
#include "sheet/CTavDbMMContentsObject.h"

namespace {
const QSize kObjectBox(CTavDbMMContentsObject::MaxThumbnailSide, CTavDbMMContentsObject::MaxThumbnailSide);

QString fileNameOf(const QString& path)
{
    return path.mid(std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\')) + 1);
}
} // namespace

QString CTavFreeEditContents::DatabasePath(const QString& contentsFolder, const QString& path)
{
    return QDir(contentsFolder).filePath(fileNameOf(path) + QStringLiteral(".pdb"));
}

QImage CTavFreeEditContents::picture(const QString& path)
{
    return CTavContentThumbnail::Make(path, TavContentKind::Picture, kObjectBox).image;
}

CTavDbMMContentsObject* CTavFreeEditContents::Paste(CTavDbFreePdbObjectManager& sheet, const Choice& choice,
                                                    const QString& contentsFolder)
{
    if (!QFileInfo(choice.localPath).isFile())
        return nullptr;
    QImage thumbnail;
    switch (choice.kind) {
    case TavContentKind::Picture:
        if ((thumbnail = picture(choice.localPath)).isNull())
            return nullptr;
        break;
    case TavContentKind::Sheet:
        if (!CTavFreeEditMedia::ShowQuillo(choice.localPath, &thumbnail))
            return nullptr;
        thumbnail = thumbnail.scaled(thumbnail.size() / 3, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        break;
    case TavContentKind::Movie: {
        const CTavContentThumbnail::Result frame =
            CTavContentThumbnail::Make(choice.localPath, TavContentKind::Movie, kObjectBox);
        thumbnail = frame.status == CTavContentThumbnail::Status::Made
                        ? frame.image
                        : CTavContentMarks::Draw(CTavContentMarks::Mark::Movie, QSize(80, 60));
        break;
    }
    case TavContentKind::Sound:
        break;
    default:
        return nullptr;
    }
    // A failed write leaves the sheet's object in place: the handheld then has no copy, the PC
    // still finds the file by its path.
    if (!choice.onCard && (choice.kind == TavContentKind::Picture || choice.kind == TavContentKind::Sound)) {
        QDir().mkpath(contentsFolder);
        CTavDbFileStreamWriter::Write(choice.localPath, DatabasePath(contentsFolder, choice.path),
                                      choice.kind == TavContentKind::Picture
                                          ? CTavDbFileStreamWriter::Kind::Picture
                                          : CTavDbFileStreamWriter::Kind::Sound);
    }
    auto* object = sheet.AddNew<CTavDbMMContentsObject>();
    switch (choice.kind) {
    case TavContentKind::Picture:
        object->SetPicture(choice.path, thumbnail,
                           choice.onCard ? CTavDbMMContentsObject::FlagOnCard
                                         : CTavDbMMContentsObject::FlagOnPc);
        break;
    case TavContentKind::Sound:
        object->SetSound(choice.path);
        break;
    case TavContentKind::Movie:
        object->SetMovie(choice.path, thumbnail);
        break;
    default:
        object->SetQuillo(choice.path, thumbnail);
        break;
    }
    return object;
}

CTavDbMMContentsObject* CTavFreeEditContents::Choose(CTavApp& app, CTavDbFreePdbObjectManager& sheet,
                                                     const QString& contentsFolder, QWidget* parent)
{
    CTavContentsDlg dialog(app, parent);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    CTavDbMMContentsObject* pasted = Paste(
        sheet, {dialog.ChosenPath(), dialog.ChosenLocalPath(), dialog.ChosenKind(), dialog.ChosenOnCard()},
        contentsFolder);
    // A file gone since it was listed, or one that does not read, is named, not skipped.
    if (!pasted)
        app.ShowMessage(parent,
                        QStringLiteral("%1 を読み込めないため、貼り付けられませんでした。")
                            .arg(QDir::toNativeSeparators(dialog.ChosenLocalPath())),
                        QString(), TavMsg::IconExclamation);
    return pasted;
}
