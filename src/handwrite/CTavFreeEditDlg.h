#pragma once

#include "CTavDialogBase.h"

#include <QSize>
#include <QString>
#include <QtGlobal>

class CTavApp;

// What the opener asks of the memo-sheet editor. The list opens a sheet of the user's sheet
// folder; the schedule opens its period overlay in the large variant.
struct CTavFreeEditRequest
{
    QString folder;
    QString fileName;
    bool newSheet = false;
    quint32 type = 0x44415441; // 'DATA'; 'DOKO' for schedule overlays
    // Large variant: a taller canvas seen through a page with scroll buttons; no text tool,
    // no save as, no category.
    bool large = false;
    QSize page{300, 394};
    QSize canvas{300, 394};
};

// The handwritten memo editor ("手書きメモ編集"): strokes, text, seals and contents on one
// sheet, with its details and saving rules.
class CTavFreeEditDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    CTavFreeEditDlg(CTavApp& app, const CTavFreeEditRequest& request, QWidget* parent = nullptr);
    ~CTavFreeEditDlg() override;

    // True when any save succeeded while the dialog was open; the opener reloads then.
    bool Saved() const;
    QString Path() const;

    // Opens the editor modally and tells whether the sheet was saved.
    static bool Edit(CTavApp& app, const CTavFreeEditRequest& request, QWidget* parent);

private:
    CTavApp& app_;
    CTavFreeEditRequest request_;
    bool saved_ = false;
};
