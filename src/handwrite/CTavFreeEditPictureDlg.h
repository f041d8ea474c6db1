#pragma once

#include <QImage>

#include "CTavDialogBase.h"

class QPushButton;

// A picture in a window of its own: a pasted photo ("画像"), or a pasted memo sheet in the
// read-only viewer, whose buttons keep the sheet pasted ("貼り付け") or peel it off ("はがす").
class CTavFreeEditPictureDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    CTavFreeEditPictureDlg(const QImage& picture, const QString& title, bool sheetViewer,
                           QWidget* parent = nullptr);
    bool PeeledOff() const { return m_peeled; }
    QPushButton* PeelButton() const { return m_peel; }

private:
    bool m_peeled = false;
    QPushButton* m_peel = nullptr;
};
