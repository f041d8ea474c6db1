#pragma once

#include <QString>

// Moving and copying whole sheet files: a rename where the file system allows it, else a copy
// made durable before the source goes.
namespace CTavFreeFileMove {
// Copies over an existing target; the target is complete or untouched.
bool Copy(const QString& from, const QString& to);
bool Move(const QString& from, const QString& to);
// Moves by a durable copy, but never over another file of the name: a different file there
// leaves both as they are (false); the same bytes there make the source go.
bool MoveBeside(const QString& from, const QString& to);
// Whether both files read and hold the same bytes.
bool SameBytes(const QString& a, const QString& b);
} // namespace CTavFreeFileMove
