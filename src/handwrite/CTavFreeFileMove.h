#pragma once

#include <QString>

// Moving and copying whole sheet files: a rename where the file system allows it, else a copy
// made durable before the source goes.
namespace CTavFreeFileMove {
// Copies over an existing target; the target is complete or untouched.
bool Copy(const QString& from, const QString& to);
bool Move(const QString& from, const QString& to);
} // namespace CTavFreeFileMove
