#pragma once

#include <QByteArray>
#include <QString>

// Durable, atomic replacement of files: the new content goes to a temporary file in the same
// folder, is flushed to disk, and is renamed over the old one.
class CTavDbFileUtil final
{
public:
    // Writes the bytes to the path atomically; false when anything fails (the old file stays).
    static bool writeAtomically(const QString& path, const QByteArray& bytes);
    // A fresh temporary name beside the path, for writers that make the file themselves.
    static QString temporaryPathFor(const QString& path);
    // Renames a finished temporary file over the target and makes the rename durable.
    static bool replaceWith(const QString& temporaryPath, const QString& path);
    static bool ensureDirectory(const QString& path);
    // Tells one version of a file from another without reading it: device, inode, size and
    // modification time (only device and inode: which file the name leads to). Empty for a
    // missing file.
    static QByteArray fileState(const QString& path, bool identityOnly = false);
};
