#pragma once

#include <QColor>
#include <QHash>
#include <QSize>
#include <QString>
#include <QtGlobal>
#include <memory>

#include "CTavDialogBase.h"

class CTavApp;
class CTavDbFreePrcObjectManager;
class CTavDbFreeRecord;
class CTavDbTextObject;
class CTavFreePage;
class QAbstractButton;
class QComboBox;

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
    // The buttons and boxes of the editor, by the numbers the handheld's desktop gave them.
    enum Control
    {
        IdOk = 1,
        IdCancel = 2,
        IdUndo = 104,
        IdScrollUp = 105,
        IdScrollDown = 106,
        IdPen = 1000,
        IdPenColor = 1001,
        IdEraser = 1002,
        IdSeal = 1003,
        IdText = 1004,
        IdContents = 1005,
        IdSave = 1014,
        IdSaveAs = 1015,
        IdClear = 1016,
        IdDetails = 1017,
    };

    CTavFreeEditDlg(CTavApp& app, const CTavFreeEditRequest& request, QWidget* parent = nullptr);
    ~CTavFreeEditDlg() override;

    // True when any save succeeded while the dialog was open; the opener reloads then.
    bool Saved() const;
    QString Path() const;

    // Opens the editor modally and tells whether the sheet was saved.
    static bool Edit(CTavApp& app, const CTavFreeEditRequest& request, QWidget* parent);

    CTavFreePage* Page() const { return page_; }
    QAbstractButton* Button(int id) const { return buttons_.value(id); }
    QComboBox* CategoryBox() const { return category_; }
    const QString& LoadError() const { return loadError_; }
    // The text dialog's starting font and colour: the last ones chosen.
    int LastFont() const { return lastFont_; }
    QColor LastTextColor() const { return lastTextColor_; }

    void accept() override;
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QAbstractButton* addButton(int id, const QRect& place, const QString& text, const QIcon& icon = QIcon(),
                               bool checkable = false);
    void layOut();
    void loadSheet();
    void fillCategories();
    void showTool(int tool);
    void showPen();
    void choosePenWidth();
    void choosePenColor();
    void addSeal();
    void addContents();
    void clearSheet();
    // False when the sheet was not written (the path-length message was shown then).
    bool save(bool tell);
    void saveAs();
    void showDetails();
    void placeText(CTavDbTextObject* box);
    void editText(CTavDbTextObject* box);
    void openObject(CTavDbFreeRecord* object);
    void deleteSelection();
    QString contentsFolder() const;
    QString sheetFolder() const;

    CTavApp& app_;
    CTavFreeEditRequest request_;
    // Why the sheet could not be opened; empty when it was.
    QString loadError_;
    bool saved_ = false;
    CTavFreePage* page_ = nullptr;
    QComboBox* category_ = nullptr;
    QHash<int, QAbstractButton*> buttons_;
    std::shared_ptr<CTavDbFreePrcObjectManager> resources_;
    int lastFont_;
    QColor lastTextColor_ = Qt::black;
};
