#pragma once

#include <QString>

// Texts the shell shows in more than one place.
namespace TavStr {
inline const QString ProductName = QStringLiteral("Lumora");
inline const QString Undo = QStringLiteral("元に戻す");
inline const QString Redo = QStringLiteral("やり直し");
inline const QString InvalidPassword = QStringLiteral("パスワードが無効です。");
inline const QString PasswordsDiffer =
    QStringLiteral("新しいパスワードと確認のパスワードが一致しません。もう一度入力してください。");
inline const QString EnterPassword = QStringLiteral("パスワードを入力してください。");
inline const QString ClearPasswordQuestion = QStringLiteral("ユーザ「%1」のパスワードを解除しますか？");
inline const QString AddUser = QStringLiteral("ユーザを追加してください。");
inline const QString ChooseUser = QStringLiteral("ユーザ名を選択してください。");
inline const QString EnterUserName = QStringLiteral("ユーザ名を入力してください。");
inline const QString UserNameTooLong =
    QStringLiteral("ユーザ名が長すぎます。\nユーザ名は %1 バイト (全角文字は 1 文字 2 バイト) "
                   "までです。この名前は %2 バイトです。");
inline const QString NameInUse =
    QStringLiteral("\"%1\" はユーザ名またはプロファイル名として使用しています。");
inline const QString QuitDesktop = QStringLiteral("処理を中止します。Palm Desktopを終了してください。");
inline const QString EditUsers = QStringLiteral("ユーザの編集...");
inline const QString UserDeletedSwitched =
    QStringLiteral("ユーザ「%1」は他のプログラムで削除されました。ユーザ「%2」に切り替えます。");
inline const QString UserDeletedRecreated =
    QStringLiteral("ユーザ「%1」は他のプログラムで削除されました。空のユーザ「%1」を作り直しました。");
inline const QString Cancel = QStringLiteral("キャンセル");
// Asked when the backup file cannot be written on leaving it: without it the user could never leave.
inline const QString DiscardBackupEdits =
    QStringLiteral("\n\nバックアップ ファイルでの変更を捨てて、現在のデータに戻りますか？");
inline const QString BackupSwitchQuestion = QStringLiteral(
    "バックアップ "
    "ファイルの編集中に、アプリケーションを\n切り替えることはできません。\n\n[OK]を選択して、現在開いている\n"
    "バックアップファイルを閉じてからアプリケーションを\n切り替えてください。またはキャンセルを選択して現在\n"
    "開いているバックアップファイルに戻ってください。\n");
inline const QString BackupSwitchCaption = QStringLiteral("バックアップ ファイルを閉じる");
inline const QString SyncRefusedBackup = QStringLiteral(
    "バックアップ ファイルの編集中は、HotSync 機能を実行できません。バックアップ ファイルを閉じてから、"
    "HotSync 機能をもう一度実行してください。");
inline const QString SyncRefusedRunning =
    QStringLiteral("HotSync の実行中は、新しい HotSync を開始できません。");
inline const QString SyncRefusedUnsaved =
    QStringLiteral("Lumora のデータを保存できなかったため、HotSync 機能を実行できません。");
inline const QString SyncRunningStatus = QStringLiteral("HotSync 中...");
inline const QString SyncManagerGone =
    QStringLiteral("HotSync マネージャがもう動いていないため、HotSync は終了したものとみなしました");
inline const QString ReadyStatus = QStringLiteral("レディ");
inline const QString SavedStatus = QStringLiteral("保存しました");
inline const QString SyncRefusedBusy =
    QStringLiteral("データ編集中は HotSync 機能を実行できません。ダイアログを閉じて、HotSync "
                   "ボタンをもう一度押してください。");
inline const QString PrivateShow = QStringLiteral("プライベートデータの表示(&V)");
inline const QString PrivateMask = QStringLiteral("プライベートデータをマスク(&K)");
inline const QString PrivateHide = QStringLiteral("プライベートデータの非表示(&H)");
inline const QString HomePageUrl = QStringLiteral("https://kiro.ostrel.example/");
inline const QString StylePageUrl = QStringLiteral("https://kiro.ostrel.example/style/");
// The import that would take a module past its record limit.
inline const QString ImportLimit = QStringLiteral(
    "データが最大数に達したため、Lumoraはインポートを実行できません。\n\n不要なデータを削除、または"
    "バックアップファイルに保存し、HotSync機能を実行してから、インポートをやり直してください。");
// How many records an import added to the module (named as its window is).
inline QString Imported(const QString& module, int count)
{
    return QStringLiteral("%1の更新中...\n%2件のデータをインポートしました。").arg(module).arg(count);
}
inline QString RestoreQuestion(const QString& module)
{
    return QStringLiteral("保存していない変更はすべて失われます。最後に保存した %1 ファイルを復元しますか？")
        .arg(module);
}
} // namespace TavStr
