#pragma once

#include <QString>

// A user's schedule, addresses and settings are readable by that account only: every folder
// the programs make is 0700 and every file 0600, and trees left looser by older versions or
// by hand are tightened when a program starts.
class CTavPrivateFiles final
{
public:
    // Sets the process umask to 077, so that files made by Qt, SQLite and our own code are
    // private whatever umask the program was started with. Call first thing in main.
    static void Apply();
    // Folders under root (root included) become 0700 and regular files 0600. Symbolic links
    // are neither changed nor followed; what cannot be changed is left as it is.
    static void Tighten(const QString& root);
    // Tightens the data root and the settings folder.
    static void TightenAll();
};
