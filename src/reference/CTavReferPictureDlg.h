#pragma once

#include <QImage>

#include "CTavDialogBase.h"

// A picture of a reference sheet at its own size, scaled down to fit the screen.
class CTavReferPictureDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    CTavReferPictureDlg(const QImage& picture, const QString& name, QWidget* parent = nullptr);
};
