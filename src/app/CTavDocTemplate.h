#pragma once

#include <functional>

class CTavModuleDoc;
class CTavModuleFrame;
class QObject;

// How a module window is made: its document, then its frame on that document. The resource id
// names the module (it keeps the numbers of the organizer family), the slot is where the
// application keeps the document and frame.
struct CTavDocTemplate
{
    int resourceId = 0;
    int slot = 0;
    std::function<CTavModuleDoc*(QObject* parent)> createDocument;
    std::function<CTavModuleFrame*(CTavModuleDoc* document)> createFrame;
};
