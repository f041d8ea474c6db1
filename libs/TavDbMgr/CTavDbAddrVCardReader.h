#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

#include "CTavDbAddrVCard.h"

// One card's content lines made into an address card: names and their readings from whichever
// notation the card uses, phones and e-mail addresses with their labels and the usual contact,
// the address, note, custom fields, category, private flag and photo.
class CTavDbAddrVCardReader final
{
public:
    struct Line
    {
        QByteArray bytes; // one logical line, unfolded
        int number;       // its first line in the file
    };

    // False, with a note naming beginLine, when the card holds nothing. A photo that is no
    // picture is left out with a note naming its line.
    static bool Build(const std::vector<Line>& lines, int beginLine, CTavDbAddrVCard::Card* card,
                      QStringList* notes);
    static QString LineNote(int line, const QString& what);
};
