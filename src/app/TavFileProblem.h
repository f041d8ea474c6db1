#pragma once

#include <QString>
#include <QStringList>

#include "TavStatus.h"

// The messages that tell the user which file could not be used and why.
namespace TavFileProblem {
// "<name> を読み込めませんでした。" with the reason a store gave: unreadable, not a file of
// the expected kind (kindName, e.g. "メモ帳のバックアップファイル"), or damaged.
QString ReadFailed(const QString& path, TavStatus status, const QString& kindName);
// A name whose extension is none of the types the command knows (extensions without dots).
QString UnknownType(const QString& path, const QStringList& extensions);
// A store file could not be saved: which one and why; the changes stay in memory.
QString SaveFailed(const QString& path, TavStatus status);
} // namespace TavFileProblem
