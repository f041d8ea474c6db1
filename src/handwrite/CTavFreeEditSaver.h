#pragma once

#include <QString>

class CTavFreePage;

// Writing the sheet of the editor: the path must stay below the system's 260-character limit,
// and the thumbnail is renewed from the page before the file is written.
class CTavFreeEditSaver final
{
public:
    static constexpr int MaxPath = 260;

    enum Result
    {
        Saved,
        PathTooLong, // nothing written
        Failed,      // the library could not write the file
        TooMany,     // more objects than the file holds; nothing written
        NoSheet,     // nothing open, nothing to write
    };

    static Result Save(CTavFreePage& page, const QString& path);
};
