#pragma once

class QLineEdit;

// Keeps a line edit within a length in code page 932 bytes, as the handheld stores the text:
// what is typed or pasted past it is cut off where it is typed.
class CTavByteLimit final
{
public:
    static void Apply(QLineEdit* edit, int maxBytes);
};
