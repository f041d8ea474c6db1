#pragma once

#include <QByteArray>
#include <QString>

class QWidget;
class CTavDbAddrRecord;

// The picture chooser of a card: the user picks a picture file, and a small JPEG of it becomes
// the card's thumbnail (through "_tavAddrTemp.jpg" in the temporary folder).
class CTavAddrThumbChooser final
{
public:
    // False when the user cancelled or the picture could not be read (the user was told).
    static bool Choose(QWidget* parent, CTavDbAddrRecord& card);
};
