// Reads arbitrary bytes as the rich text the detail panes show: as plain text, and into a
// text document as the read-only viewer does.
#include <QByteArray>
#include <QGuiApplication>
#include <QTextDocument>

#include "CTavRichTextReader.h"

extern "C" int LLVMFuzzerInitialize(int*, char*** argv)
{
    // Character formats need the font machinery of a GUI application; no window is shown.
    // Qt gets the program name alone, so that it takes none of the fuzzer's options.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char* args[] = {(*argv)[0], nullptr};
    static QGuiApplication app(argc, args);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray rtf(reinterpret_cast<const char*>(data), qsizetype(size));
    CTavRichTextReader::PlainText(rtf);
    QTextDocument document;
    CTavRichTextReader::Fill(document, rtf);
    return 0;
}
