#include "CTavAddrThumbChooser.h"

// STUB: the chooser comes with the card dialog.
bool CTavAddrThumbChooser::Choose(QWidget*, CTavDbAddrRecord&)
{
    return false;
}
