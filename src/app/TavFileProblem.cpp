#include "TavFileProblem.h"

#include <QDir>
#include <QFileInfo>

namespace {
QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}
} // namespace

QString TavFileProblem::ReadFailed(const QString& path, TavStatus status, const QString& kindName)
{
    QString reason;
    switch (status) {
    case TavStatusCode::FileError:
        reason = QFileInfo::exists(path)
                     ? QStringLiteral("ファイルを開けないか、読み取れません。アクセス権を確認してください。")
                     : QStringLiteral("ファイルが見つかりません。");
        break;
    case TavStatusCode::NotOurFile:
        reason = QStringLiteral("このファイルは%1ではありません。").arg(kindName);
        break;
    case TavStatusCode::Corrupt:
        reason = QStringLiteral("ファイルが壊れているか、途中で切れています。");
        break;
    case TavStatusCode::Unsupported:
        reason =
            QStringLiteral("新しい形式のファイルで、Lumora では読めません。古い形式で保存し直してください。");
        break;
    case TavStatusCode::WrongKind:
        reason = QStringLiteral("別の種類のデータのファイルです。%1を選んでください。").arg(kindName);
        break;
    case TavStatusCode::RecordLimit:
        reason = QStringLiteral("データの件数が多すぎます。");
        break;
    case TavStatusCode::InvalidArgument:
        reason =
            QStringLiteral("ファイルに Lumora が保存できない値 (長すぎる文字列や範囲外の値) があります。");
        break;
    default:
        reason = QStringLiteral("ファイルを読み込めません (エラー %1)。").arg(status);
        break;
    }
    return QStringLiteral("%1 を読み込めませんでした。\n\n%2\nデータは変更されていません。")
        .arg(shown(path), reason);
}

QString TavFileProblem::SaveFailed(const QString& path, TavStatus status)
{
    QString reason;
    if (status == TavStatusCode::Conflict)
        reason = QStringLiteral("ほかのプログラムがファイルを変更していて、変更を合わせられませんでした。");
    else if (status == TavStatusCode::Corrupt)
        reason = QStringLiteral("ファイルが壊れています。");
    else if (status == TavStatusCode::RecordLimit)
        reason = QStringLiteral("ほかのプログラムが加えたデータと合わせると、件数が上限を超えます。"
                                "不要なデータを削除してから保存し直してください。");
    else
        reason = QStringLiteral("ファイルに書き込めませんでした。");
    return QStringLiteral(
               "%1 に保存できませんでした。\n%2\nファイルはそのままで、変更はまだ保存されていません。")
        .arg(shown(path), reason);
}
