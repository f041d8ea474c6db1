#pragma once

#include <QList>
#include <QString>

#include "CTavDbTime.h"

class QMimeData;

// Memos on the clipboard: their texts as plain text for other programs, and the records
// themselves (text, category name, private flag, times) under the program's own type, with
// the name of the user they were copied from.
class CTavMemoClipboard final
{
public:
    static inline const QString kMimeType = QStringLiteral("application/x-lumora-memo-records");
    static constexpr int kMaxItems = 65535;

    struct Item
    {
        QString text;
        QString category;
        bool isPrivate = false;
        TavTime created = 0;
        TavTime updated = 0;

        bool operator==(const Item&) const = default;
    };

    static QMimeData* ToMime(const QList<Item>& items, const QString& sourceUser);
    // The records of our own type, or one memo made of plain text; false when the clipboard
    // holds neither (or our type is damaged and there is no text).
    static bool FromMime(const QMimeData* mime, QList<Item>* items, QString* sourceUser = nullptr);
    // Whether paste has something to work with.
    static bool CanPaste(const QMimeData* mime);
};
