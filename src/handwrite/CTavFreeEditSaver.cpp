#include "CTavFreeEditSaver.h"

#include "CTavFreePage.h"
#include "sheet/CTavDbFreePdbObjectManager.h"

CTavFreeEditSaver::Result CTavFreeEditSaver::Save(CTavFreePage& page, const QString& path)
{
    if (path.size() >= MaxPath)
        return PathTooLong;
    CTavDbFreePdbObjectManager* sheet = page.Sheet();
    if (!sheet)
        return NoSheet;
    sheet->SetThumbnail(page.PageImage());
    const TavStatus status = sheet->SaveAsFile(path, true);
    return status == TavStatusCode::Ok ? Saved : status == TavStatusCode::RecordLimit ? TooMany : Failed;
}
