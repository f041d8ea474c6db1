#pragma once

#include <QString>

#include "TavStatus.h"

// The messages that tell the user which file could not be used and why.
namespace TavFileProblem {
// "<name> を読み込めませんでした。" with the reason a store gave: unreadable, not a file of
// the expected kind (kindName, e.g. "メモ帳のバックアップファイル"), or damaged.
QString ReadFailed(const QString& path, TavStatus status, const QString& kindName);
// A store file could not be saved: which one and why; the changes stay in memory.
QString SaveFailed(const QString& path, TavStatus status);
} // namespace TavFileProblem
