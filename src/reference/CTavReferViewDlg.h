#pragma once

#include <memory>

#include "CTavDialogBase.h"

class CTavDbFreePdbObjectManager;
class CTavDbFreeRecord;
class CTavReferView;

// The reference viewer ("便利情報ビューワー"): one sheet at twice its size. A click selects an
// object; a double click on a picture of the sheet shows the picture.
class CTavReferViewDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    static constexpr double kScale = 2.0;

    // contentFolder: where the sheet's pictures are found by name.
    CTavReferViewDlg(std::shared_ptr<CTavDbFreePdbObjectManager> sheet, const QString& contentFolder,
                     QWidget* parent = nullptr);
    ~CTavReferViewDlg() override;

    CTavReferView* View() const { return m_view; }
    // Shows the picture of a content object when its file is there; false otherwise.
    bool ShowContent(CTavDbFreeRecord* object);

private:
    CTavReferView* m_view;
    QString m_contentFolder;
};
