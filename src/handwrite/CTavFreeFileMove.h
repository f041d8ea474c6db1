#pragma once

#include <QString>

// Moving and copying whole sheet files: a rename where the file system allows it, else a copy
// made durable before the source goes.
namespace CTavFreeFileMove {
// Copies over an existing target; the target is complete or untouched.
bool Copy(const QString& from, const QString& to);
bool Move(const QString& from, const QString& to);
// Moves over a file of the name only when that one is older, or holds the same bytes: a newer
// different file there leaves both as they are (false).
bool MoveOverOlder(const QString& from, const QString& to);
// Whether both files read and hold the same bytes.
bool SameBytes(const QString& a, const QString& b);
} // namespace CTavFreeFileMove
